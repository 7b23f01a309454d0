#include "ProjectController.h"

#include "DiskFiles.h"
#include "EditorPane.h"
#include "FileNames.h"
#include "JournalFile.h"
#include "NativePath.h"
#include "PlacementStore.h"
#include "ProjectHistory.h"
#include "ProjectProperties.h"
#include "SysOptions.h"

#include <QDir>

ProjectController::ProjectController(EditorPane &editor, const SysOptions &options, ProjectHistory &history,
                                     PlacementStore &placement, std::unique_ptr<Prompts> prompts, MessageText message)
    : m_editor(editor),
      m_options(options),
      m_history(history),
      m_placement(placement),
      m_prompts(std::move(prompts)),
      m_message(std::move(message))
{ }

ProjectController::~ProjectController() = default;

const ProjectFile *ProjectController::activeEntry() const
{
    return m_activeFile >= 0 && m_activeFile < m_project.Files.size() ? &m_project.Files[m_activeFile] : nullptr;
}

QString ProjectController::messageWith(int number, const QString &argument) const
{
    return message(number).replace(QStringLiteral("%s"), argument);
}

QString ProjectController::defaultFolder() const
{
    return m_project.Options.Path.isEmpty() ? QDir::homePath() : m_project.Options.Path;
}

void ProjectController::rebuildFileList()
{
    m_loading = true;
    emit fileListChanged();
    m_loading = false;
}

// ---- The focused row and the active file

void ProjectController::focusRow(int row)
{
    if (!isOpen())
        return;
    m_focusedRow = std::clamp(row, 0, int(m_project.Files.size()));
    emit focusedRowChanged(m_focusedRow);
    // While the preview is shown the rows can be selected but activate nothing.
    if (!m_loading && !m_saving && !m_previewing)
        activate(m_focusedRow);
}

void ProjectController::activate(int row)
{
    StoreEditorState();
    if (m_activeFile >= 0 && m_activeFile < m_project.Files.size())
        m_editor.releaseFile(m_project.Files[m_activeFile]);
    m_activeFile = -1; // putting the text in is no change of the file
    if (row >= 1 && row <= m_project.Files.size()) {
        ProjectFile &file = m_project.Files[row - 1];
        m_editor.showFile(file);
        // The text lives in the editor now; StoreEditorState fills the entry for every reader.
        file.Text = QString();
        m_activeFile = row - 1;
    } else {
        m_editor.hide();
    }
    emit activeFileChanged(m_activeFile);
    emit stateChanged();
}

void ProjectController::StoreEditorState()
{
    // The undo history stays in the editor while the file is shown; it moves back into the
    // entry when another file takes the editor.
    if (m_activeFile >= 0 && m_activeFile < m_project.Files.size() && m_editor.isShown())
        m_editor.storeState(m_project.Files[m_activeFile]);
}

void ProjectController::editorChanged()
{
    if (m_activeFile < 0 || m_loading)
        return;
    ProjectFile &file = m_project.Files[m_activeFile];
    if (file.Modified)
        return;
    file.Modified = true;
    file.Saved = false;
    file.IsNew = false;
    m_project.Changed = true;
    rebuildFileList();
    emit stateChanged();
}

// ---- New, add, save

void ProjectController::NewFile(NewFileKind kind)
{
    if (!isOpen())
        return;
    StoreEditorState();
    m_project.Files.AddNewFile(m_project.Options.Path, kind);
    rebuildFileList();
    focusRow(m_project.Files.size());
}

void ProjectController::addFile(const QString &path, const QString &shownName)
{
    if (m_project.Files.FindFile(path) != -1) {
        m_prompts->error(messageWith(8, shownName));
        return;
    }
    QString error;
    if (!AddExistingFile(m_project.Files, path, &error)) {
        m_prompts->error(error);
        return;
    }
    m_project.Changed = true;
}

void ProjectController::btnAddFileClick()
{
    if (!isOpen())
        return;
    StoreEditorState();
    const QString path = m_prompts->openFile(QString(), defaultFolder(), m_filters.open);
    if (!path.isEmpty())
        addFile(path, path);
    rebuildFileList();
    focusRow(m_project.Files.size());
}

void ProjectController::AddFileToProject(const QString &path)
{
    if (!isOpen())
        return;
    addFile(path, nameOf(path));
    rebuildFileList();
    focusRow(m_project.Files.size());
}

bool ProjectController::mayOverwrite(const ProjectFile &file, const QString &fileName)
{
    if (fileName != file.FileName || !file.Stamp.exists)
        return true;
    const DiskStamp now = diskStampOf(fileName);
    return !now.exists || now == file.Stamp
        || m_prompts->confirm(displayPath(fileName)
                              + QStringLiteral(" was changed on disk since it was read. Save over it?"));
}

