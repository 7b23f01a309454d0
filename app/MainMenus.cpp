// The main window's menus, built from one table: every item, its shortcut, the separators after
// it, and whether it starts disabled. Items whose commands arrive with later parts of the program
// are present and do nothing yet.
#include "MainWindow.h"

#include "EditorModel.h"
#include "EditorWidget.h"

#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

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

bool isEnd(const MenuItem &item)
{
    return !item.name && !item.caption && !item.shortcut;
}

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
    for (const char *toggle : {"Toolbar6", "EditorToolbar1", "LeftPane1", "FileBrowser1", "ProjectFileList1", "StatusBar2"}) {
        QAction *action = findChild<QAction *>(QString::fromLatin1(toggle));
        action->setCheckable(true);
        action->setChecked(true);
    }
}

// ---- Commands with no state of their own

void MainWindow::PHPFile1Click() { NewFile(NewFileKind::Php); }
void MainWindow::HTMLFile1Click() { NewFile(NewFileKind::Html); }
void MainWindow::JavaScript1Click() { NewFile(NewFileKind::JavaScript); }
void MainWindow::Neodreena1Click() { NewFile(NewFileKind::Undefined); }
void MainWindow::mnuFmtWindowsClick() { setLineFormat(LineEnds::Windows); }
void MainWindow::mnuFmtUnixClick() { setLineFormat(LineEnds::Unix); }
void MainWindow::Exit1Click() { close(); }

void MainWindow::Undo1Click() { m_frame.mFile->model()->Undo(); }
void MainWindow::Redo1Click() { m_frame.mFile->model()->Redo(); }
void MainWindow::Cut1Click() { m_frame.mFile->model()->ExecuteCommand(EditorCommand::Cut); }
void MainWindow::Copy1Click() { m_frame.mFile->model()->ExecuteCommand(EditorCommand::Copy); }
void MainWindow::Paste1Click() { m_frame.mFile->model()->ExecuteCommand(EditorCommand::Paste); }
void MainWindow::SelectAll1Click() { m_frame.mFile->model()->SelectAll(); }

// ---- View toggles: each flips its check mark and shows or hides its pane to match

void MainWindow::toggle(const char *item, QWidget *target)
{
    QAction *action = findChild<QAction *>(QString::fromLatin1(item));
    target->setVisible(action->isChecked());
}

void MainWindow::Toolbar6Click() { toggle("Toolbar6", m_frame.ToolBar1); }
void MainWindow::EditorToolbar1Click() { toggle("EditorToolbar1", m_frame.ToolBar2); }
void MainWindow::LeftPane1Click() { toggle("LeftPane1", m_frame.pnlProject); }
void MainWindow::FileBrowser1Click() { toggle("FileBrowser1", m_frame.pnlFiles); }
void MainWindow::StatusBar2Click() { toggle("StatusBar2", m_frame.StatusBar1); }

void MainWindow::ProjectFileList1Click()
{
    toggle("ProjectFileList1", m_frame.pnlProjectFiles);
    // Shown again, the list takes 400 pixels and the file browser the rest below it.
    if (!m_frame.pnlProjectFiles->isHidden() && !m_frame.pnlFiles->isHidden()) {
        const int total = m_frame.pnlProject->height();
        m_frame.pnlProject->setSizes({400, std::max(MainFrame::MinimumPaneSize, total - 400)});
    }
}

void MainWindow::FormStorage1RestorePlacement()
{
    m_placementRestored = true;
    const std::pair<const char *, QWidget *> marks[] = {
        {"FileBrowser1", m_frame.pnlFiles},  {"Toolbar6", m_frame.ToolBar1},
        {"EditorToolbar1", m_frame.ToolBar2}, {"ProjectFileList1", m_frame.pnlProjectFiles},
        {"LeftPane1", m_frame.pnlProject},   {"StatusBar2", m_frame.StatusBar1},
    };
    for (const auto &[item, pane] : marks)
        findChild<QAction *>(QString::fromLatin1(item))->setChecked(!pane->isHidden());
}
