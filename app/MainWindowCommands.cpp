// The main window's commands: the menus, the editor's context menu and the tool bars built from
// the command table, the state their enabling rules read, and the View toggles.
#include "MainWindow.h"

#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileBrowserPane.h"
#include "FilesMenu.h"
#include "NativePath.h"
#include "ProjectListView.h"

#include <QFile>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// The View menu's toggles and the panes they show or hide.
struct ViewToggle {
    Command command;
    QWidget *(*pane)(const MainFrame &);
};

// clang-format off
const ViewToggle ViewToggles[] = {
    {Command::ViewToolbar, [](const MainFrame &f) -> QWidget * { return f.ToolBar1; }},
    {Command::ViewEditorToolbar, [](const MainFrame &f) -> QWidget * { return f.ToolBar2; }},
    {Command::ViewLeftPane, [](const MainFrame &f) -> QWidget * { return f.pnlProject; }},
    {Command::ViewFileBrowser, [](const MainFrame &f) -> QWidget * { return f.pnlFiles; }},
    {Command::ViewProjectFileList, [](const MainFrame &f) -> QWidget * { return f.pnlProjectFiles; }},
    {Command::ViewStatusBar, [](const MainFrame &f) -> QWidget * { return f.StatusBar1; }},
};
// clang-format on

constexpr int ProjectListHeight = 400; // what the list gets when it is shown again

bool mainMenuHolds(const QKeySequence &key)
{
    const auto rows = commandRows();
    return std::any_of(rows.begin(), rows.end(), [&key](const CommandRow &row) {
        return QKeySequence(QString::fromLatin1(row.menu.shortcut)) == key;
    });
}

void dropDown(QToolBar *bar, QAction *button, QMenu *menu)
{
    button->setMenu(menu);
    if (auto *tool = qobject_cast<QToolButton *>(bar->widgetForAction(button)))
        tool->setPopupMode(QToolButton::InstantPopup);
}

} // namespace

QIcon MainWindow::commandIcon(const CommandRow &row) const
{
    QIcon icon;
    if (row.icon) {
        const QString name = QString::fromLatin1(row.icon);
        const QString ours = m_files.dataDir() + QStringLiteral("icons/") + name + QStringLiteral(".svg");
        // The monochrome forms keep the bars calm and show plainly when a button is disabled.
        icon = QFile::exists(ours) ? QIcon(ours)
                                   : QIcon::fromTheme(name + QStringLiteral("-symbolic"), QIcon::fromTheme(name));
    }
    if (icon.isNull() && row.fallback != QStyle::SP_CustomBase)
        icon = style()->standardIcon(row.fallback);
    return icon;
}

void MainWindow::createCommands()
{
    m_commands = std::make_unique<CommandActions>(*this, [this](const CommandRow &row) { return commandIcon(row); });
    CommandActions &commands = *m_commands;
    commands.fillMenu(m_frame.File1, Layout::FileMenu, Slot::Menu);
    commands.fillMenu(m_frame.Edit1, Layout::EditMenu, Slot::Menu);
    commands.fillMenu(m_frame.View1, Layout::ViewMenu, Slot::Menu);
    commands.fillMenu(m_frame.Project1, Layout::RunMenu, Slot::Menu);
    commands.fillMenu(m_frame.Tools1, Layout::ToolsMenu, Slot::Menu);
    commands.fillMenu(m_frame.Help1, Layout::HelpMenu, Slot::Menu);
    for (const ViewToggle &toggle : ViewToggles) {
        QAction *item = commands.action(toggle.command, Slot::Menu);
        item->setCheckable(true);
        item->setChecked(true);
    }
    createEditorPopup();
    commands.fillBar(m_frame.ToolBar1, Layout::MainBar);
    commands.fillBar(m_frame.ToolBar3, Layout::ProjectBar);
    commands.fillBar(m_frame.ToolBar2, Layout::EditorBar, m_frame.ToolBar2->actions().value(0));

    // The Insert button drops down the PHP insertions of the context menu, as items of its own
    // (the shortcut stays with the context menu's item, where it is one).
    auto *popupPHP = new QMenu(this);
    popupPHP->setObjectName(QStringLiteral("PopupPHP"));
    for (const auto &[name, command] : {std::pair{"Variable1", Command::InsertVariable},
                                        {"Function1", Command::InsertFunction},
                                        {"Class1", Command::InsertClass}}) {
        QAction *item = commands.action(command, Slot::Popup);
        QAction *copy = popupPHP->addAction(item->icon(), item->text(), item, &QAction::trigger);
        copy->setObjectName(QString::fromLatin1(name));
        copy->setShortcut(item->shortcut());
        copy->setShortcutContext(Qt::WidgetShortcut);
    }
    dropDown(m_frame.ToolBar2, commands.action(Command::Insert, Slot::Button), popupPHP);

    m_filesMenu = new QMenu(this);
    m_filesMenu->setObjectName(QStringLiteral("mnuFiles"));
    dropDown(m_frame.ToolBar1, commands.action(Command::ProjectFiles, Slot::Button), m_filesMenu);
    // View, Project Files shows the same entries, copied in as the View menu opens.
    QMenu *copy = commands.menu(Command::ProjectFiles, Slot::Menu);
    paintAsFilesMenu(copy);
    connect(m_frame.View1, &QMenu::aboutToShow, this, [this, copy] {
        m_projectList->fillFilesMenu();
        copy->clear();
        copy->addActions(m_filesMenu->actions());
    });

    // The enabling of the items follows the state at the moment a menu opens.
    for (QMenu *menu : {m_frame.File1, m_frame.Edit1, m_frame.Project1})
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshCommands);
}

