// The main window's menus, built from one table: every item, its shortcut, the separators after
// it, and whether it starts disabled. Items whose commands arrive with later parts of the program
// are present and do nothing yet.
#include "MainWindow.h"

#include "EditorModel.h"
#include "EditorWidget.h"

#include <QFile>
#include <QMenu>
#include <QStyle>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using Handler = void (MainWindow::*)();

struct MainMenuItem {
    const char *name;        // the component name; nullptr for a separator
    const char *caption;
    const char *shortcut;    // empty for none
    Handler handler;         // nullptr: the command has not arrived yet
    bool startsDisabled;
    const MainMenuItem *submenu; // items of a submenu, ended by End
};

namespace {

using MenuItem = MainMenuItem;

constexpr MenuItem Separator{nullptr, nullptr, "", nullptr, false, nullptr};
constexpr MenuItem End{nullptr, nullptr, nullptr, nullptr, false, nullptr};

const MenuItem NewItems[] = {
    {"PHPFile1", "PHP", "", &MainWindow::PHPFile1Click, false, nullptr},
    {"HTMLFile1", "HTML", "", &MainWindow::HTMLFile1Click, false, nullptr},
    {"JavaScript1", "JavaScript", "", &MainWindow::JavaScript1Click, false, nullptr},
    Separator,
    {"Neodreena1", "Undefined", "", &MainWindow::Neodreena1Click, false, nullptr},
    End,
};

const MenuItem FormatItems[] = {
    {"mnuFmtWindows", "Windows", "", &MainWindow::mnuFmtWindowsClick, false, nullptr},
    {"mnuFmtUnix", "UNIX/Linux", "", &MainWindow::mnuFmtUnixClick, false, nullptr},
    End,
};

const MenuItem FileItems[] = {
    {"NewProject1", "New Project", "", &MainWindow::NewProject1Click, false, nullptr},
    {"OpenProject1", "Open Pro&ject", "", &MainWindow::OpenProject1Click, false, nullptr},
    {"CloseProject1", "Close Project", "", &MainWindow::CloseProject1Click, false, nullptr},
    {"Reopen1", "Reopen", "", nullptr, false, nullptr},
    Separator,
    {"New1", "New", "", nullptr, true, NewItems},
    {"AddFiletoProject1", "Add File To Project", "", &MainWindow::btnAddFileClick, false, nullptr},
    {"RemoveFilefromProject1", "Remove File From Project", "", &MainWindow::btnRemoveFileClick, false, nullptr},
    Separator,
    {"Format1", "Format", "", nullptr, true, FormatItems},
    {"Save1", "Save", "", &MainWindow::Save1Click, false, nullptr},
    {"SaveAs1", "Save As", "", &MainWindow::SaveAs1Click, false, nullptr},
    {"SaveProjectAs1", "Save Project As", "", &MainWindow::SaveProjectAs1Click, false, nullptr},
    {"SaveAll1", "Save All", "", &MainWindow::btnSaveAllClick, false, nullptr},
    Separator,
    {"Print1", "Print", "", nullptr, false, nullptr},
    Separator,
    {"ProjectProperties1", "Project Properties", "", &MainWindow::ProjectProperties1Click, false, nullptr},
    Separator,
    {"Exit1", "Exit", "", &MainWindow::Exit1Click, false, nullptr},
    End,
};

const MenuItem EditItems[] = {
    {"Undo1", "Undo", "Alt+Backspace", &MainWindow::Undo1Click, true, nullptr},
    {"Redo1", "Redo", "Shift+Alt+Backspace", &MainWindow::Redo1Click, true, nullptr},
    Separator,
    {"Cut1", "Cut", "", &MainWindow::Cut1Click, true, nullptr},
    {"Copy1", "Copy", "", &MainWindow::Copy1Click, true, nullptr},
    {"Paste1", "Paste", "", &MainWindow::Paste1Click, true, nullptr},
    Separator,
    {"SelectAll1", "Select All", "Ctrl+A", &MainWindow::SelectAll1Click, true, nullptr},
    Separator,
    {"Search1", "Search", "Ctrl+F", nullptr, false, nullptr},
    {"Replace1", "Replace", "Ctrl+R", nullptr, false, nullptr},
    Separator,
    {"GotoLine1", "Goto Line", "Ctrl+G", nullptr, false, nullptr},
    End,
};

const MenuItem ViewItems[] = {
    {"CodeExplorer2", "Code Explorer", "", nullptr, false, nullptr},
    Separator,
    {"Toolbar6", "Toolbar", "", &MainWindow::Toolbar6Click, false, nullptr},
    {"EditorToolbar1", "Editor Toolbar", "", &MainWindow::EditorToolbar1Click, false, nullptr},
    {"LeftPane1", "Left Pane", "", &MainWindow::LeftPane1Click, false, nullptr},
    {"FileBrowser1", "File Browser", "", &MainWindow::FileBrowser1Click, false, nullptr},
    {"ProjectFileList1", "Project File List", "", &MainWindow::ProjectFileList1Click, false, nullptr},
    {"StatusBar2", "Status Bar", "", &MainWindow::StatusBar2Click, false, nullptr},
    Separator,
    End,
};

const MenuItem RunItems[] = {
    {"Run1", "Run", "F9", nullptr, true, nullptr},
    {"Preview1", "Preview Current File", "Ctrl+F9", nullptr, true, nullptr},
    End,
};

const MenuItem LanguageItems[] = {
    {"English1", "English", "", nullptr, false, nullptr},
    {"Hrvatski1", "Hrvatski", "", nullptr, false, nullptr},
    {"Francais1", "Francais", "", nullptr, false, nullptr},
    {"Deutsch1", "Deutsch", "", nullptr, false, nullptr},
    End,
};

const MenuItem ToolsItems[] = {
    {"Options1", "Options", "", nullptr, false, nullptr},
    Separator,
    {"Language1", "Language", "", nullptr, false, LanguageItems},
    End,
};

const MenuItem HelpItems[] = {
    {"DisplayHelp1", "Display Help", "", nullptr, false, nullptr},
    Separator,
    {"About1", "About", "", nullptr, false, nullptr},
    End,
};

const MenuItem PopupPHPItems[] = {
    {"Variable1", "Variable", "Ctrl+P", nullptr, false, nullptr},
    {"Function1", "Function", "", nullptr, false, nullptr},
    {"Class1", "Class", "", nullptr, false, nullptr},
    End,
};

const MenuItem InsertHTMLItems[] = {End};

// The editor's context menu; its items carry the shortcuts of the commands they run.
const MenuItem PopupItems[] = {
    {"CodeExplorer1", "Code Explorer", "Ctrl+E", nullptr, false, nullptr},
    {"InsertPHP1", "Insert (PHP)", "", nullptr, false, PopupPHPItems},
    {"InsertHTML1", "Insert (HTML)", "", nullptr, false, InsertHTMLItems},
    {"FunctionsandClasses1", "Functions and Classes", "", nullptr, false, nullptr},
    Separator,
    {"SaveFile1", "&Save File", "Ctrl+S", &MainWindow::Save1Click, false, nullptr},
    {"Print2", "Print", "", nullptr, false, nullptr},
    Separator,
    {"Undo2", "Undo", "Alt+Backspace", &MainWindow::Undo1Click, false, nullptr},
    {"Redo2", "Redo", "Shift+Alt+Backspace", &MainWindow::Redo1Click, false, nullptr},
    Separator,
    {"Cut2", "Cut", "", &MainWindow::Cut1Click, false, nullptr},
    {"Copy2", "Copy", "", &MainWindow::Copy1Click, false, nullptr},
    {"Paste2", "Paste", "", &MainWindow::Paste1Click, false, nullptr},
    Separator,
    {"SelectAll2", "Select All", "Ctrl+A", &MainWindow::SelectAll1Click, false, nullptr},
    Separator,
    {"Search2", "Search", "Ctrl+F", nullptr, false, nullptr},
    {"Replace2", "Replace", "Ctrl+R", nullptr, false, nullptr},
    Separator,
    {"GotoLine2", "&Goto Line", "Ctrl+G", nullptr, false, nullptr},
    End,
};

bool isEnd(const MenuItem &item)
{
    return !item.name && !item.caption && !item.shortcut;
}

const MenuItem *findItem(const MenuItem *items, QByteArrayView name)
{
    for (const MenuItem *item = items; !isEnd(*item); ++item) {
        if (item->name && name == item->name)
            return item;
        if (item->submenu)
            if (const MenuItem *found = findItem(item->submenu, name))
                return found;
    }
    return nullptr;
}

// The View menu's toggles and the panes they show or hide.
struct ViewToggle {
    const char *item;
    QWidget *(*pane)(const MainFrame &);
};

const ViewToggle ViewToggles[] = {
    {"Toolbar6", [](const MainFrame &f) -> QWidget * { return f.ToolBar1; }},
    {"EditorToolbar1", [](const MainFrame &f) -> QWidget * { return f.ToolBar2; }},
    {"LeftPane1", [](const MainFrame &f) -> QWidget * { return f.pnlProject; }},
    {"FileBrowser1", [](const MainFrame &f) -> QWidget * { return f.pnlFiles; }},
    {"ProjectFileList1", [](const MainFrame &f) -> QWidget * { return f.pnlProjectFiles; }},
    {"StatusBar2", [](const MainFrame &f) -> QWidget * { return f.StatusBar1; }},
};

} // namespace

