#pragma once

#include <QString>

#include <functional>

class PhpServer;
class ProjectController;
struct Project;
struct ProjectFile;
struct SysOptions;

// What Preview Current File or Run Project shows once its checks and saving are done.
struct PreviewStart {
    enum Show { Nothing, Pane, ExternalViewer };
    Show show = Nothing;
    QString title; // "Preview - " + the file's name, or the project's name for Run
    QString address; // what the pane navigates to, or the external viewer was given
};

// The file a preview shows: the active file's full path, or the project folder with no file active.
QString previewTarget(const Project &project, const ProjectFile *active);

// The address of a preview: for Run the server URL; for a file with PreviewAsFileName its full
// path; otherwise the server URL followed by the file's path inside the project folder
// ("admin/login.php"), or by its bare name when it lies outside. No active file: the project
// folder stands for it.
// serverUrl: the project's, or the one of the built-in server.
QString previewAddress(bool asFile, bool previewAsFileName, const QString &serverUrl, const Project &project,
                       const ProjectFile *active);

// The viewer program: ViewerName when that file exists, else the program of that name on PATH;
// empty when there is neither.
QString findViewer(const QString &viewerName);

// ShowPreview: the server URL check (or PHP's own server when BuiltInServer is set and the project
// has no server URL; the project file is not changed), the save question and the saving, then either the external
// viewer started with the address as its one argument (the preview then ends at once) or the
// pane to show. Everything is asked through the controller's prompts.
class PreviewFlow
{
public:
    // Starts a program detached with one argument; false when it could not be started.
    using Launcher = std::function<bool(const QString &program, const QString &argument)>;

    // server: PHP's own server for BuiltInServer; none leaves the setting without effect.
    PreviewFlow(ProjectController &projects, const SysOptions &options, PhpServer *server = nullptr,
                Launcher launcher = {});

    PreviewStart ShowPreview(bool asFile);

private:
    // The save step; false when the user cancelled the question.
    bool saveFirst(bool asFile);
    // The project's server URL; with BuiltInServer and none set, the built-in server's (started
    // as needed). Empty after an error box.
    QString serverUrl();

    ProjectController &m_projects;
    const SysOptions &m_options;
    PhpServer *m_server;
    Launcher m_launch;
};