void MainWindow::createEditorPopup()
{
    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    m_commands->fillMenu(popup, Layout::EditorPopup, Slot::Popup);
    // Insert (HTML) stays hidden: its tags are listed, but inserting them is not offered yet.
    QMenu *tags = m_commands->menu(Command::InsertHtml, Slot::Popup);
    for (const auto &[name, tag] : {std::pair{"BODY1", "<BODY>"},
                                    {"IMG1", "<IMG>"},
                                    {"P1", "<P>"},
                                    {"TABLEY1", "<TABLE>"},
                                    {"TR1", "<TR>"},
                                    {"TD1", "<TD>"}})
        tags->addAction(QString::fromLatin1(tag))->setObjectName(QString::fromLatin1(name));
    // Context-menu shortcuts work while the editor has the keyboard, except where the main menu or
    // the editor's own keys (Ctrl+S) hold the same key: two bindings of one key would both fail.
    for (QAction *action : popup->findChildren<QAction *>())
        action->setShortcutContext(Qt::WidgetShortcut);
    for (const CommandRow &row : commandRows()) {
        const QKeySequence key(QString::fromLatin1(row.popup.shortcut));
        if (key.isEmpty() || row.command == Command::Save || mainMenuHolds(key))
            continue;
        m_frame.mFile->addAction(m_commands->action(row.command, Slot::Popup));
    }
    connect(popup, &QMenu::aboutToShow, this, &MainWindow::refreshCommands);
    m_frame.mFile->setPopupMenu(popup);
}

void MainWindow::run(Command command)
{
    if (const CommandHandler handler = commandRow(command).run)
        handler(*this);
}

CommandState MainWindow::commandState() const
{
    const ProjectController &projects = *m_projects;
    const Project &project = projects.project();
    const ProjectFile *active = projects.activeEntry();
    const EditorModel *editor = editorModel();
    CommandState state;
    state.open = projects.isOpen();
    state.focusedRow = projects.focusedRow();
    state.fileActive = active != nullptr;
    if (active) {
        state.activeSaved = active->Saved;
        state.activeModified = active->Modified;
        state.activeHasFolder = !active->Path.isEmpty();
        state.activeUnix = active->LineFormat == LineEnds::Unix;
        state.activeIsFirst = projects.activeFile() == 0;
        state.activeIsLast = projects.activeFile() == project.Files.size() - 1;
    }
    state.changed = project.Changed;
    state.allFilesSaved = project.Files.AllFilesSaved();
    state.hasFiles = !project.Files.isEmpty();
    state.editorShown = m_fileEditor->isShown();
    state.selection = editor->SelAvail();
    state.canPaste = editor->CanPaste();
    state.canUndo = editor->CanUndo();
    state.canRedo = editor->CanRedo();
    return state;
}

void MainWindow::refreshCommands()
{
    m_commands->refresh(commandState());
}

void MainWindow::UpdateEditButtons()
{
    // The shortcuts (Ctrl+F, Ctrl+G, ...) work while the menus are closed, so their items follow
    // the editor too, not only when a menu opens.
    refreshCommands();
}

// ---- View toggles: each flips its check mark and shows or hides its pane to match

void MainWindow::toggleView(Command command)
{
    const auto *toggle = std::find_if(std::begin(ViewToggles), std::end(ViewToggles),
                                      [command](const ViewToggle &t) { return t.command == command; });
    // A pane hidden keeps its size, and takes it again when shown.
    const int leftWidth = m_frame.leftPaneWidth();
    const int browserHeight = m_frame.fileBrowserHeight();
    toggle->pane(m_frame)->setVisible(m_commands->action(command, Slot::Menu)->isChecked());
    m_frame.setLeftPaneWidth(leftWidth);
    if (command != Command::ViewProjectFileList)
        m_frame.setFileBrowserHeight(browserHeight);
    // Shown again, the list takes 400 pixels and the file browser the rest below it.
    if (command == Command::ViewProjectFileList && !m_frame.pnlProjectFiles->isHidden()
        && !m_frame.pnlFiles->isHidden()) {
        const int total = m_frame.pnlProject->height() - m_frame.pnlProject->handleWidth();
        const int list = std::clamp(total - MainFrame::MinimumPaneSize, MainFrame::MinimumPaneSize, ProjectListHeight);
        m_frame.pnlProject->setSizes({list, total - list});
    }
}

void MainWindow::FormStorage1RestorePlacement()
{
    for (const auto &[command, pane] : ViewToggles)
        m_commands->action(command, Slot::Menu)->setChecked(!pane(m_frame)->isHidden());
}

void MainWindow::BuildReopenMenu()
{
    QMenu *reopen = m_commands->menu(Command::Reopen, Slot::Menu);
    reopen->clear();
    const QStringList &paths = m_history.paths();
    for (int i = 0; i < paths.size(); ++i) {
        // "&" would mark a menu key; doubled it shows as itself. The item opens its own path.
        QAction *item = reopen->addAction(displayPath(paths[i]).replace(u'&', QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("Rpr%1").arg(i));
        connect(item, &QAction::triggered, this, [this, path = paths[i]] { m_projects->reopenProject(path); });
    }
}