void MainWindow::fillMenu(QMenu *menu, const MainMenuItem *items)
{
    for (const MainMenuItem *item = items; !isEnd(*item); ++item) {
        if (!item->name) {
            menu->addSeparator();
            continue;
        }
        const QString caption = QString::fromUtf8(item->caption);
        QAction *action;
        if (item->submenu || QByteArrayView(item->name) == "Reopen1") {
            QMenu *sub = menu->addMenu(caption);
            sub->setObjectName(QString::fromLatin1(item->name));
            if (item->submenu)
                fillMenu(sub, item->submenu);
            action = sub->menuAction();
        } else {
            action = menu->addAction(caption);
            action->setObjectName(QString::fromLatin1(item->name));
            action->setShortcut(QKeySequence(QString::fromLatin1(item->shortcut)));
            if (item->handler)
                connect(action, &QAction::triggered, this, item->handler);
        }
        action->setEnabled(!item->startsDisabled);
    }
}

void MainWindow::createMenus()
{
    fillMenu(m_frame.File1, FileItems);
    fillMenu(m_frame.Edit1, EditItems);
    fillMenu(m_frame.View1, ViewItems);
    fillMenu(m_frame.Project1, RunItems);
    fillMenu(m_frame.Tools1, ToolsItems);
    fillMenu(m_frame.Help1, HelpItems);
    m_reopenMenu = m_frame.File1->findChild<QMenu *>(QStringLiteral("Reopen1"));
    createEditorPopup();
    // The enabling of most items follows the state at the moment a menu opens.
    connect(m_frame.File1, &QMenu::aboutToShow, this, &MainWindow::File1Click);
    connect(m_frame.Edit1, &QMenu::aboutToShow, this, &MainWindow::Edit1Click);
    connect(m_frame.Project1, &QMenu::aboutToShow, this, &MainWindow::Project1Click);
    for (const ViewToggle &toggle : ViewToggles) {
        QAction *action = commandAction(toggle.item);
        action->setCheckable(true);
        action->setChecked(true);
    }
}

