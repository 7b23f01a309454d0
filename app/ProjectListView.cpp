#include "ProjectListView.h"

#include "FileNames.h"
#include "FilesMenu.h"
#include "NativePath.h"
#include "ProjectController.h"
#include "ProjectListDelegate.h"

#include <QIcon>
#include <QMenu>
#include <QTreeWidget>

namespace {

// The project list's picture of a file, by the first letters of its type.
QString fileIconName(const QString &fileType)
{
    const QString head = fileType.left(3).toUpper();
    if (head == u"PHP")
        return QStringLiteral("file-php");
    if (head == u"HTM" || head == u"CSS")
        return QStringLiteral("file-html");
    if (head.startsWith(u"JS"))
        return QStringLiteral("file-js");
    return QStringLiteral("file-other");
}

} // namespace

ProjectListView::ProjectListView(ProjectController &projects, QTreeWidget *list, QMenu *filesMenu, QString iconFolder)
    : m_projects(projects),
      m_list(list),
      m_filesMenu(filesMenu),
      m_iconFolder(std::move(iconFolder))
{
    connect(&projects, &ProjectController::fileListChanged, this, &ProjectListView::RebuildFileList);
    connect(&projects, &ProjectController::focusedRowChanged, this, &ProjectListView::showFocus);
    connect(&projects, &ProjectController::activeFileChanged, this, &ProjectListView::markActive);
    paintAsFilesMenu(filesMenu);
    // Built as it opens: a project of thousands of files would otherwise build it on every change.
    connect(filesMenu, &QMenu::aboutToShow, this, &ProjectListView::fillFilesMenu);
    connect(list, &QTreeWidget::currentItemChanged, this, [this] {
        if (const int row = currentRow(); row >= 0)
            m_projects.focusRow(row);
    });
}

int ProjectListView::currentRow() const
{
    QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return -1;
    QTreeWidgetItem *parent = item->parent();
    return parent ? parent->indexOfChild(item) + 1 : 0;
}

void ProjectListView::RebuildFileList()
{
    const Project &project = m_projects.project();
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    if (!project.Name.isEmpty()) {
        QFont bold = m_list->font();
        bold.setBold(true);
        auto *root = new QTreeWidgetItem(m_list, {project.Name});
        root->setData(0, ProjectListDelegate::KindRole, ProjectListDelegate::ProjectRow);
        root->setIcon(0, icon(QStringLiteral("project")));
        root->setToolTip(0, displayPath(project.projectFilePath()));
        for (int i = 0; i < project.Files.size(); ++i) {
            const ProjectFile &file = project.Files[i];
            auto *row = new QTreeWidgetItem(root, {fileCaption(i)});
            row->setToolTip(0, displayPath(file.FileName));
            row->setIcon(0, icon(fileIconName(file.FileType)));
            row->setData(0, ProjectListDelegate::KindRole, ProjectListDelegate::kindOfType(file.FileType));
            row->setData(0, ProjectListDelegate::ActiveRole, i == m_projects.activeFile());
            if (file.Modified)
                row->setFont(0, bold);
        }
        root->setExpanded(true);
        showFocus(m_projects.focusedRow());
    }
    m_filesMenuBuilt = false;
}

QIcon ProjectListView::icon(const QString &name)
{
    QIcon &cached = m_icons[name];
    if (cached.isNull())
        cached = QIcon(m_iconFolder + name + QStringLiteral(".svg"));
    return cached;
}

QString ProjectListView::fileCaption(int index) const
{
    const Project &project = m_projects.project();
    const ProjectFile &file = project.Files[index];
    const QString name = displayPath(nameOf(file.FileName));
    return file.Path == project.Options.Path ? name : name + QStringLiteral(" <") + displayPath(file.FileName) + u'>';
}

void ProjectListView::fillFilesMenu()
{
    if (m_filesMenuBuilt)
        return;
    m_filesMenuBuilt = true;
    // Deleting the entries also takes them out of the View menu's copy.
    qDeleteAll(m_filesMenu->actions());
    for (int i = 0; i < m_projects.project().Files.size(); ++i) {
        auto *entry = new QAction(fileCaption(i), m_filesMenu);
        entry->setObjectName(QStringLiteral("FI_%1").arg(i));
        connect(entry, &QAction::triggered, this, [this, i] { m_projects.focusRow(i + 1); });
        m_filesMenu->addAction(entry);
    }
}

void ProjectListView::showFocus(int row)
{
    QTreeWidgetItem *root = m_list->topLevelItem(0);
    if (!root || row < 0)
        return;
    const QSignalBlocker quiet(m_list);
    m_list->setCurrentItem(row == 0 ? root : root->child(row - 1));
}

void ProjectListView::markActive(int index)
{
    const Project &project = m_projects.project();
    m_list->setToolTip(displayPath(index >= 0 ? project.Files[index].FileName : project.FileName));
    if (QTreeWidgetItem *root = m_list->topLevelItem(0))
        for (int i = 0; i < root->childCount(); ++i)
            root->child(i)->setData(0, ProjectListDelegate::ActiveRole, i == index);
}
