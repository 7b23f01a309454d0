#include "FileBrowserPane.h"

#include "FileExplorer.h"
#include "Named.h"
#include "NativePath.h"
#include "PaneToolBar.h"

#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The theme's icon (or its symbolic form, all some themes have), else the style's.
QToolButton *paneButton(const char *name, const char *hint, const char *themeIcon, QStyle::StandardPixmap icon)
{
    auto *button = named(new QToolButton, name);
    button->setToolTip(QString::fromLatin1(hint));
    const QString theme = QString::fromLatin1(themeIcon);
    button->setIcon(QIcon::fromTheme(
        theme, QIcon::fromTheme(theme + QStringLiteral("-symbolic"), button->style()->standardIcon(icon))));
    return button;
}

struct ViewItem {
    const char *name;
    const char *caption;
    FileExplorer::ViewStyle style;
};
// clang-format off
constexpr ViewItem ViewItems[] = {
    {"pmLarge", "Large Icons", FileExplorer::ViewStyle::LargeIcons},
    {"pmSmall", "Small Icons", FileExplorer::ViewStyle::SmallIcons},
    {"pmList", "List", FileExplorer::ViewStyle::List},
    {"pmDetail", "Detail", FileExplorer::ViewStyle::Detail},
};
constexpr const char *Masks[] = {"*.*", "*.css", "*.vlmp", "*.htm", "*.htm*", "*.inc", "*.js", "*.php*", ""};
// clang-format on

} // namespace

FileBrowserPane::FileBrowserPane(QWidget *parent)
    : QWidget(parent),
      m_drives(named(new QComboBox, "DriveComboBox1")),
      m_view(createViewButton()),
      m_up(paneButton("sbUp", "Up one level", "go-up", QStyle::SP_FileDialogToParent)),
      m_explorer(new FileExplorer),
      m_mask(named(new QComboBox, "cbMask")),
      m_directory(named(new QStatusBar, "sbDirectory"))
{
    setObjectName(QStringLiteral("pnlFiles"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *caption = named(new QLabel(QStringLiteral("File Browser")), "Label2");
    caption->setStyleSheet(
        QStringLiteral("QLabel { background: navy; color: white; font-weight: bold; padding: 2px 4px; }"));
    layout->addWidget(caption);

    QToolBar *driveBar = paneToolBar("ToolBar");
    m_drives->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_drives->setMinimumContentsLength(8);
    m_drives->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    driveBar->addWidget(m_drives);
    // The view and up buttons sit together at the bar's end.
    auto *buttons = named(new QWidget, "Panel5");
    auto *buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(0);
    buttonRow->addWidget(m_view);
    buttonRow->addWidget(m_up);
    driveBar->addWidget(buttons);
    layout->addWidget(driveBar);
    layout->addWidget(m_explorer, 1);

    QToolBar *maskBar = paneToolBar("ToolBar5");
    maskBar->addWidget(named(new QLabel(QStringLiteral("File mask ")), "Panel3"));
    m_mask->setEditable(true);
    m_mask->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (const char *mask : Masks)
        m_mask->addItem(QString::fromLatin1(mask));
    maskBar->addWidget(m_mask);
    layout->addWidget(maskBar);

    m_directory->setSizeGripEnabled(false);
    auto *directoryLine = named(new QWidget, "Panel6");
    auto *directoryRow = new QHBoxLayout(directoryLine);
    directoryRow->setContentsMargins(0, 0, 0, 0);
    directoryRow->addWidget(m_directory);
    layout->addWidget(directoryLine);
    fillDrives(listDrives());

    ExplorerModel &model = m_explorer->model();
    connect(&model, &ExplorerModel::directoryChanged, this, [this](const QString &dir) {
        showDirectoryLine();
        m_up->setEnabled(!m_explorer->model().showsDrives()); // nothing is above the drives
        showDriveOf(dir);
        emit directoryChanged(dir);
    });
    connect(&model, &ExplorerModel::filled, this, &FileBrowserPane::MFileExplorerChange);
    connect(m_up, &QToolButton::clicked, m_explorer, &FileExplorer::up);
    connect(m_mask, &QComboBox::currentTextChanged, m_explorer, &FileExplorer::setMask);
    connect(m_drives, &QComboBox::activated, this, &FileBrowserPane::DriveComboBox1Change);
    showDirectoryLine();
    showDriveOf(directory());
}

QToolButton *FileBrowserPane::createViewButton()
{
    QToolButton *button = paneButton("sbView", "View style", "view-list", QStyle::SP_FileDialogDetailedView);
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    auto *group = new QActionGroup(menu);
    for (const ViewItem &item : ViewItems) {
        QAction *action = named(menu->addAction(QString::fromLatin1(item.caption)), item.name);
        action->setCheckable(true);
        action->setChecked(item.style == FileExplorer::ViewStyle::List);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, style = item.style] { m_explorer->setViewStyle(style); });
    }
    button->setMenu(menu);
    return button;
}

void FileBrowserPane::fillDrives(const QList<ExplorerEntry> &drives)
{
    m_driveList = drives;
    m_drives->clear();
    for (const ExplorerEntry &drive : drives)
        m_drives->addItem(QIcon::fromTheme(QStringLiteral("drive-harddisk")), displayPath(drive.name));
}

void FileBrowserPane::MFileExplorerChange(const QString &error)
{
    // The drive list just read holds the disks mounted since the box was filled.
    const ExplorerModel &model = m_explorer->model();
    if (model.showsDrives()) {
        QList<ExplorerEntry> drives;
        for (int row = 0; row < model.rowCount(); ++row)
            drives.append(model.entry(row));
        fillDrives(drives);
    }
    // A folder that cannot be read lists nothing; the line below says why.
    m_directory->showMessage(displayPath(directory())
                             + (error.isEmpty() ? QString() : QStringLiteral(" (") + error + u')'));
}

void FileBrowserPane::showDriveOf(const QString &directory)
{
    if (const int drive = driveOf(m_driveList, directory); drive >= 0)
        m_drives->setCurrentIndex(drive);
}

void FileBrowserPane::DriveComboBox1Change(int index)
{
    // Choosing the drive the list is already on keeps the folder.
    if (index >= 0 && index < m_driveList.size() && driveOf(m_driveList, directory()) != index)
        setDirectory(m_driveList[index].path);
}

QString FileBrowserPane::directory() const
{
    return m_explorer->directory();
}

void FileBrowserPane::setDirectory(const QString &directory)
{
    m_explorer->setDirectory(directory);
}

void FileBrowserPane::showDirectoryLine()
{
    m_directory->showMessage(displayPath(directory()));
}

QString FileBrowserPane::mask() const
{
    return m_mask->currentText();
}

void FileBrowserPane::setMask(const QString &mask)
{
    m_mask->setEditText(mask);
}

void FileBrowserPane::applyMask()
{
    m_explorer->setMask(m_mask->currentText());
}