bool MainWindow::runMenuCommand(const char *name)
{
    for (const MenuItem *menu : {FileItems, EditItems, ViewItems, RunItems, ToolsItems, HelpItems, PopupItems}) {
        if (const MenuItem *item = findItem(menu, name); item && item->handler) {
            (this->*item->handler)();
            return true;
        }
    }
    return false;
}

void MainWindow::createEditorPopup()
{
    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    fillMenu(popup, PopupItems);
    // Context-menu shortcuts are shown, not bound: the main menu and the editor keep the keys.
    for (QAction *action : popup->findChildren<QAction *>())
        action->setShortcutContext(Qt::WidgetShortcut);
    popup->findChild<QMenu *>(QStringLiteral("InsertHTML1"))->menuAction()->setVisible(false);
    connect(popup, &QMenu::aboutToShow, this, &MainWindow::PopupMenu1Popup);
    m_frame.mFile->setPopupMenu(popup);

    auto *popupPHP = new QMenu(this);
    popupPHP->setObjectName(QStringLiteral("PopupPHP"));
    fillMenu(popupPHP, PopupPHPItems);
    m_popupPHP = popupPHP;
}

void MainWindow::PopupMenu1Popup()
{
    enableEditCommands({"Cut2", "Copy2", "Paste2", "Undo2", "Redo2", {"SelectAll2", "Search2", "Replace2"}});
    enable("SaveFile1", !m_frame.pnlEditor->isHidden() && m_activeFile >= 0 && m_project.Files[m_activeFile].Modified);
}

