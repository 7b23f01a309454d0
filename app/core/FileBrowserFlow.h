#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class ProjectController;
class QMimeData;

// What the file browser does with an entry: the double-click, which opens a project file or adds
// a file to the open project, and the actions of its context menu. Questions and errors go
// through the project controller's Prompts; a failed action changes nothing.
class FileBrowserFlow
{
public:
    // Hands a URL to the desktop (its default application or file manager); false when refused.
    using OpenUrl = std::function<bool(const QUrl &)>;

    FileBrowserFlow(ProjectController &projects, OpenUrl openUrl);

    // A double-click or Enter on the entry at path: a ".vlmp" file opens as the project (after
    // the Save Files question), another file is added to the open project; a folder is left to
    // the list.
    void MFileExplorerDblClick(const QString &path);
    void addToProject(const QString &path);
    void open(const QString &path);
    void openContainingFolder(const QString &path);
    // Asks for the new name; true when the entry was renamed.
    bool rename(const QString &path);
    // Asks first; true when the entry went to the trash.
    bool moveToTrash(const QString &path);

    // file:// with the name's exact bytes.
    static QUrl urlOf(const QString &path);
    // For the clipboard: the path as text, and as a URL that keeps its bytes.
    static QMimeData *pathData(const QString &path);

private:
    // An entry that holds a file of the open project stays where it is, so the project never
    // loses track of it; true (after an error box) for such an entry.
    bool refusedForProject(const QString &path);

    ProjectController &m_projects;
    OpenUrl m_openUrl;
};
