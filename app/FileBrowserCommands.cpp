#include "FileBrowserCommands.h"

#include "FileBrowserPane.h"
#include "FileExplorer.h"
#include "Named.h"
#include "ProjectController.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>

namespace {

enum class Applies { Always, NotDrive, File, Changeable };

struct MenuItem {
    const char *name;
    const char *caption;
    Applies applies;
    // True when the entry changed on disk, so the list is read again.
    bool (*run)(FileBrowserFlow &flow, const QString &path);
};

// clang-format off
const MenuItem MenuItems[] = {
    {"pmOpen", "Open", Applies::Always, [](FileBrowserFlow &f, const QString &p) { f.open(p); return false; }},
    {"pmOpenFolder", "Open Containing Folder", Applies::NotDrive,
     [](FileBrowserFlow &f, const QString &p) { f.openContainingFolder(p); return false; }},
    {"pmCopyPath", "Copy Path", Applies::Always,
     [](FileBrowserFlow &, const QString &p) { QGuiApplication::clipboard()->setMimeData(FileBrowserFlow::pathData(p)); return false; }},
    {"pmAddToProject", "Add to Project", Applies::File,
     [](FileBrowserFlow &f, const QString &p) { f.addToProject(p); return false; }},
    {"pmRename", "Rename...", Applies::Changeable, [](FileBrowserFlow &f, const QString &p) { return f.rename(p); }},
    {"pmDelete", "Delete", Applies::Changeable, [](FileBrowserFlow &f, const QString &p) { return f.moveToTrash(p); }},
};
// clang-format on

bool applies(Applies rule, const ExplorerEntry &entry)
{
    switch (rule) {
    case Applies::Always: return true;
    case Applies::NotDrive: return entry.kind != ExplorerEntry::Kind::Drive;
    case Applies::File: return entry.kind == ExplorerEntry::Kind::File;
    case Applies::Changeable: return entry.kind != ExplorerEntry::Kind::Drive && entry.name != u"..";
    }
    return false;
}

} // namespace

FileBrowserCommands::FileBrowserCommands(FileBrowserPane &pane, ProjectController &projects, QObject *parent)
    : QObject(parent),
      m_pane(pane),
      m_projects(projects),
      m_flow(projects, &QDesktopServices::openUrl)
{
    FileExplorer *explorer = pane.explorer();
    connect(explorer, &FileExplorer::entryActivated, this,
            [this](const QString &path) { m_flow.MFileExplorerDblClick(path); });
    connect(explorer, &FileExplorer::contextMenuRequested, this, &FileBrowserCommands::showContextMenu);
}

void FileBrowserCommands::showContextMenu(const ExplorerEntry &entry, const QPoint &globalPos)
{
    QMenu menu(&m_pane);
    menu.setObjectName(QStringLiteral("pmEntry"));
    for (const MenuItem &item : MenuItems) {
        if (!applies(item.applies, entry))
            continue;
        QAction *action = named(menu.addAction(QString::fromLatin1(item.caption)), item.name);
        action->setEnabled(item.applies != Applies::File || m_projects.isOpen());
        connect(action, &QAction::triggered, this, [this, run = item.run, path = entry.path] {
            if (run(m_flow, path))
                m_pane.explorer()->model().refresh();
        });
    }
    menu.exec(globalPos);
}