// ---- Commands with no state of their own

void MainWindow::PHPFile1Click() { NewFile(NewFileKind::Php); }
void MainWindow::HTMLFile1Click() { NewFile(NewFileKind::Html); }
void MainWindow::JavaScript1Click() { NewFile(NewFileKind::JavaScript); }
void MainWindow::Neodreena1Click() { NewFile(NewFileKind::Undefined); }
void MainWindow::mnuFmtWindowsClick() { setLineFormat(LineEnds::Windows); }
void MainWindow::mnuFmtUnixClick() { setLineFormat(LineEnds::Unix); }
void MainWindow::Exit1Click() { close(); }
void MainWindow::btnFileUpClick() { btnFileUpDownClick(-1); }
void MainWindow::btnFileDownClick() { btnFileUpDownClick(1); }

void MainWindow::Undo1Click() { m_frame.mFile->model()->Undo(); }
void MainWindow::Redo1Click() { m_frame.mFile->model()->Redo(); }
void MainWindow::Cut1Click() { m_frame.mFile->model()->ExecuteCommand(EditorCommand::Cut); }
void MainWindow::Copy1Click() { m_frame.mFile->model()->ExecuteCommand(EditorCommand::Copy); }
void MainWindow::Paste1Click() { m_frame.mFile->model()->ExecuteCommand(EditorCommand::Paste); }
void MainWindow::SelectAll1Click() { m_frame.mFile->model()->SelectAll(); }

// ---- View toggles: each flips its check mark and shows or hides its pane to match

void MainWindow::toggle(const char *item)
{
    const auto *entry = std::find_if(std::begin(ViewToggles), std::end(ViewToggles),
                                     [item](const ViewToggle &t) { return QByteArrayView(item) == t.item; });
    entry->pane(m_frame)->setVisible(commandAction(item)->isChecked());
}

void MainWindow::Toolbar6Click() { toggle("Toolbar6"); }
void MainWindow::EditorToolbar1Click() { toggle("EditorToolbar1"); }
void MainWindow::LeftPane1Click() { toggle("LeftPane1"); }
void MainWindow::FileBrowser1Click() { toggle("FileBrowser1"); }
void MainWindow::StatusBar2Click() { toggle("StatusBar2"); }

namespace {
constexpr int ProjectListHeight = 400;  // what the list gets when it is shown again
}

void MainWindow::ProjectFileList1Click()
{
    toggle("ProjectFileList1");
    // Shown again, the list takes 400 pixels and the file browser the rest below it.
    if (!m_frame.pnlProjectFiles->isHidden() && !m_frame.pnlFiles->isHidden()) {
        const int total = m_frame.pnlProject->height() - m_frame.pnlProject->handleWidth();
        const int list = std::clamp(total - MainFrame::MinimumPaneSize, MainFrame::MinimumPaneSize, ProjectListHeight);
        m_frame.pnlProject->setSizes({list, total - list});
    }
}

void MainWindow::FormStorage1RestorePlacement()
{
    m_placementRestored = true;
    for (const auto &[item, pane] : ViewToggles)
        commandAction(item)->setChecked(!pane(m_frame)->isHidden());
}

// ---- Tool bars

struct ToolButton {
    const char *name;  // nullptr for a separator
    const char *hint;
    const char *icon;  // one of our icons in the data folder, else a theme icon
    QStyle::StandardPixmap fallback;
    Handler handler;
};

