#pragma once

#include "Project.h"
#include "Prompts.h"

#include <QObject>

#include <functional>
#include <memory>

class EditorPane;
struct JournalEntry;
class PlacementStore;
class ProjectHistory;
struct SysOptions;

// The filters of the file choosers (description and patterns, separated by "|"), in the window's
// language.
struct ProjectFilters {
    QString project = QStringLiteral("Velmora PHP Editor Project|*.vlmp");
    QString open = QStringLiteral("Web-prg Files|*.php; *.php3; *.php4; *.inc; *.html; *.htm; *.css; *.js|PHP "
                                  "Files|*.php; *.php3; *.php4; *.inc|HTML Files|*.html; *.htm|All Files|*.*");
    QString save = QStringLiteral(
        "All Files|*.*|Project Files|*.vlmp|HTML Files|*.html; *.htm|PHP Files|*.php; *.php3; *.php4; *.inc");
};

// Every file and project flow of the main window: the open project and its file table, the
// active file shown in the single editor, the focused row of the project file list, and the
// questions asked on the way, all through Prompts. The window shows what the signals say.
class ProjectController : public QObject
{
    Q_OBJECT

public:
    // The translated text of the window's message number.
    using MessageText = std::function<QString(int number)>;

    ProjectController(EditorPane &editor, const SysOptions &options, ProjectHistory &history, PlacementStore &placement,
                      std::unique_ptr<Prompts> prompts, MessageText message);
    ~ProjectController() override;

    Prompts &prompts() { return *m_prompts; }
    // The translated text of the window's message number.
    QString message(int number) const { return m_message(number); }
    void setPrompts(std::unique_ptr<Prompts> prompts) { m_prompts = std::move(prompts); }

    const Project &project() const { return m_project; }
    Project &project() { return m_project; }
    bool isOpen() const { return !m_project.Name.isEmpty(); }
    // The file shown in the editor, -1 for none.
    int activeFile() const { return m_activeFile; }
    const ProjectFile *activeEntry() const;
    // Row 0 is the project, row n file n - 1; -1 while the list has no rows.
    int focusedRow() const { return isOpen() ? m_focusedRow : -1; }
    // While a file is written the list's reactions wait (the program's SavingFlag).
    bool saving() const { return m_saving; }
    // While the preview is shown, rows can be focused but activate nothing.
    void setPreviewing(bool previewing) { m_previewing = previewing; }
    bool previewing() const { return m_previewing; }

    // --- Projects
    void NewProject1Click();
    void OpenProject1Click();
    // A Reopen item: the project at path, after the Save Files question.
    void reopenProject(const QString &path);
    // path may be an entry of the history, which the load changes; it is copied first.
    bool LoadProject(QString path);
    void CloseProject1Click();
    // True when the project was closed, its unsaved work saved or let go.
    bool TryCloseProject();
    void SaveProjectAs1Click();
    // Writes the project file; last is the position from 1 of the active file, 0 for none.
    bool SaveProject(int last);
    void ProjectProperties1Click();

    // --- Files
    void NewFile(NewFileKind kind);
    void btnAddFileClick();
    // A file dropped on the window or the editor.
    void AddFileToProject(const QString &path);
    void Save1Click();
    void SaveAs1Click();
    void btnSaveAllClick();
    // Save for every file not saved, each made active in turn.
    void SaveModifiedFiles();
    void setLineFormat(LineEnds format);
    void btnRemoveFileClick();
    // Move File UP (-1) or DOWN (+1).
    void btnFileUpDownClick(int step);

    // Focuses a row of the project file list and makes its file the active one (the list's
    // change of node).
    void focusRow(int row);
    void setFilters(ProjectFilters filters) { m_filters = std::move(filters); }
    // The editor's text and position into the active file, for everything that reads it.
    void StoreEditorState();
    // The editor's text changed: the active file becomes modified.
    void editorChanged();

    // --- Work kept by the recovery journal, files changed outside the program
    // Puts recovered work into the open project (a new one named as the entries say when none is
    // open): each entry's text into the file of its name, or into a new entry when the project
    // lists none; modified and not saved. The first of them is shown.
    void restoreFiles(const QList<JournalEntry> &entries);
    // Looks at every file of the project on disk: one changed outside the program is read again
    // when it holds no unsaved work, else the user chooses; one deleted keeps its text as unsaved.
    void checkDiskChanges();

signals:
    // The files, their names or their modified marks changed: the list is built anew.
    void fileListChanged();
    void focusedRowChanged(int row);
    // Another file, or none, took the editor.
    void activeFileChanged(int index);
    void historyChanged();
    // The open project was closed or is being replaced by another.
    void projectClosed();
    // Title, status, name bar and buttons follow the state (RefreshWindowState).
    void stateChanged();

private:
    QString messageWith(int number, const QString &argument) const;
    QString defaultFolder() const;
    void rebuildFileList();
    void activate(int row);
    void addFile(const QString &path, const QString &shownName);
    bool writeFile(int index, const QString &fileName);
    // Before fileName is written over: true when it has not changed since it was read, or the
    // user says to write over the change.
    bool mayOverwrite(const ProjectFile &file, const QString &fileName);
    // A change on disk of file index, found by checkDiskChanges.
    void diskChanged(int index, const DiskStamp &now);
    // Reads file index again; the active file's editor keeps caret and undo lists.
    void reloadFile(int index);
    // Save of the active file; false when cancelled or failed.
    bool saveActiveFile(bool askName);
    // Before the project is closed or replaced: the Save Files question when anything is unsaved;
    // true when the caller may go on.
    bool mayReplaceProject();
    bool SaveChangedFilesDialog();
    // Saves one row of the Save Files question: the project (id -1) or a file.
    SaveOutcome saveForClosing(int id);

    EditorPane &m_editor;
    const SysOptions &m_options;
    ProjectHistory &m_history;
    PlacementStore &m_placement;
    std::unique_ptr<Prompts> m_prompts;
    MessageText m_message;
    ProjectFilters m_filters;

    Project m_project;
    int m_activeFile = -1;
    int m_focusedRow = -1;
    bool m_loading = false;
    bool m_saving = false;
    bool m_previewing = false;
    bool m_checkingDisk = false;
};
