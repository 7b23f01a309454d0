#pragma once

#include "CommandActions.h"
#include "FileEditor.h"
#include "IniFile.h"
#include "MainFrame.h"
#include "MainHighlighters.h"
#include "ProgramFiles.h"
#include "ProjectController.h"
#include "ProjectHistory.h"
#include "SysOptions.h"

#include <QMainWindow>

#include <memory>

class CodeInsight;
class TypingAids;
class WorkSafety;
class DeclarationPanes;
class ProjectSearchPane;
class SearchCommands;
class EditorModel;
class PlacementStore;
class PreviewPane;
class PrintCommands;
class ProjectListView;
class QKeyEvent;
class QMenu;
class QSessionManager;

// The main window: the shell that builds the frame, owns the settings, the history, the
// highlighters and the project flows for the whole run, and routes the command table.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr const char *Title = "Velmora PHP Editor";
    static constexpr const char *PlacementSection = "TForm_Main";
    static constexpr QSize DefaultSize{785, 542};

    // parameters: the command line's positional arguments (a project file may be the first).
    MainWindow(ProgramFiles files, QStringList parameters, QWidget *parent = nullptr);
    ~MainWindow() override;

    const SysOptions &options() const { return m_options; }
    int languageIndex() const { return m_languageIndex; }
    ProjectHistory &projectHistory() { return m_history; }
    const MainFrame &frame() const { return m_frame; }
    ProjectController &projects() { return *m_projects; }
    EditorModel *editorModel() const;
    MainHighlighters &highlighters() { return m_highlighters; }
    // Tests answer the window's questions through their own prompts.
    void setPrompts(std::unique_ptr<Prompts> prompts) { m_projects->setPrompts(std::move(prompts)); }

    const CommandActions &commands() const { return *m_commands; }
    void run(Command command);
    // Brings every command's enabling up to date, as the menus do when they open.
    void refreshCommands();
    // Shows or hides the pane of a View toggle as its check mark says.
    void toggleView(Command toggle);

    PreviewPane &preview() { return *m_preview; }
    CodeInsight &insight() { return *m_insight; }
    DeclarationPanes &declarationPanes() { return *m_declarationPanes; }
    SearchCommands &search() { return *m_search; }
    PrintCommands &printing() { return *m_printing; }
    TypingAids &typingAids() { return *m_typingAids; }
    ProjectSearchPane &searchResults() { return *m_searchResults; }
    WorkSafety &workSafety() { return *m_workSafety; }
    // The help page: the user's own copy in the settings folder, else the shipped one.
    QString helpFile() const { return m_files.dataFile(QStringLiteral("vlmpman.html")); }

    // Applies the settings to the editor and writes every key; false (after an error box) when
    // the settings file cannot be written.
    bool ApplySettings();
    // Tools, Options: the dialog, then the settings applied on OK; the editor's highlighter is
    // chosen again after OK and Cancel alike.
    void Options1Click();
    // Tools, Language: every window in language (0 English, 1 Croatian, 2 French, 3 German).
    void English1Click(int language);
    // Brings the title, status text and buttons up to date with the current state.
    void RefreshWindowState();
    // The enabling that follows the editor: after activation and every key and mouse button.
    void UpdateEditButtons();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void sessionEnding(QSessionManager &manager);

private:
    void FormCreate();
    // Closing is allowed when the project could be closed (its unsaved work saved or let go).
    bool FormCloseQuery();
    void FormShow();
    void restorePlacement();
    void savePlacement();
    void applyEditorSettings();
    void createCommands();
    void createEditorPopup();
    CommandState commandState() const;
    // After the placement store restored the panes: the View menu's check marks follow them.
    void FormStorage1RestorePlacement();
    void connectEditor();
    void connectProjects();
    // The editor's key-down handling; true when the key was used up here.
    bool mFileKeyDown(const QKeyEvent &key);
    void mFileChange();
    void BuildReopenMenu();
    // A tool button's icon: ours when the data folder has it, else the theme's.
    QIcon commandIcon(const CommandRow &row) const;
    Prompts &prompts() { return m_projects->prompts(); }

    ProgramFiles m_files;
    QStringList m_parameters;
    MainHighlighters m_highlighters;
    MainFrame m_frame;
    IniFile m_settingsFile;
    std::unique_ptr<PlacementStore> m_placement;
    SysOptions m_options;
    int m_languageIndex = 0;
    ProjectHistory m_history;
    std::unique_ptr<FileEditor> m_fileEditor;
    std::unique_ptr<ProjectController> m_projects;
    std::unique_ptr<CommandActions> m_commands;
    std::unique_ptr<ProjectListView> m_projectList;
    std::unique_ptr<CodeInsight> m_insight;
    DeclarationPanes *m_declarationPanes = nullptr;
    std::unique_ptr<SearchCommands> m_search;
    std::unique_ptr<PrintCommands> m_printing;
    std::unique_ptr<TypingAids> m_typingAids;
    std::unique_ptr<WorkSafety> m_workSafety;
    ProjectSearchPane *m_searchResults = nullptr;
    PreviewPane *m_preview = nullptr;
    QMenu *m_filesMenu = nullptr; // the menu of project files
    bool m_formShownOnce = false;
};