namespace {

constexpr QStyle::StandardPixmap NoFallback = QStyle::SP_CustomBase;

const ToolButton MainButtons[] = {
    {"btnNewProject", "New Project", "folder-new", QStyle::SP_FileDialogNewFolder, &MainWindow::NewProject1Click},
    {"btnOpenProject", "Open Project", "document-open", QStyle::SP_DialogOpenButton, &MainWindow::OpenProject1Click},
    {nullptr, nullptr, nullptr, NoFallback, nullptr},
    {"btnNewPHP", "New PHP File", "file-php", QStyle::SP_FileIcon, &MainWindow::PHPFile1Click},
    {"btnNewHTML", "New HTML File", "file-html", QStyle::SP_FileIcon, &MainWindow::HTMLFile1Click},
    {"btnNewJS", "New JavaScript File", "file-js", QStyle::SP_FileIcon, &MainWindow::JavaScript1Click},
    {nullptr, nullptr, nullptr, NoFallback, nullptr},
    {"btnSaveFile", "Save File", "document-save", QStyle::SP_DialogSaveButton, &MainWindow::Save1Click},
    {"btnSaveAll", "Save All Files in Project", "save-all", QStyle::SP_DriveFDIcon, &MainWindow::btnSaveAllClick},
    {nullptr, nullptr, nullptr, NoFallback, nullptr},
    {"btnRun", "Run Project", "media-playback-start", QStyle::SP_MediaPlay, nullptr},
    {"btnPreview", "Preview Current File", "document-print-preview", QStyle::SP_FileDialogContentsView, nullptr},
    {nullptr, nullptr, nullptr, NoFallback, nullptr},
    {"btnExit", "Exit", "application-exit", QStyle::SP_DialogCloseButton, &MainWindow::Exit1Click},
};

const ToolButton ProjectButtons[] = {
    {"btnAddFile", "Add File(s) to Project", "list-add", QStyle::SP_FileDialogNewFolder, &MainWindow::btnAddFileClick},
    {"btnRemoveFile", "Remove File(s) from Project", "list-remove", QStyle::SP_TrashIcon, &MainWindow::btnRemoveFileClick},
    {"btnProperties", "Project Properties", "document-properties", QStyle::SP_FileDialogInfoView, &MainWindow::ProjectProperties1Click},
    {"btnCodeExplorer", "Code Explorer", "system-search", QStyle::SP_FileDialogContentsView, nullptr},
    {"btnFileUp", "Move File UP", "go-up", QStyle::SP_ArrowUp, &MainWindow::btnFileUpClick},
    {"btnFileDown", "Move File DOWN", "go-down", QStyle::SP_ArrowDown, &MainWindow::btnFileDownClick},
    {"btnSort", "Sort Files", "view-sort-ascending", QStyle::SP_FileDialogDetailedView, nullptr},
};

const ToolButton EditorButtons[] = {
    {"btnCut", "Cut", "edit-cut", NoFallback, &MainWindow::Cut1Click},
    {"btnCopy", "Copy", "edit-copy", NoFallback, &MainWindow::Copy1Click},
    {"btnPaste", "Paste", "edit-paste", NoFallback, &MainWindow::Paste1Click},
    {"btnUndo", "Undo", "edit-undo", QStyle::SP_ArrowBack, &MainWindow::Undo1Click},
    {"btnRedo", "Redo", "edit-redo", QStyle::SP_ArrowForward, &MainWindow::Redo1Click},
    {"btnFind", "Search", "edit-find", NoFallback, nullptr},
    {"btnReplace", "Replace", "edit-find-replace", NoFallback, nullptr},
    {"btnInsert", "Insert...", "insert-text", NoFallback, nullptr},
    {"btnHtmlTag", "Insert HTML tag", "insert-link", NoFallback, nullptr},
    {"btnFunctionList", "Functions", "functions", QStyle::SP_FileDialogListView, nullptr},
    {"btnClassList", "Classes", "classes", QStyle::SP_FileDialogDetailedView, nullptr},
    {"btnPrint", "Print", "document-print", NoFallback, nullptr},
};

} // namespace