bool ProjectController::writeFile(int index, const QString &fileName)
{
    if (index == m_activeFile)
        StoreEditorState(); // the active file's text is the editor's
    if (!mayOverwrite(m_project.Files[index], fileName))
        return false;
    m_saving = true;
    SaveError error;
    const bool written =
        WriteFileToDisk(m_project.Files[index], fileName, m_options.CreateBackups, m_project.Options.Path, &error);
    m_saving = false;
    if (!written)
        m_prompts->error(error.message(message(13)));
    return written;
}

bool ProjectController::saveActiveFile(bool askName)
{
    ProjectFile &file = m_project.Files[m_activeFile];
    if (file.Path.isEmpty())
        file.Path = m_project.Options.Path;
    QString name = file.FileName;
    if (askName) {
        const QString title = diskEntry(name).exists
            ? QStringLiteral("Save \"") + displayPath(nameOf(name)) + QStringLiteral("\" As:")
            : QStringLiteral("Save File ") + displayPath(nameOf(name));
        name = m_prompts->saveFile(title, name, m_filters.save, file.FileType.toLower());
        if (name.isEmpty())
            return false;
    }
    return writeFile(m_activeFile, name);
}

void ProjectController::Save1Click()
{
    const int row = focusedRow();
    if (row == 0) {
        SaveProject(0);
        return;
    }
    StoreEditorState();
    if (m_activeFile < 0)
        return;
    saveActiveFile(!diskEntry(m_project.Files[m_activeFile].FileName).exists);
    rebuildFileList();
    focusRow(row);
}

void ProjectController::SaveAs1Click()
{
    StoreEditorState();
    if (m_activeFile < 0)
        return;
    const int row = focusedRow();
    if (saveActiveFile(true)) {
        rebuildFileList();
        focusRow(row);
    }
}

void ProjectController::SaveModifiedFiles()
{
    for (int i = 0; i < m_project.Files.size(); ++i) {
        if (!m_project.Files[i].Saved) {
            focusRow(i + 1);
            Save1Click();
        }
    }
}

void ProjectController::btnSaveAllClick()
{
    const int row = focusedRow();
    SaveModifiedFiles();
    if (!m_project.Files.AllFilesSaved())
        return;
    if (m_project.FileName.isEmpty())
        SaveProjectAs1Click();
    else
        SaveProject(row);
    focusRow(row);
}

void ProjectController::setLineFormat(LineEnds format)
{
    if (m_activeFile < 0)
        return;
    ProjectFile &file = m_project.Files[m_activeFile];
    file.LineFormat = format;
    file.Saved = false;
    file.Modified = true;
    m_project.Changed = true;
    rebuildFileList(); // its row turns bold
    emit stateChanged();
}

void ProjectController::btnRemoveFileClick()
{
    if (m_activeFile < 0)
        return;
    const ProjectFile &file = m_project.Files[m_activeFile];
    const QString question =
        messageWith(6, nameOf(file.FileName)) + u' ' + (file.Modified ? message(12) : QString()) + u'?';
    if (!m_prompts->confirm(question))
        return;
    const int removed = m_activeFile;
    m_activeFile = -1; // its undo history in the editor goes with it
    m_project.Files.remove(removed);
    rebuildFileList();
    focusRow(0);
    m_project.Changed = true;
    emit stateChanged();
    focusRow(m_project.Files.size());
}

void ProjectController::btnFileUpDownClick(int step)
{
    const int target = m_activeFile + step;
    if (m_activeFile < 0 || target < 0 || target >= m_project.Files.size())
        return;
    StoreEditorState();
    m_project.Files.swap(m_activeFile, target);
    m_activeFile = target;
    m_project.Changed = true;
    rebuildFileList();
    focusRow(target + 1);
}

// ---- Projects

void ProjectController::NewProject1Click()
{
    if (!mayReplaceProject())
        return;
    m_activeFile = -1;
    emit projectClosed();
    ResetProject(m_project, QDir::homePath() + u'/');
    rebuildFileList();
    m_editor.hide();
    focusRow(0);
    ProjectProperties1Click();
}

