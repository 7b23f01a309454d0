#include "FileExplorer.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>

namespace {

constexpr int BigIconSize = 32;
constexpr int SmallIconSize = 16;
constexpr QSize BigIconGrid{96, 72};
// Rows laid out per pass in the list styles, so a folder of 100,000 files leaves the window free.
constexpr int LayoutBatch = 2000;

bool isUpKey(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Backspace || (key.key() == Qt::Key_Up && key.modifiers().testFlag(Qt::ControlModifier));
}

bool isEnterKey(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

FileExplorer::FileExplorer(QWidget *parent)
    : QWidget(parent),
      m_model(new ExplorerModel(this)),
      m_selection(new QItemSelectionModel(m_model, this)),
      m_stack(new QStackedLayout(this)),
      m_list(new QListView),
      m_details(new QTreeView)
{
    setObjectName(QStringLiteral("MFileExplorer"));
    m_list->setObjectName(QStringLiteral("MFileExplorerList"));
    m_details->setObjectName(QStringLiteral("MFileExplorerDetail"));
    m_details->setRootIsDecorated(false);
    m_details->setItemsExpandable(false);
    m_details->setUniformRowHeights(true);
    m_details->setAllColumnsShowFocus(true);
    m_details->header()->setSectionsClickable(false);
    m_details->header()->setStretchLastSection(false);
    m_list->setLayoutMode(QListView::Batched);
    m_list->setBatchSize(LayoutBatch);
    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_list), static_cast<QAbstractItemView *>(m_details)})
        setUpView(view);
    connect(m_model, &ExplorerModel::modelAboutToBeReset, this,
            [this] { m_currentPath = m_selection->currentIndex().data(ExplorerModel::PathRole).toString(); });
    connect(m_model, &ExplorerModel::modelReset, this, &FileExplorer::keepPlaceAcrossRefills);
    connect(m_model, &ExplorerModel::fillStarted, this, [this] { setCursor(Qt::BusyCursor); });
    connect(m_model, &ExplorerModel::filled, this, [this] { unsetCursor(); });
    setViewStyle(ViewStyle::List);
    m_model->setDirectory(QDir::homePath());
}

void FileExplorer::setUpView(QAbstractItemView *view)
{
    view->setModel(m_model);
    view->setSelectionModel(m_selection);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    // The list's background is the tooltip colour.
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    view->setPalette(palette);
    view->installEventFilter(this);
    m_stack->addWidget(view);
    connect(view, &QAbstractItemView::pressed, this,
            [this](const QModelIndex &index) { m_selectedPath = index.data(ExplorerModel::PathRole).toString(); });
    connect(view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { activateRow(index.row()); });
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint &pos) { showContextMenu(view, pos); });
}

void FileExplorer::setViewStyle(ViewStyle style)
{
    m_style = style;
    if (style == ViewStyle::Detail) {
        m_details->setIconSize(QSize(SmallIconSize, SmallIconSize));
        m_stack->setCurrentWidget(m_details);
        applyColumns();
        return;
    }
    const bool big = style == ViewStyle::LargeIcons;
    m_list->setViewMode(big ? QListView::IconMode : QListView::ListMode);
    m_list->setIconSize(big ? QSize(BigIconSize, BigIconSize) : QSize(SmallIconSize, SmallIconSize));
    m_list->setGridSize(big ? BigIconGrid : QSize());
    m_list->setWordWrap(big);
    m_list->setFlow(style == ViewStyle::List ? QListView::TopToBottom : QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_stack->setCurrentWidget(m_list);
}

QAbstractItemView *FileExplorer::view() const
{
    return m_style == ViewStyle::Detail ? static_cast<QAbstractItemView *>(m_details) : m_list;
}

void FileExplorer::applyColumns()
{
    for (int column = 0; column < ExplorerModel::ColumnCount; ++column)
        m_details->setColumnWidth(column, m_model->columnWidth(column));
}

void FileExplorer::keepPlaceAcrossRefills()
{
    // A refill of the same folder (a change on disk) keeps the entry the user was on; another
    // folder starts at the top with its own columns.
    const bool sameFolder = m_shownDirectory == m_model->directory();
    m_shownDirectory = m_model->directory();
    applyColumns();
    if (!sameFolder || m_currentPath.isEmpty())
        return;
    for (int row = 0; row < m_model->rowCount(); ++row)
        if (m_model->entry(row).path == m_currentPath) {
            m_selection->setCurrentIndex(m_model->index(row, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            view()->scrollTo(m_model->index(row, 0));
            return;
        }
}

QList<int> FileExplorer::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_selection->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int FileExplorer::SelectedCount() const
{
    const qsizetype selected = m_selection->selectedRows().size();
    return int(selected > 0 ? selected : m_model->rowCount());
}

QString FileExplorer::SelectedFilenames(QStringList *names) const
{
    QStringList paths;
    for (int row : selectedRows()) {
        paths.append(m_model->entry(row).path);
        if (names)
            names->append(m_model->entry(row).name);
    }
    return paths.join(u';');
}

void FileExplorer::activateRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const ExplorerEntry entry = m_model->entry(row);
    m_selectedPath = entry.path;
    emit entryActivated(entry.path);
    if (entry.kind != ExplorerEntry::Kind::File)
        m_model->setDirectory(entry.path);
}

void FileExplorer::showContextMenu(QAbstractItemView *view, const QPoint &pos)
{
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid())
        return;
    m_selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const ExplorerEntry entry = m_model->entry(index.row());
    m_selectedPath = entry.path;
    emit contextMenuRequested(entry, view->viewport()->mapToGlobal(pos));
}

bool FileExplorer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto &key = *static_cast<QKeyEvent *>(event);
    if (isUpKey(key)) {
        up();
        return true;
    }
    // Enter opens the entry the keyboard is on, not the one last clicked.
    if (const QModelIndex current = m_selection->currentIndex(); isEnterKey(key) && m_selection->isSelected(current)) {
        activateRow(current.row());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
