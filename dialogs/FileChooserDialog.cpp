#include "FileChooserDialog.h"

#include "DiskFiles.h"
#include "FolderListing.h"
#include "NativePath.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int NameRole = Qt::UserRole;
constexpr int FolderRole = Qt::UserRole + 1;

QString nameOf(const QString &path)
{
    return path.section(u'/', -1);
}

} // namespace

FileChooserDialog::FileChooserDialog(Mode mode, const QString &title, const QString &start,
                                     const QList<FileFilter> &filters, const QString &defaultSuffix, QWidget *parent)
    : QDialog(parent),
      m_mode(mode),
      m_filters(filters.isEmpty() ? QList<FileFilter>{{QStringLiteral("All Files"), {QStringLiteral("*")}}} : filters),
      m_defaultSuffix(defaultSuffix),
      m_folderBox(new QLineEdit),
      m_list(new QTreeWidget),
      m_name(new QLineEdit),
      m_filterBox(new QComboBox)
{
    setObjectName(QStringLiteral("FileChooser"));
    setWindowTitle(title);
    resize(640, 420);

    auto *up = new QToolButton;
    up->setObjectName(QStringLiteral("btnUp"));
    up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    up->setToolTip(QStringLiteral("Up One Level"));
    auto *lookIn = new QHBoxLayout;
    lookIn->addWidget(new QLabel(QStringLiteral("Look in:")));
    lookIn->addWidget(m_folderBox, 1);
    lookIn->addWidget(up);

    m_list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Date Modified")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (const FileFilter &filter : std::as_const(m_filters))
        m_filterBox->addItem(filter.caption + QStringLiteral(" (") + filter.patterns.join(u' ') + u')');

    auto *fields = new QFormLayout;
    fields->setContentsMargins({});
    fields->addRow(QStringLiteral("File &name:"), m_name);
    fields->addRow(QStringLiteral("Files of &type:"), m_filterBox);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    static const QString Actions[] = {QStringLiteral("&Open"), QStringLiteral("&Save"), QStringLiteral("&Choose")};
    QPushButton *ok = buttons->addButton(Actions[int(mode)], QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lookIn);
    layout->addWidget(m_list, 1);
    auto *fieldRows = new QWidget;
    fieldRows->setLayout(fields);
    fieldRows->setVisible(mode != Mode::Folder);
    layout->addWidget(fieldRows);
    layout->addWidget(buttons);

    connect(up, &QToolButton::clicked, this, [this] { setFolder(parentFolderOf(m_folder)); });
    connect(m_folderBox, &QLineEdit::returnPressed, this, [this] { setFolder(pathOfShownName(m_folderBox->text())); });
    connect(m_filterBox, &QComboBox::currentIndexChanged, this, &FileChooserDialog::refill);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item && !item->data(0, FolderRole).toBool()) {
            m_listedName = item->data(0, NameRole).toString();
            m_name->setText(item->text(0));
        }
    });
    connect(m_list, &QTreeWidget::itemActivated, this, &FileChooserDialog::itemChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &FileChooserDialog::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const DiskEntry entry = diskEntry(start);
    if (entry.isFolder || start.isEmpty()) {
        setFolder(start.isEmpty() ? currentFolder() : start);
    } else {
        setFolder(start.left(start.lastIndexOf(u'/') + 1));
        m_listedName = nameOf(start);
        m_name->setText(displayPath(m_listedName));
    }
    m_name->setFocus();
}

void FileChooserDialog::setFolder(const QString &folder)
{
    if (!diskEntry(folder).isFolder)
        return;
    m_folder = withTrailingSlash(absolutePathOf(folder));
    m_folderBox->setText(displayPath(m_folder));
    refill();
}

void FileChooserDialog::refill()
{
    const int filter = std::max(0, m_filterBox->currentIndex());
    const QStringList patterns = m_mode == Mode::Folder ? QStringList() : m_filters[filter].patterns;
    const FolderContents contents = readFolder(m_folder, patterns, false);
    m_list->clear();
    const QFileIconProvider icons;
    const QIcon folderIcon = icons.icon(QFileIconProvider::Folder);
    const QIcon fileIcon = icons.icon(QFileIconProvider::File);
    const QLocale locale;
    for (const FolderEntry &entry : contents.entries) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(0, displayPath(entry.name));
        item->setIcon(0, entry.isFolder ? folderIcon : fileIcon);
        item->setData(0, NameRole, entry.name);
        item->setData(0, FolderRole, entry.isFolder);
        if (!entry.isFolder)
            item->setText(1, locale.formattedDataSize(entry.size));
        item->setText(2, locale.toString(entry.modified, QLocale::ShortFormat));
    }
    if (!contents.error.isEmpty())
        new QTreeWidgetItem(m_list, {contents.error});
}

void FileChooserDialog::itemChosen(QTreeWidgetItem *item)
{
    const QString name = item->data(0, NameRole).toString();
    if (name.isEmpty())
        return;
    if (item->data(0, FolderRole).toBool()) {
        setFolder(name == u".." ? parentFolderOf(m_folder) : m_folder + name);
        return;
    }
    m_listedName = name;
    m_name->setText(item->text(0));
    choose();
}

// A name picked in the list keeps its exact bytes; a typed one is relative to the folder shown
// unless it starts with "/".
QString FileChooserDialog::typedPath() const
{
    const QString typed = m_name->text().trimmed();
    if (typed.isEmpty())
        return {};
    if (typed == displayPath(m_listedName))
        return m_folder + m_listedName;
    // A name typed as the list shows it (with U+FFFD) stands for the entry it shows.
    return pathOfShownName(typed.startsWith(u'/') ? typed : m_folder + typed);
}

void FileChooserDialog::choose()
{
    if (m_mode == Mode::Folder) {
        m_chosen = m_folder;
        accept();
        return;
    }
    QString path = typedPath();
    if (path.isEmpty())
        return;
    if (diskEntry(path).isFolder) {
        setFolder(path);
        m_name->clear();
        return;
    }
    if (m_mode == Mode::Open) {
        if (!isRegularFile(path)) {
            QMessageBox::warning(this, windowTitle(),
                                 displayPath(nameOf(path)) + QStringLiteral("\nFile not found.\nCheck the file name."));
            return;
        }
    } else {
        if (!m_defaultSuffix.isEmpty() && !nameOf(path).contains(u'.'))
            path += u'.' + m_defaultSuffix;
        if (diskEntry(path).exists
            && QMessageBox::question(this, windowTitle(),
                                     displayPath(nameOf(path))
                                         + QStringLiteral(" already exists.\nDo you want to replace it?"))
                != QMessageBox::Yes)
            return;
    }
    m_chosen = path;
    accept();
}
