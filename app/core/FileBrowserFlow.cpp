#include "FileBrowserFlow.h"

#include "DiskFiles.h"
#include "FileNames.h"
#include "FolderListing.h"
#include "NativePath.h"
#include "ProjectController.h"

#include <QFile>
#include <QMimeData>

namespace {

// The entry's path without the "/" a folder ends in.
QString entryPath(const QString &path)
{
    return path.size() > 1 && path.endsWith(u'/') ? path.chopped(1) : path;
}

QString quoted(const QString &path)
{
    return u'"' + displayPath(nameOf(entryPath(path))) + u'"';
}

bool isValidName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && name != u"." && name != u"..";
}

} // namespace

FileBrowserFlow::FileBrowserFlow(ProjectController &projects, OpenUrl openUrl)
    : m_projects(projects),
      m_openUrl(std::move(openUrl))
{ }

void FileBrowserFlow::MFileExplorerDblClick(const QString &path)
{
    if (diskEntry(path).isFolder)
        return;
    if (fileExtension(path).toUpper() == u".VLMP")
        m_projects.reopenProject(path);
    else
        m_projects.AddFileToProject(path);
}

void FileBrowserFlow::addToProject(const QString &path)
{
    m_projects.AddFileToProject(path);
}

void FileBrowserFlow::open(const QString &path)
{
    if (!m_openUrl(urlOf(path)))
        m_projects.prompts().error(QStringLiteral("No application could open %1.").arg(quoted(path)));
}

void FileBrowserFlow::openContainingFolder(const QString &path)
{
    open(parentFolderOf(path));
}

bool FileBrowserFlow::rename(const QString &path)
{
    if (refusedForProject(path))
        return false;
    const QString old = entryPath(path);
    const std::optional<QString> typed =
        m_projects.prompts().askText(QStringLiteral("Rename %1 to:").arg(quoted(path)), nameOf(old));
    if (!typed || *typed == nameOf(old))
        return false;
    if (!isValidName(*typed)) {
        m_projects.prompts().error(QStringLiteral("\"%1\" is not a valid file name.").arg(*typed));
        return false;
    }
    QString reason;
    if (renameDiskEntry(old, folderOf(old) + *typed, &reason))
        return true;
    m_projects.prompts().error(QStringLiteral("Cannot rename %1: %2").arg(quoted(path), reason));
    return false;
}

bool FileBrowserFlow::moveToTrash(const QString &path)
{
    if (refusedForProject(path)
        || !m_projects.prompts().confirm(QStringLiteral("Move %1 to the trash?").arg(quoted(path))))
        return false;
    // Qt's file classes would reach another file for a name that is not UTF-8.
    QFile entry(entryPath(path));
    if (!hasForeignBytes(path) && entry.moveToTrash())
        return true;
    const QString reason = hasForeignBytes(path) ? QStringLiteral("its name is not valid UTF-8") : entry.errorString();
    m_projects.prompts().error(QStringLiteral("Cannot move %1 to the trash: %2").arg(quoted(path), reason));
    return false;
}

bool FileBrowserFlow::refusedForProject(const QString &path)
{
    const QString folder = withTrailingSlash(entryPath(path));
    for (const ProjectFile &file : m_projects.project().Files)
        if (file.FileName == path || file.FileName.startsWith(folder)) {
            m_projects.prompts().error((file.FileName == path ? QStringLiteral("%1 is a file of the open project; "
                                                                               "remove it from the project first.")
                                                              : QStringLiteral("%1 holds files of the open project; "
                                                                               "remove them from the project first."))
                                           .arg(quoted(path)));
            return true;
        }
    return false;
}

QUrl FileBrowserFlow::urlOf(const QString &path)
{
    return QUrl::fromEncoded("file://" + pathToBytes(path).toPercentEncoding("/"));
}

QMimeData *FileBrowserFlow::pathData(const QString &path)
{
    auto *data = new QMimeData;
    data->setText(displayPath(entryPath(path)));
    data->setUrls({urlOf(entryPath(path))});
    return data;
}