QIcon MainWindow::toolIcon(const QString &name) const
{
    if (QFile::exists(dataIconPath(name)))
        return dataIcon(name);
    // The monochrome forms keep the bars calm and show plainly when a button is disabled.
    return QIcon::fromTheme(name + QStringLiteral("-symbolic"), QIcon::fromTheme(name));
}

void MainWindow::addToolButtons(QToolBar *bar, const ToolButton *buttons, int count, QAction *before)
{
    for (const ToolButton *b = buttons; b != buttons + count; ++b) {
        if (!b->name) {
            bar->insertSeparator(before);
            continue;
        }
        const QString hint = QString::fromUtf8(b->hint);
        QIcon icon = toolIcon(QString::fromLatin1(b->icon));
        if (icon.isNull() && b->fallback != NoFallback)
            icon = style()->standardIcon(b->fallback);
        auto *action = new QAction(icon, hint, bar);
        action->setObjectName(QString::fromLatin1(b->name));
        action->setToolTip(hint);
        if (b->handler)
            connect(action, &QAction::triggered, this, b->handler);
        bar->insertAction(before, action);
    }
}

namespace {

// Menu items that run a tool button's command show its icon, so the two are recognised as one.
const std::pair<const char *, const char *> MenuIcons[] = {
    {"NewProject1", "btnNewProject"}, {"OpenProject1", "btnOpenProject"}, {"PHPFile1", "btnNewPHP"},
    {"HTMLFile1", "btnNewHTML"}, {"JavaScript1", "btnNewJS"}, {"AddFiletoProject1", "btnAddFile"},
    {"RemoveFilefromProject1", "btnRemoveFile"}, {"Save1", "btnSaveFile"}, {"SaveAll1", "btnSaveAll"},
    {"Print1", "btnPrint"}, {"ProjectProperties1", "btnProperties"}, {"Exit1", "btnExit"},
    {"Undo1", "btnUndo"}, {"Redo1", "btnRedo"}, {"Cut1", "btnCut"}, {"Copy1", "btnCopy"}, {"Paste1", "btnPaste"},
    {"Search1", "btnFind"}, {"Replace1", "btnReplace"}, {"CodeExplorer2", "btnCodeExplorer"},
    {"Run1", "btnRun"}, {"Preview1", "btnPreview"},
    {"CodeExplorer1", "btnCodeExplorer"}, {"SaveFile1", "btnSaveFile"}, {"Print2", "btnPrint"},
    {"Undo2", "btnUndo"}, {"Redo2", "btnRedo"}, {"Cut2", "btnCut"}, {"Copy2", "btnCopy"}, {"Paste2", "btnPaste"},
    {"Search2", "btnFind"}, {"Replace2", "btnReplace"},
};

} // namespace

void MainWindow::createToolBars()
{
    addToolButtons(m_frame.ToolBar1, MainButtons, std::size(MainButtons), nullptr);
    addToolButtons(m_frame.ToolBar3, ProjectButtons, std::size(ProjectButtons), nullptr);
    commandAction("btnSort")->setVisible(false);  // kept hidden, with no action
    const QList<QAction *> editorBar = m_frame.ToolBar2->actions();
    addToolButtons(m_frame.ToolBar2, EditorButtons, std::size(EditorButtons), editorBar.value(0));
    commandAction("btnHtmlTag")->setVisible(false);
    for (const auto &[item, button] : MenuIcons)
        commandAction(item)->setIcon(commandAction(button)->icon());
    // Insert drops down the PHP insertions.
    QAction *insert = commandAction("btnInsert");
    insert->setMenu(m_popupPHP);
    if (auto *button = qobject_cast<QToolButton *>(m_frame.ToolBar2->widgetForAction(insert)))
        button->setPopupMode(QToolButton::InstantPopup);
}

// ---- Enabling rules

QAction *MainWindow::commandAction(const char *name) const
{
    // Looked up on every key press, so each name is searched for in the window only once.
    QAction *&action = m_commandActions[QByteArray(name)];
    if (!action) {
        const QString objectName = QString::fromLatin1(name);
        action = findChild<QAction *>(objectName);
        if (const auto *menu = action ? nullptr : findChild<QMenu *>(objectName))
            action = menu->menuAction();
    }
    return action;
}

