// The main window's commands, one row each: where each shows, what it runs, and when it is
// enabled. Commands that arrive with later parts of the program are present and do nothing yet.
#include "Commands.h"

#include "AboutDialog.h"
#include "CodeInsight.h"
#include "DeclarationPanes.h"
#include "EditorModel.h"
#include "MainWindow.h"
#include "PreviewPane.h"
#include "PrintCommands.h"
#include "ProjectController.h"
#include "SearchCommands.h"

#include <QCoreApplication>
#include <QToolBar>
#include <QtGlobal>

namespace {

using C = Command;
using S = CommandState;

// ---- Enabling rules, as each menu opens and each refresh runs

// clang-format off
bool whileOpen(const S &s) { return s.open; }
bool withRows(const S &s) { return s.open && s.focusedRow >= 0; }
bool onFileRow(const S &s) { return s.open && s.focusedRow > 0; }
bool whileFileActive(const S &s) { return s.fileActive; }
bool whileShown(const S &s) { return s.editorShown; }
bool withSelection(const S &s) { return s.editorShown && s.selection; }
bool withPaste(const S &s) { return s.editorShown && s.canPaste; }
bool withUndo(const S &s) { return s.editorShown && s.canUndo; }
bool withRedo(const S &s) { return s.editorShown && s.canRedo; }
bool withUnsavedWork(const S &s) { return s.open && (s.changed || !s.allFilesSaved); }
// The Save File button saves the project from its row, else the active file.
bool saveButton(const S &s) { return s.open && ((s.focusedRow == 0 && s.changed) || (s.fileActive && !s.activeSaved)); }
bool saveMenu(const S &s) { return s.fileActive && s.activeHasFolder && s.activeModified; }
bool saveInEditor(const S &s) { return s.editorShown && s.fileActive && s.activeModified; }
bool canMoveUp(const S &s) { return s.fileActive && !s.activeIsFirst; }
bool canMoveDown(const S &s) { return s.fileActive && !s.activeIsLast; }
bool runnable(const S &s) { return withRows(s) && s.hasFiles; }
bool sortable(const S &s) { return s.hasFiles; }
bool windowsFormat(const S &s) { return !s.activeUnix; }
bool unixFormat(const S &s) { return s.activeUnix; }
// clang-format on

// ---- Handlers

ProjectController &projects(MainWindow &w)
{
    return w.projects();
}
EditorModel &editor(MainWindow &w)
{
    return *w.editorModel();
}

void toggleView(MainWindow &w, Command command)
{
    w.toggleView(command);
}

CodeInsight &insight(MainWindow &w)
{
    return w.insight();
}

// The tool button the pane lines up with.
const QWidget *paneAnchor(MainWindow &w, Command list)
{
    return w.frame().ToolBar2->widgetForAction(w.commands().action(list, Slot::Button));
}

constexpr Command NewItems[] = {C::NewPhp, C::NewHtml, C::NewJavaScript, C::Separator, C::NewUndefined};
constexpr Command FormatItems[] = {C::FormatWindows, C::FormatUnix};
constexpr Command LanguageItems[] = {C::English, C::Croatian, C::French, C::German};
constexpr Command InsertPhpItems[] = {C::InsertVariable, C::InsertFunction, C::InsertClass};
constexpr Command DeclarationItems[] = {C::FunctionList, C::ClassList};

using QS = QStyle;

// clang-format off
const CommandRow Rows[] = {
    {.command = C::Separator},
    // File
    {.command = C::NewProject, .menu = {"NewProject1", "New Project"}, .button = {"btnNewProject", "New Project"},
     .run = [](MainWindow &w) { projects(w).NewProject1Click(); }, .icon = "folder-new", .fallback = QS::SP_FileDialogNewFolder},
    {.command = C::OpenProject, .menu = {"OpenProject1", "Open Pro&ject"}, .button = {"btnOpenProject", "Open Project"},
     .run = [](MainWindow &w) { projects(w).OpenProject1Click(); }, .icon = "document-open", .fallback = QS::SP_DialogOpenButton},
    {.command = C::CloseProject, .menu = {"CloseProject1", "Close Project", whileOpen},
     .run = [](MainWindow &w) { projects(w).CloseProject1Click(); }},
    {.command = C::Reopen, .menu = {"Reopen1", "Reopen"}, .opensMenu = true},
    {.command = C::New, .menu = {"New1", "New", withRows, "", true}, .submenu = NewItems, .opensMenu = true},
    {.command = C::NewPhp, .menu = {"PHPFile1", "PHP"}, .button = {"btnNewPHP", "New PHP File", whileOpen},
     .run = [](MainWindow &w) { projects(w).NewFile(NewFileKind::Php); }, .icon = "file-php", .fallback = QS::SP_FileIcon},
    {.command = C::NewHtml, .menu = {"HTMLFile1", "HTML"}, .button = {"btnNewHTML", "New HTML File", whileOpen},
     .run = [](MainWindow &w) { projects(w).NewFile(NewFileKind::Html); }, .icon = "file-html", .fallback = QS::SP_FileIcon},
    {.command = C::NewJavaScript, .menu = {"JavaScript1", "JavaScript"},
     .button = {"btnNewJS", "New JavaScript File", whileOpen},
     .run = [](MainWindow &w) { projects(w).NewFile(NewFileKind::JavaScript); }, .icon = "file-js",
     .fallback = QS::SP_FileIcon},
    {.command = C::NewUndefined, .menu = {"Neodreena1", "Undefined"},
     .run = [](MainWindow &w) { projects(w).NewFile(NewFileKind::Undefined); }},
    {.command = C::AddFile, .menu = {"AddFiletoProject1", "Add File To Project", withRows},
     .button = {"btnAddFile", "Add File(s) to Project", whileOpen},
     .run = [](MainWindow &w) { projects(w).btnAddFileClick(); }, .icon = "list-add", .fallback = QS::SP_FileDialogNewFolder},
    {.command = C::RemoveFile, .menu = {"RemoveFilefromProject1", "Remove File From Project", onFileRow},
     .button = {"btnRemoveFile", "Remove File(s) from Project", whileOpen},
     .run = [](MainWindow &w) { projects(w).btnRemoveFileClick(); }, .icon = "list-remove", .fallback = QS::SP_TrashIcon},
    {.command = C::Format, .menu = {"Format1", "Format", whileFileActive, "", true}, .submenu = FormatItems,
     .opensMenu = true},
    {.command = C::FormatWindows, .menu = {"mnuFmtWindows", "Windows"},
     .run = [](MainWindow &w) { projects(w).setLineFormat(LineEnds::Windows); }, .checked = windowsFormat},
    {.command = C::FormatUnix, .menu = {"mnuFmtUnix", "UNIX/Linux"},
     .run = [](MainWindow &w) { projects(w).setLineFormat(LineEnds::Unix); }, .checked = unixFormat},
    {.command = C::Save, .menu = {"Save1", "Save", saveMenu}, .popup = {"SaveFile1", "&Save File", saveInEditor, "Ctrl+S"},
     .button = {"btnSaveFile", "Save File", saveButton}, .run = [](MainWindow &w) { projects(w).Save1Click(); },
     .icon = "document-save", .fallback = QS::SP_DialogSaveButton},
    {.command = C::SaveAs, .menu = {"SaveAs1", "Save As", whileFileActive},
     .run = [](MainWindow &w) { projects(w).SaveAs1Click(); }},
    {.command = C::SaveProjectAs, .menu = {"SaveProjectAs1", "Save Project As", whileOpen},
     .run = [](MainWindow &w) { projects(w).SaveProjectAs1Click(); }},
    {.command = C::SaveAll, .menu = {"SaveAll1", "Save All", withUnsavedWork},
     .button = {"btnSaveAll", "Save All Files in Project", withUnsavedWork},
     .run = [](MainWindow &w) { projects(w).btnSaveAllClick(); }, .icon = "save-all", .fallback = QS::SP_DriveFDIcon},
    {.command = C::Print, .menu = {"Print1", "Print", whileFileActive}, .popup = {"Print2", "Print"},
     .button = {"btnPrint", "Print", whileShown}, .run = [](MainWindow &w) { w.printing().Print1Click(); },
     .icon = "document-print"},
    {.command = C::ProjectProperties, .menu = {"ProjectProperties1", "Project Properties", withRows},
     .button = {"btnProperties", "Project Properties", whileOpen},
     .run = [](MainWindow &w) { projects(w).ProjectProperties1Click(); }, .icon = "document-properties",
     .fallback = QS::SP_FileDialogInfoView},
    {.command = C::Exit, .menu = {"Exit1", "Exit"}, .button = {"btnExit", "Exit"}, .run = [](MainWindow &w) { w.close(); },
     .icon = "application-exit", .fallback = QS::SP_DialogCloseButton},
    // Edit
    {.command = C::Undo, .menu = {"Undo1", "Undo", withUndo, "Alt+Backspace", true},
     .popup = {"Undo2", "Undo", withUndo, "Alt+Backspace"}, .button = {"btnUndo", "Undo", withUndo},
     .run = [](MainWindow &w) { editor(w).Undo(); }, .icon = "edit-undo", .fallback = QS::SP_ArrowBack},
    {.command = C::Redo, .menu = {"Redo1", "Redo", withRedo, "Shift+Alt+Backspace", true},
     .popup = {"Redo2", "Redo", withRedo, "Shift+Alt+Backspace"}, .button = {"btnRedo", "Redo", withRedo},
     .run = [](MainWindow &w) { editor(w).Redo(); }, .icon = "edit-redo", .fallback = QS::SP_ArrowForward},
    {.command = C::Cut, .menu = {"Cut1", "Cut", withSelection, "", true}, .popup = {"Cut2", "Cut", withSelection},
     .button = {"btnCut", "Cut", withSelection}, .run = [](MainWindow &w) { editor(w).ExecuteCommand(EditorCommand::Cut); },
     .icon = "edit-cut"},
    {.command = C::Copy, .menu = {"Copy1", "Copy", withSelection, "", true}, .popup = {"Copy2", "Copy", withSelection},
     .button = {"btnCopy", "Copy", withSelection},
     .run = [](MainWindow &w) { editor(w).ExecuteCommand(EditorCommand::Copy); }, .icon = "edit-copy"},
    {.command = C::Paste, .menu = {"Paste1", "Paste", withPaste, "", true}, .popup = {"Paste2", "Paste", withPaste},
     .button = {"btnPaste", "Paste", withPaste},
     .run = [](MainWindow &w) { editor(w).ExecuteCommand(EditorCommand::Paste); }, .icon = "edit-paste"},
    {.command = C::SelectAll, .menu = {"SelectAll1", "Select All", whileShown, "Ctrl+A", true},
     .popup = {"SelectAll2", "Select All", whileShown, "Ctrl+A"}, .run = [](MainWindow &w) { editor(w).SelectAll(); }},
    {.command = C::Search, .menu = {"Search1", "Search", whileShown, "Ctrl+F"},
     .popup = {"Search2", "Search", whileShown, "Ctrl+F"}, .button = {"btnFind", "Search", whileShown},
     .run = [](MainWindow &w) { w.search().btnFindClick(); }, .icon = "edit-find"},
    {.command = C::Replace, .menu = {"Replace1", "Replace", whileShown, "Ctrl+R"},
     .popup = {"Replace2", "Replace", whileShown, "Ctrl+R"}, .button = {"btnReplace", "Replace", whileShown},
     .run = [](MainWindow &w) { w.search().btnReplaceClick(); }, .icon = "edit-find-replace"},
    {.command = C::SearchInProject, .menu = {"SearchInProject1", "Search in Project...", runnable, "Ctrl+Shift+F", true},
     .run = [](MainWindow &w) { w.search().SearchInProject1Click(); }},
    {.command = C::GotoLine, .menu = {"GotoLine1", "Goto Line", whileShown, "Ctrl+G"},
     .popup = {"GotoLine2", "&Goto Line", nullptr, "Ctrl+G"}, .run = [](MainWindow &w) { insight(w).GotoLine1Click(); }},
    // View
    {.command = C::CodeExplorer, .menu = {"CodeExplorer2", "Code Explorer"},
     .popup = {"CodeExplorer1", "Code Explorer", nullptr, "Ctrl+E"}, .button = {"btnCodeExplorer", "Code Explorer"},
     .run = [](MainWindow &w) { insight(w).CodeExplorer2Click(); }, .icon = "system-search", .fallback = QS::SP_FileDialogContentsView},
    {.command = C::ViewToolbar, .menu = {"Toolbar6", "Toolbar"}, .run = [](MainWindow &w) { toggleView(w, C::ViewToolbar); }},
    {.command = C::ViewEditorToolbar, .menu = {"EditorToolbar1", "Editor Toolbar"},
     .run = [](MainWindow &w) { toggleView(w, C::ViewEditorToolbar); }},
    {.command = C::ViewLeftPane, .menu = {"LeftPane1", "Left Pane"},
     .run = [](MainWindow &w) { toggleView(w, C::ViewLeftPane); }},
    {.command = C::ViewFileBrowser, .menu = {"FileBrowser1", "File Browser"},
     .run = [](MainWindow &w) { toggleView(w, C::ViewFileBrowser); }},
    {.command = C::ViewProjectFileList, .menu = {"ProjectFileList1", "Project File List"},
     .run = [](MainWindow &w) { toggleView(w, C::ViewProjectFileList); }},
    {.command = C::ViewStatusBar, .menu = {"StatusBar2", "Status Bar"},
     .run = [](MainWindow &w) { toggleView(w, C::ViewStatusBar); }},
    {.command = C::ProjectFiles, .menu = {"ProjectFiles1", "Project Files"}, .button = {"btnProjectFiles", "Files in Project"},
     .fallback = QS::SP_FileDialogListView, .opensMenu = true},
    // Run, Tools, Help
    {.command = C::Run, .menu = {"Run1", "Run", runnable, "F9", true}, .button = {"btnRun", "Run Project", whileOpen},
     .run = [](MainWindow &w) { w.preview().ShowPreview(false); }, .icon = "media-playback-start",
     .fallback = QS::SP_MediaPlay},
    {.command = C::Preview, .menu = {"Preview1", "Preview Current File", onFileRow, "Ctrl+F9", true},
     .button = {"btnPreview", "Preview Current File", whileFileActive},
     .run = [](MainWindow &w) { w.preview().ShowPreview(true); }, .icon = "document-print-preview",
     .fallback = QS::SP_FileDialogContentsView},
    {.command = C::Options, .menu = {"Options1", "Options"}, .run = [](MainWindow &w) { w.Options1Click(); }},
    {.command = C::Language, .menu = {"Language1", "Language"}, .submenu = LanguageItems, .opensMenu = true},
    {.command = C::English, .menu = {"English1", "English"}, .run = [](MainWindow &w) { w.English1Click(0); }},
    {.command = C::Croatian, .menu = {"Croatian1", "Hrvatski"}, .run = [](MainWindow &w) { w.English1Click(1); }},
    {.command = C::French, .menu = {"French1", "Francais"}, .run = [](MainWindow &w) { w.English1Click(2); }},
    {.command = C::German, .menu = {"German1", "Deutsch"}, .run = [](MainWindow &w) { w.English1Click(3); }},
    {.command = C::DisplayHelp, .menu = {"DisplayHelp1", "Display Help"},
     .run = [](MainWindow &w) { w.preview().DisplayHelp1Click(w.helpFile()); }},
    {.command = C::About, .menu = {"About1", "About"},
     .run = [](MainWindow &w) { AboutDialog::run(&w, QString::fromLatin1(MainWindow::Title), QCoreApplication::applicationVersion()); }},
    // The editor's context menu and tool bar
    {.command = C::InsertPhp, .popup = {"Insert1", "Insert (PHP)"}, .submenu = InsertPhpItems, .opensMenu = true},
    {.command = C::InsertVariable, .popup = {"PHPVariable1", "Variable", nullptr, "Ctrl+P"},
     .run = [](MainWindow &w) { insight(w).PHPVariable1Click(); }},
    {.command = C::InsertFunction, .popup = {"PHPFunction1", "Function"},
     .run = [](MainWindow &w) { insight(w).InsertTemplateLine(CodeInsight::FunctionTemplate); }},
    {.command = C::InsertClass, .popup = {"PHPClass1", "Class"},
     .run = [](MainWindow &w) { insight(w).InsertTemplateLine(CodeInsight::ClassTemplate); }},
    {.command = C::InsertHtml, .popup = {"InsertHTML1", "Insert (HTML)"}, .opensMenu = true, .hidden = true},
    {.command = C::FunctionsAndClasses, .popup = {"FunctionsandClasses1", "Functions and Classes"},
     .submenu = DeclarationItems, .opensMenu = true},
    {.command = C::Insert, .button = {"btnInsert", "Insert..."}, .icon = "insert-text"},
    {.command = C::HtmlTag, .button = {"btnHtmlTag", "Insert HTML tag"}, .icon = "insert-link", .hidden = true},
    {.command = C::FunctionList, .popup = {"Functions1", "Functions"}, .button = {"btnFunctionList", "Functions"},
     .run = [](MainWindow &w) { w.declarationPanes().btnFunctionListClick(paneAnchor(w, C::FunctionList)); },
     .icon = "functions",
     .fallback = QS::SP_FileDialogListView},
    {.command = C::ClassList, .popup = {"Classes1", "Classes"}, .button = {"btnClassList", "Classes"},
     .run = [](MainWindow &w) { w.declarationPanes().btnClassListClick(paneAnchor(w, C::ClassList)); },
     .icon = "classes",
     .fallback = QS::SP_FileDialogDetailedView},
    // The project list's tool bar
    {.command = C::FileUp, .button = {"btnFileUp", "Move File UP", canMoveUp},
     .run = [](MainWindow &w) { projects(w).btnFileUpDownClick(-1); }, .icon = "go-up", .fallback = QS::SP_ArrowUp},
    {.command = C::FileDown, .button = {"btnFileDown", "Move File DOWN", canMoveDown},
     .run = [](MainWindow &w) { projects(w).btnFileUpDownClick(1); }, .icon = "go-down", .fallback = QS::SP_ArrowDown},
    {.command = C::Sort, .button = {"btnSort", "Sort Files", sortable}, .icon = "view-sort-ascending",
     .fallback = QS::SP_FileDialogDetailedView, .hidden = true},
};
// clang-format on

static_assert(std::size(Rows) == CommandCount, "one row per command");

// clang-format off
constexpr Command FileMenuLayout[] = {
    C::NewProject, C::OpenProject, C::CloseProject, C::Reopen, C::Separator, C::New, C::AddFile, C::RemoveFile,
    C::Separator, C::Format, C::Save, C::SaveAs, C::SaveProjectAs, C::SaveAll, C::Separator, C::Print, C::Separator,
    C::ProjectProperties, C::Separator, C::Exit,
};
// clang-format on
// clang-format off
constexpr Command EditMenuLayout[] = {
    C::Undo, C::Redo, C::Separator, C::Cut, C::Copy, C::Paste, C::Separator, C::SelectAll, C::Separator,
    C::Search, C::Replace, C::SearchInProject, C::Separator, C::GotoLine,
};
// clang-format on
// clang-format off
constexpr Command ViewMenuLayout[] = {
    C::CodeExplorer, C::Separator, C::ViewToolbar, C::ViewEditorToolbar, C::ViewLeftPane, C::ViewFileBrowser,
    C::ViewProjectFileList, C::ViewStatusBar, C::Separator, C::ProjectFiles,
};
// clang-format on
constexpr Command RunMenuLayout[] = {C::Run, C::Preview};
constexpr Command ToolsMenuLayout[] = {C::Options, C::Separator, C::Language};
constexpr Command HelpMenuLayout[] = {C::DisplayHelp, C::Separator, C::About};
// clang-format off
constexpr Command EditorPopupLayout[] = {
    C::CodeExplorer, C::InsertPhp, C::InsertHtml, C::FunctionsAndClasses, C::Separator, C::Save, C::Print,
    C::Separator, C::Undo, C::Redo, C::Separator, C::Cut, C::Copy, C::Paste, C::Separator, C::SelectAll,
    C::Separator, C::Search, C::Replace, C::Separator, C::GotoLine,
};
// clang-format on
// clang-format off
constexpr Command MainBarLayout[] = {
    C::ProjectFiles, C::Separator, C::NewProject, C::OpenProject, C::Separator, C::NewPhp, C::NewHtml,
    C::NewJavaScript, C::Separator, C::Save, C::SaveAll, C::Separator, C::Run, C::Preview, C::Separator, C::Exit,
};
// clang-format on
// clang-format off
constexpr Command ProjectBarLayout[] = {
    C::AddFile, C::RemoveFile, C::ProjectProperties, C::CodeExplorer, C::FileUp, C::FileDown, C::Sort,
};
// clang-format on
// clang-format off
constexpr Command EditorBarLayout[] = {
    C::Cut, C::Copy, C::Paste, C::Undo, C::Redo, C::Search, C::Replace, C::Insert, C::HtmlTag,
    C::FunctionList, C::ClassList, C::Print,
};
// clang-format on

} // namespace

const CommandPlace &CommandRow::place(Slot slot) const
{
    switch (slot) {
    case Slot::Menu: return menu;
    case Slot::Popup: return popup;
    case Slot::Button: break;
    }
    return button;
}

std::span<const CommandRow> commandRows()
{
    return Rows;
}

const CommandRow &commandRow(Command command)
{
    const CommandRow &row = Rows[int(command)];
    Q_ASSERT(row.command == command);
    return row;
}

namespace Layout {
const std::span<const Command> FileMenu = FileMenuLayout, EditMenu = EditMenuLayout, ViewMenu = ViewMenuLayout,
                               RunMenu = RunMenuLayout, ToolsMenu = ToolsMenuLayout, HelpMenu = HelpMenuLayout,
                               EditorPopup = EditorPopupLayout;
const std::span<const Command> MainBar = MainBarLayout, ProjectBar = ProjectBarLayout, EditorBar = EditorBarLayout;
} // namespace Layout
