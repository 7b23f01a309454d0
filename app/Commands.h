#pragma once

#include <QStyle>

#include <array>
#include <span>

class MainWindow;

// Every command of the main window. A command appears in up to three places: an item of the
// main menu, an item of the editor's context menu and a tool button.
// clang-format off
enum class Command {
    Separator,  // a line in a menu or tool bar, not a command
    // File
    NewProject, OpenProject, CloseProject, Reopen, New, NewPhp, NewHtml, NewJavaScript, NewUndefined,
    AddFile, RemoveFile, Format, FormatWindows, FormatUnix, Save, SaveAs, SaveProjectAs, SaveAll, Print,
    ProjectProperties, Exit,
    // Edit
    Undo, Redo, Cut, Copy, Paste, SelectAll, Search, Replace, SearchInProject, GotoLine,
    // View
    CodeExplorer, ViewToolbar, ViewEditorToolbar, ViewLeftPane, ViewFileBrowser, ViewProjectFileList,
    ViewStatusBar, ProjectFiles,
    // Run, Tools, Help
    Run, Preview, Options, Language, English, Croatian, French, German, DisplayHelp, About,
    // The editor's context menu and tool bar
    InsertPhp, InsertVariable, InsertFunction, InsertClass, InsertHtml, FunctionsAndClasses, Insert, HtmlTag,
    FunctionList, ClassList,
    // The project list's tool bar
    FileUp, FileDown, Sort,
};
// clang-format on
constexpr int CommandCount = int(Command::Sort) + 1;

// The state the enabling rules read, taken once per refresh.
struct CommandState {
    bool open = false; // a project is open
    int focusedRow = -1; // 0 the project row, n file n - 1, -1 no rows
    bool fileActive = false;
    bool activeSaved = false;
    bool activeModified = false;
    bool activeHasFolder = false;
    bool activeUnix = false;
    bool activeIsFirst = false;
    bool activeIsLast = false;
    bool changed = false; // the project's Changed
    bool allFilesSaved = true;
    bool hasFiles = false;
    bool editorShown = false;
    bool selection = false;
    bool canPaste = false;
    bool canUndo = false;
    bool canRedo = false;
};

using EnableRule = bool (*)(const CommandState &);
using CommandHandler = void (*)(MainWindow &);

// Where a command shows: a main-menu item, a context-menu item or a tool button.
enum class Slot { Menu, Popup, Button };
constexpr int SlotCount = 3;

struct CommandPlace {
    const char *name = nullptr; // the component name; none: the command is not in this place
    const char *caption = nullptr; // the item's caption or the button's hint
    EnableRule enabled = nullptr; // none: stays as created
    const char *shortcut = "";
    bool startsDisabled = false;
};

struct CommandRow {
    Command command = Command::Separator;
    CommandPlace menu = {};
    CommandPlace popup = {};
    CommandPlace button = {};
    CommandHandler run = nullptr; // none: the command has not arrived yet
    const char *icon = nullptr; // one of our icons in the data folder, else a theme icon
    QStyle::StandardPixmap fallback = QStyle::SP_CustomBase; // when the theme has no such icon
    // The items of a submenu; a submenu without items is filled while the program runs.
    std::span<const Command> submenu = {};
    bool opensMenu = false; // its menu and context-menu places are submenus
    EnableRule checked = nullptr; // a check mark that follows the state
    bool hidden = false; // the button (or context-menu item) is kept hidden

    const CommandPlace &place(Slot slot) const;
};

// The table, one row per command, in the order of the enumeration.
std::span<const CommandRow> commandRows();
const CommandRow &commandRow(Command command);

// The menus and tool bars as they read: commands and separators.
namespace Layout {
extern const std::span<const Command> FileMenu, EditMenu, ViewMenu, RunMenu, ToolsMenu, HelpMenu, EditorPopup;
extern const std::span<const Command> MainBar, ProjectBar, EditorBar;
} // namespace Layout