void MainWindow::enable(const char *name, bool enabled)
{
    if (QAction *action = commandAction(name))
        action->setEnabled(enabled);
}

bool MainWindow::isEnabled(const char *name) const
{
    const QAction *action = commandAction(name);
    return action && action->isEnabled();
}

void MainWindow::refreshButtons()
{
    const bool open = !m_project.Name.isEmpty();
    const bool fileActive = m_activeFile >= 0;
    const bool projectRow = focusedRow() == 0;
    enable("btnSaveFile", open && ((projectRow && m_project.Changed)
                                   || (fileActive && !m_project.Files[m_activeFile].Saved)));
    enable("btnSaveAll", open && (m_project.Changed || !m_project.Files.AllFilesSaved()));
    for (const char *name : {"btnRemoveFile", "btnAddFile", "btnProperties", "btnNewPHP", "btnNewHTML", "btnNewJS"})
        enable(name, open);
    enable("btnPreview", fileActive);
    enable("btnFileUp", fileActive && m_activeFile > 0);
    enable("btnFileDown", fileActive && m_activeFile < m_project.Files.size() - 1);
    enable("btnRun", open);
    enable("btnSort", !m_project.Files.isEmpty());
}

void MainWindow::enableEditCommands(const EditCommandNames &names)
{
    const bool shown = !m_frame.pnlEditor->isHidden();
    const EditorModel *model = m_frame.mFile->model();
    enable(names.cut, shown && model->SelAvail());
    enable(names.copy, shown && model->SelAvail());
    enable(names.paste, shown && model->CanPaste());
    enable(names.undo, shown && model->CanUndo());
    enable(names.redo, shown && model->CanRedo());
    for (const char *name : names.whileShown)
        enable(name, shown);
}

void MainWindow::updateEditToolBar()
{
    enableEditCommands({"btnCut", "btnCopy", "btnPaste", "btnUndo", "btnRedo", {"btnFind", "btnReplace", "btnPrint"}});
}

void MainWindow::UpdateEditButtons()
{
    updateEditToolBar();
    // The Edit menu's shortcuts (Ctrl+F, Ctrl+G, ...) work while the menu is closed, so once
    // the window is in use its items follow the editor too, not only when the menu opens.
    Edit1Click();
}

void MainWindow::File1Click()
{
    const bool open = !m_project.Name.isEmpty();
    enable("CloseProject1", open);
    enable("SaveProjectAs1", open);
    const bool fileActive = m_activeFile >= 0;
    enable("Format1", fileActive);
    enable("SaveAs1", fileActive);
    enable("Save1", fileActive && !m_project.Files[m_activeFile].Path.isEmpty() && m_project.Files[m_activeFile].Modified);
    if (fileActive) {
        const bool unix = m_project.Files[m_activeFile].LineFormat == LineEnds::Unix;
        for (const auto &[name, checked] : {std::pair{"mnuFmtWindows", !unix}, std::pair{"mnuFmtUnix", unix}}) {
            QAction *item = commandAction(name);
            item->setCheckable(true);
            item->setChecked(checked);
        }
    }
    const int row = focusedRow();
    const bool rows = open && row >= 0;
    enable("RemoveFilefromProject1", rows && row > 0);
    enable("AddFiletoProject1", rows);
    enable("ProjectProperties1", rows);
    enable("New1", rows);
    enable("Print1", fileActive);
    enable("SaveAll1", m_project.Changed || !m_project.Files.AllFilesSaved());
}

void MainWindow::Edit1Click()
{
    enableEditCommands({"Cut1", "Copy1", "Paste1", "Undo1", "Redo1", {"SelectAll1", "Search1", "Replace1", "GotoLine1"}});
}

void MainWindow::Project1Click()
{
    const int row = m_project.Name.isEmpty() ? -1 : focusedRow();
    enable("Preview1", row > 0);
    enable("Run1", row >= 0 && !m_project.Files.isEmpty());
}
