#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class ProjectController;

// Follows the open project's files on disk and has the project flows look at them when one
// changes, moves or goes. A save replaces a file by another, which ends the system's watch on
// it, so the watch is set again after every look.
class DiskWatch : public QObject
{
    Q_OBJECT

public:
    explicit DiskWatch(ProjectController &projects);

    // Looks at the files now (the window was activated).
    void check();

private:
    void watchFiles();

    ProjectController &m_projects;
    QFileSystemWatcher m_watcher;
    // A save or a checkout changes many files at once: one look after them.
    QTimer m_settle;
};