void ProjectController::ProjectProperties1Click()
{
    if (!isOpen())
        return;
    const QString section = QStringLiteral("TForm_Properties");
    const QString asIsKey = QStringLiteral("cbxAsis.Checked");
    const PropertiesFields current{m_project.Name, m_project.Options.Path, fromCommaText(m_project.Description),
                                   m_project.Options.ServerURL,
                                   m_placement.readProperty(section, asIsKey, false).toBool()};
    const std::optional<PropertiesFields> chosen = m_prompts->projectProperties(current);
    if (!chosen)
        return;
    // Kept with the window placement in the settings folder, never beside whatever folder the
    // program happens to be working in.
    m_placement.writeProperty(section, asIsKey, chosen->asIs);
    m_placement.flush();
    m_project.Name = chosen->name;
    m_project.Options.Path = normalizedProjectPath(chosen->path);
    m_project.Options.ServerURL = normalizedServerUrl(chosen->url, chosen->asIs);
    m_project.Description = toCommaText(chosen->descriptionLines);
    if (!QDir().mkpath(m_project.Options.Path))
        m_prompts->error(QStringLiteral("Unable to create the folder %1").arg(m_project.Options.Path));
    m_project.Changed = true;
    emit stateChanged();
}

void ProjectController::OpenProject1Click()
{
    if (!mayReplaceProject())
        return;
    const QString path = m_prompts->openFile(QString(), defaultFolder(), m_filters.project);
    if (!path.isEmpty())
        LoadProject(path);
}

void ProjectController::reopenProject(const QString &path)
{
    if (!mayReplaceProject())
        return;
    LoadProject(path);
}

bool ProjectController::LoadProject(QString path)
{
    LoadedProject loaded = ::LoadProject(path);
    if (!loaded.valid) {
        m_prompts->error(message(4));
        return false;
    }
    QStringList skipped;
    for (const QString &missing : std::as_const(loaded.missingFiles))
        skipped.append(displayPath(missing));
    if (skipped += loaded.refusedFiles; !skipped.isEmpty())
        m_prompts->errorList(message(3), skipped);
    m_history.add(path);
    emit historyChanged();
    emit projectClosed();
    m_activeFile = -1;
    m_project = std::move(loaded.project);
    rebuildFileList();
    m_editor.hide();
    focusRow(loaded.lastRow);
    return true;
}

bool ProjectController::mayReplaceProject()
{
    // The question may save the active file, so it must see what the editor holds; and a project
    // whose own file was saved can still hold unsaved files.
    StoreEditorState();
    const bool unsaved = m_project.Changed || !m_project.Files.AllFilesSaved();
    const bool goOn = !unsaved || SaveChangedFilesDialog();
    if (!goOn)
        emit stateChanged(); // the question may have saved some of the work
    return goOn;
}

bool ProjectController::TryCloseProject()
{
    if (!mayReplaceProject())
        return false;
    m_editor.hide();
    m_activeFile = -1;
    emit projectClosed();
    CloseProject(m_project);
    rebuildFileList();
    emit stateChanged();
    return true;
}

void ProjectController::CloseProject1Click()
{
    if (isOpen())
        TryCloseProject();
}

void ProjectController::SaveProjectAs1Click()
{
    if (!isOpen())
        return;
    if (!m_project.Files.AllFilesSaved()) {
        m_prompts->information(message(1));
        return;
    }
    // The chooser starts from the project's name; cancelled, the project keeps the file name it had.
    const QString offered = m_project.FileName.isEmpty() ? m_project.Name : m_project.FileName;
    const QString chosen =
        m_prompts->saveFile(QStringLiteral("Save Project \"") + m_project.Name + QStringLiteral("\" As:"),
                            m_project.Options.Path + offered, m_filters.save, QStringLiteral("vlmp"));
    if (chosen.isEmpty())
        return;
    m_project.Options.Path = folderOf(chosen);
    m_project.FileName = withProjectExtension(nameOf(chosen));
    SaveProject(m_activeFile + 1);
}

bool ProjectController::SaveProject(int last)
{
    if (m_project.FileName.isEmpty()) {
        SaveProjectAs1Click();
        return !m_project.Changed;
    }
    SaveError error;
    if (!::SaveProject(m_project, last, m_options.CreateBackups, &error)) {
        m_prompts->error(error.message(message(13)));
        return false;
    }
    emit stateChanged();
    return true;
}

// ---- Before a project is closed or replaced

bool ProjectController::SaveChangedFilesDialog()
{
    QList<SaveFileRow> rows;
    if (m_project.Changed)
        rows.append(SaveFileRow::forProject(m_project.Name, m_project.projectFilePath()));
    for (int i = 0; i < m_project.Files.size(); ++i) {
        const ProjectFile &file = m_project.Files[i];
        if (file.Modified && !file.Saved)
            rows.append(SaveFileRow::forFile(file.FileName, i));
    }
    if (rows.isEmpty())
        return true;
    bool notAllSaved = false;
    const bool goOn = m_prompts->saveChangedFiles(
        rows, [this](int id) { return saveForClosing(id); }, &notAllSaved);
    if (notAllSaved)
        m_project.Changed = true;
    return goOn;
}

