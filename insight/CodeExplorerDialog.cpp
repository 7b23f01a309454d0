#include "CodeExplorerDialog.h"
#include "ComponentText.h"
#include "MultiLang.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Role { LevelRole = Qt::UserRole, FileRole, GroupRole, ValueRole };

const QColor Navy(0x00, 0x00, 0x80);
const QColor Teal(0x00, 0x80, 0x80);
const QColor Maroon(0x80, 0x00, 0x00);
const QColor Azure(0xF0, 0xFF, 0xFF);

// The colour and weight of each level; a focused source line stands out in maroon on white.
class ExplorerRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto level = CodeExplorerDialog::Level(index.data(LevelRole).toInt());
        const bool focused = option->state & QStyle::State_HasFocus;
        static const QColor Colours[] = {Navy, Teal, Maroon, Navy, Qt::black};
        const bool line = level == CodeExplorerDialog::LineLevel;
        const QColor colour = line && focused ? Maroon : Colours[level];
        option->font.setBold(level == CodeExplorerDialog::ProjectLevel || level == CodeExplorerDialog::FileLevel
                             || level == CodeExplorerDialog::EntryLevel || (line && focused));
        option->palette.setColor(QPalette::Text, colour);
        option->palette.setColor(QPalette::HighlightedText, colour);
        option->palette.setColor(QPalette::Highlight, line && focused ? QColor(Qt::white) : Azure);
        // The rows keep their colours when selected: the highlight is the tree's own colour.
        option->state &= ~QStyle::State_HasFocus;
    }
};

// The first three letters of the type decide the picture.
QString fileIconName(const QString &type)
{
    const QString kind = type.left(3);
    if (kind == u"PHP")
        return QStringLiteral("file-php");
    if (kind == u"HTM" || kind == u"CSS")
        return QStringLiteral("file-html");
    if (kind == u"JS")
        return QStringLiteral("file-js");
    return QStringLiteral("file-other");
}

QTreeWidgetItem *addItem(QTreeWidgetItem *parent, CodeExplorerDialog::Level level, const QString &text,
                         const QIcon &icon)
{
    auto *item = new QTreeWidgetItem(parent, {text});
    item->setData(0, LevelRole, level);
    if (!icon.isNull())
        item->setIcon(0, icon);
    if (parent) {
        item->setData(0, FileRole, parent->data(0, FileRole));
        item->setData(0, GroupRole, parent->data(0, GroupRole));
    }
    return item;
}

} // namespace

CodeExplorerDialog::CodeExplorerDialog(const CodeExplorerModel &model, const QString &projectName, int focusRow,
                                       const QString &iconFolder, QWidget *parent)
    : QDialog(parent),
      m_model(model),
      m_iconFolder(iconFolder),
      m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("TForm_CodeExplorer"));
    auto *label =
        new QLabel(QStringLiteral("Double click on source line to go directly where it resides in source code"));
    label->setObjectName(QStringLiteral("Label1"));
    m_tree->setObjectName(QStringLiteral("dxtlSource"));
    m_tree->setHeaderHidden(true);
    columnTitle(this, "dxcModelName", QStringLiteral("File Name"),
                [this](const QString &title) { m_tree->setHeaderLabels({title}); });
    m_tree->setFrameShape(QFrame::NoFrame);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setItemDelegate(new ExplorerRowDelegate(m_tree));
    QPalette palette = m_tree->palette();
    palette.setColor(QPalette::Base, Azure);
    palette.setColor(QPalette::Highlight, Azure);
    m_tree->setPalette(palette);
    auto *layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(label);
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CodeExplorerDialog::fillLines);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &CodeExplorerDialog::choose);
    // Before the title takes the project's name.
    translateWindow(this, QStringLiteral("codeexplorer"));
    build(projectName, focusRow);
}

CodeExplorerDialog::Level CodeExplorerDialog::levelOf(const QTreeWidgetItem *item)
{
    return Level(item->data(0, LevelRole).toInt());
}

void CodeExplorerDialog::build(const QString &projectName, int focusRow)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_tree->clear();
    auto *root = addItem(nullptr, ProjectLevel, projectName, icon(QStringLiteral("project")));
    m_tree->addTopLevelItem(root);
    static const QString GroupIcons[] = {QStringLiteral("explorer-variables"), QStringLiteral("explorer-functions"),
                                         QStringLiteral("explorer-classes")};
    static const QString EntryIcons[] = {QStringLiteral("variable"), QStringLiteral("function"),
                                         QStringLiteral("class")};
    for (qsizetype f = 0; f < m_model.fileCount(); ++f) {
        auto *file = addItem(root, FileLevel, m_model.fileName(f), icon(fileIconName(m_model.fileType(f))));
        file->setData(0, FileRole, f);
        for (ExplorerGroup group : ExplorerGroups) {
            auto *groupItem = addItem(file, GroupLevel, m_model.groupCaption(f, group), icon(GroupIcons[int(group)]));
            groupItem->setData(0, GroupRole, int(group));
            const ScanResults &names = m_model.entries(f, group);
            for (qsizetype e = 0; e < names.size(); ++e) {
                auto *entry = addItem(groupItem, EntryLevel, names[e], icon(EntryIcons[int(group)]));
                entry->setData(0, ValueRole, e);
                entry->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            }
        }
    }
    root->setExpanded(true);
    QTreeWidgetItem *focused = focusRow > 0 && focusRow <= root->childCount() ? root->child(focusRow - 1) : root;
    focused->setExpanded(true);
    m_tree->setCurrentItem(focused);
    QApplication::restoreOverrideCursor();
}

// An entry's lines are searched when it first opens.
void CodeExplorerDialog::fillLines(QTreeWidgetItem *entry)
{
    if (levelOf(entry) != EntryLevel || entry->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator)
        return;
    entry->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    const qsizetype file = entry->data(0, FileRole).toLongLong();
    const auto group = ExplorerGroup(entry->data(0, GroupRole).toInt());
    for (int line : m_model.occurrenceLines(file, group, entry->data(0, ValueRole).toLongLong())) {
        auto *item = addItem(entry, LineLevel, m_model.occurrenceCaption(file, group, line), {});
        // The number itself, so a line above 99,999 is found as well as any other.
        item->setData(0, ValueRole, line);
    }
}

void CodeExplorerDialog::choose(QTreeWidgetItem *item)
{
    const Level level = levelOf(item);
    if (level == ProjectLevel)
        return;
    m_choice =
        ExplorerChoice{item->data(0, FileRole).toLongLong(), level == LineLevel ? item->data(0, ValueRole).toInt() : 0};
    accept();
}

QIcon CodeExplorerDialog::icon(const QString &name) const
{
    return QIcon(m_iconFolder + name + QStringLiteral(".svg"));
}
