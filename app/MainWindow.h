#pragma once

#include "IniFile.h"
#include "MainFrame.h"
#include "MainHighlighters.h"
#include "Project.h"
#include "Prompts.h"
#include "SaveFilesDialog.h"
#include "ProgramFiles.h"
#include "ProjectHistory.h"
#include "SysOptions.h"

#include <QHash>
#include <QMainWindow>

class PlacementStore;

// The items that follow the editor's state: cut and copy need a selection, paste text on the
// clipboard, undo and redo something to take back; the others only need a file shown.
struct EditCommandNames {
    const char *cut;
    const char *copy;
    const char *paste;
    const char *undo;
    const char *redo;
    std::initializer_list<const char *> whileShown;
};
class QToolBar;
struct ToolButton;
struct MainMenuItem;
class QMenu;
class QKeyEvent;
class QShortcut;
class QSessionManager;

// The main window: owns the settings, the history of projects and every pane of the program.
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
    Project &project() { return m_project; }
    int activeFile() const { return m_activeFile; }
    // Tests answer the window's questions through their own prompts.
    void setPrompts(std::unique_ptr<Prompts> prompts) { m_prompts = std::move(prompts); }

    // --- Menu commands (MainMenus.cpp)
    void PHPFile1Click();
    void HTMLFile1Click();
    void JavaScript1Click();
    void Neodreena1Click();
    void mnuFmtWindowsClick();
    void mnuFmtUnixClick();
    void Exit1Click();
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void SelectAll1Click();
    // View toggles: each shows or hides its pane as its check mark says.
    void Toolbar6Click();
    void EditorToolbar1Click();
    void LeftPane1Click();
    void FileBrowser1Click();
    void ProjectFileList1Click();
    void StatusBar2Click();

    // Menu-opening rules: what each menu enables as it opens.
    void File1Click();
    void Edit1Click();
    void Project1Click();
    void PopupMenu1Popup();
    // Enables the editor tool bar's buttons after the editor's state.
    void UpdateEditButtons();
    // Runs the command of the menu item named name; false when it has none yet.
    bool runMenuCommand(const char *name);
    bool isEnabled(const char *name) const;

    // --- Files and projects (MainWindowFiles.cpp)
    void NewProject1Click();
    void OpenProject1Click();
    bool LoadProject(const QString &path);
    void CloseProject1Click();
    bool TryCloseProject();
    void SaveProjectAs1Click();
    void ProjectProperties1Click();
    // Writes the project file; last is the position from 1 of the active file, 0 for none.
    bool SaveProject(int last);
    void NewFile(NewFileKind kind);
    void btnAddFileClick();
    void AddFileToProject(const QString &path);
    void Save1Click();
    void SaveAs1Click();
    void btnSaveAllClick();
    void setLineFormat(LineEnds format);
    void btnRemoveFileClick();
    // Move File UP (-1) or DOWN (+1).
    void btnFileUpDownClick(int step);
    void btnFileUpClick();
    void btnFileDownClick();
    void StoreEditorState();
    // Makes row (0: the project, n: file n - 1) of the project file list the focused one.
    void focusRow(int row);
    MainHighlighters &highlighters() { return m_highlighters; }

    // The preview pane takes the work area's place until ClosePreview (Close or Esc) brings the
    // work area back with the file that was active.
    void enterPreview();
    void ClosePreview();
    bool previewing() const { return m_previewing; }

    // Applies the settings to the editor and writes every key; false (after an error box) when
    // the settings file cannot be written.
    bool ApplySettings();
    // Brings the title, status text and buttons up to date with the current state.
    void RefreshWindowState();

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
    void createMenus();
    void fillMenu(QMenu *menu, const MainMenuItem *items);
    // Shows or hides the pane of a View menu toggle as its check mark says.
    void toggle(const char *item);
    void createToolBars();
    void createEditorPopup();
    void addToolButtons(QToolBar *bar, const ToolButton *buttons, int count, QAction *before);
    // The action of a menu item, tool button or submenu, by its component name.
    QAction *commandAction(const char *name) const;
    void enable(const char *name, bool enabled);
    void enableEditCommands(const EditCommandNames &names);
    void updateEditToolBar();
    // The project and file buttons' part of RefreshWindowState.
    void refreshButtons();
    // After the placement store restored the panes: the View menu's check marks follow them.
    void FormStorage1RestorePlacement();
    void connectEditor();
    // The editor's key-down handling; true when the key was used up here.
    bool mFileKeyDown(const QKeyEvent &key);
    void hideDeclarationPanes();
    void BuildReopenMenu();
    void RebuildFileList();
    // The file's name, with its full path in brackets when it lies outside the project folder.
    QString fileCaption(int index) const;
    void rebuildFilesMenu();
    void createFilesMenu();
    void dxtlProjectChangeNode();
    void activateFile(int index);
    void chooseHighlighterFor(const QString &fileType);
    void cbHighlighterChange(int item);
    void ShowActiveFileName(int index);
    void UpdateCaretStatus();
    void mFileChange();
    void markChanged();
    // Save of the active file; false when cancelled or failed.
    bool saveActiveFile(bool askName);
    bool writeFile(int index, const QString &fileName);
    void SaveModifiedFiles();
    bool SaveChangedFilesDialog();
    // Saves one row of the Save Files dialog: the project (id -1) or a file.
    SaveOutcome saveForClosing(int id);
    int focusedRow() const;
    QString messageWith(int number, const QString &argument) const;
    // One of the program's own icons from the data folder.
    QIcon dataIcon(const QString &name) const;
    QString dataIconPath(const QString &name) const;
    // A tool button's icon: ours when the data folder has it, else the theme's.
    QIcon toolIcon(const QString &name) const;
    void LoadHighlighterColours();
    // Loads the colours from the file, or creates the file from them when it is missing.
    void loadOrCreateColours(SynCustomHighlighter &highlighter, const QString &fileName);

    ProgramFiles m_files;
    QStringList m_parameters;
    MainHighlighters m_highlighters;
    MainFrame m_frame;
    IniFile m_settingsFile;
    std::unique_ptr<PlacementStore> m_placement;
    SysOptions m_options;
    int m_languageIndex = 0;
    ProjectHistory m_history;
    Project m_project;
    int m_activeFile = -1;
    bool m_loading = false;
    bool m_saving = false;
    bool m_previewing = false;
    int m_previewReturnFile = -1;
    QShortcut *m_closePreviewKey = nullptr;
    mutable QHash<QByteArray, QAction *> m_commandActions;
    std::unique_ptr<Prompts> m_prompts;
    QMenu *m_reopenMenu = nullptr;
    QMenu *m_filesMenu = nullptr;  // the menu of project files
    QMenu *m_popupPHP = nullptr;   // the Insert button's drop-down
    bool m_formShownOnce = false;
    bool m_placementRestored = false;
};