SaveOutcome ProjectController::saveForClosing(int id)
{
    if (id == SaveFileRow::ProjectId) {
        if (!SaveProject(m_activeFile + 1))
            return m_project.FileName.isEmpty() ? SaveOutcome::NotSaved : SaveOutcome::Stop;
        return m_project.Changed ? SaveOutcome::NotSaved : SaveOutcome::Saved;
    }
    ProjectFile &file = m_project.Files[id];
    QString name = file.FileName;
    if (!diskEntry(name).exists) {
        name = m_prompts->saveFile(QStringLiteral("Save File ") + displayPath(nameOf(name)), name, m_filters.save,
                                   file.FileType.toLower());
        if (name.isEmpty())
            return SaveOutcome::NotSaved;
    }
    if (!writeFile(id, name))
        return SaveOutcome::Stop;
    return file.Modified || !file.Saved ? SaveOutcome::NotSaved : SaveOutcome::Saved;
}

// ---- Recovered work, files changed outside the program

void ProjectController::restoreFiles(const QList<JournalEntry> &entries)
{
    if (entries.isEmpty())
        return;
    if (!isOpen()) {
        const JournalEntry &first = entries.first();
        ResetProject(m_project, first.projectFolder.isEmpty() ? QDir::homePath() + u'/' : first.projectFolder);
        if (!first.projectName.isEmpty())
            m_project.Name = first.projectName;
    }
    // The editor lets go of the active file, so the restored text is what it shows next.
    StoreEditorState();
    if (m_activeFile >= 0)
        m_editor.releaseFile(m_project.Files[m_activeFile]);
    m_activeFile = -1;
    m_editor.hide();
    int first = -1;
    for (const JournalEntry &entry : entries) {
        int index = m_project.Files.FindFile(entry.fileName);
        if (index < 0) {
            m_project.Files.AddFileRecord(entry.fileName, entry.fileType, folderOf(entry.fileName));
            index = m_project.Files.size() - 1;
            m_project.Changed = true;
        }
        ProjectFile &file = m_project.Files[index];
        file.Text = entry.text;
        file.CaretX = entry.caretX;
        file.CaretY = entry.caretY;
        file.TopLine = std::max(1, entry.caretY - 5);
        file.LineFormat = entry.lineFormat;
        file.Encoding = entry.encoding;
        file.HasBom = entry.hasBom;
        file.FinalLineEnd = entry.finalLineEnd;
        file.UndoList.reset();
        file.Modified = true;
        file.Saved = false;
        file.IsNew = false;
        if (first < 0)
            first = index;
    }
    rebuildFileList();
    focusRow(first + 1);
    emit stateChanged();
}

void ProjectController::checkDiskChanges()
{
    // A question below lets the window be activated again, which checks again.
    if (m_checkingDisk || m_saving || !isOpen())
        return;
    m_checkingDisk = true;
    for (int i = 0; i < m_project.Files.size(); ++i) {
        const ProjectFile &file = m_project.Files[i];
        if (!file.Stamp.exists)
            continue;
        if (const DiskStamp now = diskStampOf(file.FileName); now != file.Noticed)
            diskChanged(i, now);
    }
    m_checkingDisk = false;
}

void ProjectController::diskChanged(int index, const DiskStamp &now)
{
    ProjectFile &file = m_project.Files[index];
    file.Noticed = now;
    const QString name = displayPath(file.FileName);
    if (!now.exists) {
        // Its text is all that is left of it: unsaved, so that nothing lets it go unasked.
        file.Modified = true;
        file.Saved = false;
        rebuildFileList();
        emit stateChanged();
        m_prompts->information(name
                               + QStringLiteral(" was deleted or moved outside the editor. Its text stays here, "
                                                "unsaved; save it to keep it."));
        return;
    }
    if (file.Modified || !file.Saved) {
        const QString question = name
            + QStringLiteral(" was changed outside the editor, and it has changes here that "
                             "are not saved.");
        if (m_prompts->choose(question, {QStringLiteral("Keep mine"), QStringLiteral("Reload and lose my changes")})
            != 1)
            return;
    }
    reloadFile(index);
}

void ProjectController::reloadFile(int index)
{
    ProjectFile &file = m_project.Files[index];
    const DiskStamp stamp = diskStampOf(file.FileName);
    FileContent content;
    QString error;
    if (!readFileContent(file.FileName, &content, &error)) {
        m_prompts->error(error);
        return;
    }
    QString text = takeContent(file, std::move(content), stamp);
    if (index == m_activeFile && m_editor.isShown()) {
        // Read back as an edit, so undo goes back to the text before it.
        m_loading = true;
        m_editor.replaceText(text);
        m_loading = false;
        StoreEditorState();
    } else {
        file.Text = std::move(text);
        file.UndoList.reset();
    }
    rebuildFileList();
    emit stateChanged();
}
