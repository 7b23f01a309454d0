#include "PreviewFlow.h"

#include "FileNames.h"
#include "PhpServer.h"
#include "ProjectController.h"
#include "SysOptions.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

bool startDetached(const QString &program, const QString &argument)
{
    // One argument, however many blanks the path holds.
    return QProcess::startDetached(program, {argument});
}

} // namespace

QString previewTarget(const Project &project, const ProjectFile *active)
{
    return active ? active->Path + nameOf(active->FileName) : project.Options.Path;
}

QString previewAddress(bool asFile, bool previewAsFileName, const QString &server, const Project &project,
                       const ProjectFile *active)
{
    if (!asFile)
        return server;
    if (previewAsFileName)
        return previewTarget(project, active);
    const QString folder = active ? active->Path : project.Options.Path;
    const QString name = active ? nameOf(active->FileName) : QString();
    // The server serves the project folder: a file in a sub-folder is found under its path there.
    const QString &root = project.Options.Path;
    const QString inside = !root.isEmpty() && folder.startsWith(root) ? folder.mid(root.size()) : QString();
    return server + inside + name;
}

QString findViewer(const QString &viewerName)
{
    if (viewerName.isEmpty())
        return {};
    if (QFileInfo(viewerName).isFile())
        return viewerName;
    return viewerName.contains(u'/') ? QString() : QStandardPaths::findExecutable(viewerName);
}

PreviewFlow::PreviewFlow(ProjectController &projects, const SysOptions &options, PhpServer *server, Launcher launcher)
    : m_projects(projects),
      m_options(options),
      m_server(server),
      m_launch(launcher ? std::move(launcher) : Launcher(startDetached))
{ }

bool PreviewFlow::saveFirst(bool asFile)
{
    if (m_options.WarnAboutSave) {
        if (m_projects.project().Files.AllFilesSaved())
            return true;
        if (!m_projects.prompts().confirm(m_projects.message(9)))
            return false;
    }
    // A save dialog cancelled here lets the preview go on with what is on disk.
    if (asFile)
        m_projects.Save1Click();
    else
        m_projects.SaveModifiedFiles();
    return true;
}

QString PreviewFlow::serverUrl()
{
    const Project &project = m_projects.project();
    if (!project.Options.ServerURL.isEmpty() || !m_server || !m_options.BuiltInServer)
        return project.Options.ServerURL;
    QString error;
    const QString url = m_server->urlFor(project.Options.Path, &error);
    if (url.isEmpty())
        m_projects.prompts().error(error);
    return url;
}

PreviewStart PreviewFlow::ShowPreview(bool asFile)
{
    if (!m_projects.isOpen())
        return {};
    m_projects.StoreEditorState();
    const Project &project = m_projects.project();
    const bool builtIn = m_server && m_options.BuiltInServer && project.Options.ServerURL.isEmpty();
    if (!m_options.PreviewAsFileName && !builtIn && project.Options.ServerURL.isEmpty()) {
        m_projects.prompts().error(m_projects.message(2));
        return {};
    }
    if (!saveFirst(asFile))
        return {};
    // A file shown by its path needs no server; Run always goes to the server URL.
    const bool needsServer = !asFile || !m_options.PreviewAsFileName;
    const QString server = needsServer ? serverUrl() : project.Options.ServerURL;
    if (builtIn && needsServer && server.isEmpty())
        return {};
    const ProjectFile *active = m_projects.activeEntry();
    PreviewStart start;
    start.address = previewAddress(asFile, m_options.PreviewAsFileName, server, project, active);
    if (m_options.ExternalViewer) {
        const QString viewer = findViewer(m_options.ViewerName);
        // The viewer is given the file itself, or the project's server URL for Run.
        start.address = asFile ? previewTarget(project, active) : server;
        if (viewer.isEmpty() || !m_launch(viewer, start.address)) {
            m_projects.prompts().error(m_projects.message(10));
            return {};
        }
        start.show = PreviewStart::ExternalViewer;
        return start;
    }
    start.show = PreviewStart::Pane;
    start.title =
        QStringLiteral("Preview - ") + (asFile ? (active ? nameOf(active->FileName) : QString()) : project.Name);
    return start;
}
