#pragma once

#include "FileBrowserFlow.h"

#include <QObject>

class FileBrowserPane;
class ProjectController;
struct ExplorerEntry;

// Ties the file browser pane to the project: a double-click or Enter on an entry, and the
// entry's context menu, run through FileBrowserFlow.
class FileBrowserCommands : public QObject
{
    Q_OBJECT

public:
    FileBrowserCommands(FileBrowserPane &pane, ProjectController &projects, QObject *parent = nullptr);

    // The context menu of the entry, at globalPos: the actions that fit the kind of entry.
    void showContextMenu(const ExplorerEntry &entry, const QPoint &globalPos);

private:
    FileBrowserPane &m_pane;
    ProjectController &m_projects;
    FileBrowserFlow m_flow;
};
