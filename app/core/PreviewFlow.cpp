#include "PreviewFlow.h"

#include "FileNames.h"
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

QString previewAddress(bool asFile, bool previewAsFileName, const Project &project, const ProjectFile *active)
{
    const QString &server = project.Options.ServerURL;
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

PreviewFlow::PreviewFlow(ProjectController &projects, const SysOptions &options, Launcher launcher)
    : m_projects(projects),
      m_options(options),
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

PreviewStart PreviewFlow::ShowPreview(bool asFile)
{
    if (!m_projects.isOpen())
        return {};
    m_projects.StoreEditorState();
    const Project &project = m_projects.project();
    if (!m_options.PreviewAsFileName && project.Options.ServerURL.isEmpty()) {
        m_projects.prompts().error(m_projects.message(2));
        return {};
    }
    if (!saveFirst(asFile))
        return {};
    const ProjectFile *active = m_projects.activeEntry();
    PreviewStart start;
    start.address = previewAddress(asFile, m_options.PreviewAsFileName, project, active);
    if (m_options.ExternalViewer) {
        const QString viewer = findViewer(m_options.ViewerName);
        // The viewer is given the file itself, or the project's server URL for Run.
        start.address = asFile ? previewTarget(project, active) : project.Options.ServerURL;
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
