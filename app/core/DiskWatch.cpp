#include "DiskWatch.h"

#include "ProjectController.h"

DiskWatch::DiskWatch(ProjectController &projects) : m_projects(projects)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(200);
    connect(&m_settle, &QTimer::timeout, this, &DiskWatch::check);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&projects, &ProjectController::fileListChanged, this, &DiskWatch::watchFiles);
}

void DiskWatch::check()
{
    m_projects.checkDiskChanges();
    watchFiles();
}

void DiskWatch::watchFiles()
{
    if (const QStringList watched = m_watcher.files(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    QStringList paths;
    if (m_projects.isOpen())
        for (const ProjectFile &file : m_projects.project().Files)
            if (file.Stamp.exists)
                paths.append(file.FileName);
    if (!paths.isEmpty())
        m_watcher.addPaths(paths);
}
