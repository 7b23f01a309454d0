#include "MainWindow.h"

#include "DialogPrompts.h"
#include "EditorKeys.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileBrowserPane.h"
#include "PlacementStore.h"
#include "ProjectListView.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// The main window's remembered control properties, by the names the store has always used.
struct StoredProperty {
    const char *name;
    QVariant (*get)(const MainFrame &);
    void (*set)(MainFrame &, const QVariant &);
};

template <auto Pane>
StoredProperty visibility(const char *name)
{
    return {name, [](const MainFrame &f) { return QVariant(!(f.*Pane)->isHidden()); },
            [](MainFrame &f, const QVariant &v) { (f.*Pane)->setVisible(v.toBool()); }};
}

// clang-format off
const StoredProperty StoredProperties[] = {
    {"pnlProject.Width", [](const MainFrame &f) { return QVariant(f.leftPaneWidth()); },
     [](MainFrame &f, const QVariant &v) { f.setLeftPaneWidth(v.toInt()); }},
    {"pnlFiles.Height", [](const MainFrame &f) { return QVariant(f.fileBrowserHeight()); },
     [](MainFrame &f, const QVariant &v) { f.setFileBrowserHeight(v.toInt()); }},
    {"MFileExplorer.Directory", [](const MainFrame &f) { return QVariant(f.pnlFiles->directory()); },
     [](MainFrame &f, const QVariant &v) { f.pnlFiles->setDirectory(v.toString()); }},
    {"cbMask.Text", [](const MainFrame &f) { return QVariant(f.pnlFiles->mask()); },
     [](MainFrame &f, const QVariant &v) { f.pnlFiles->setMask(v.toString()); }},
    visibility<&MainFrame::pnlFiles>("pnlFiles.Visible"),
    visibility<&MainFrame::pnlProjectFiles>("pnlProjectFiles.Visible"),
    visibility<&MainFrame::pnlProject>("pnlProject.Visible"),
    visibility<&MainFrame::ToolBar1>("ToolBar1.Visible"),
    visibility<&MainFrame::ToolBar2>("ToolBar2.Visible"),
    visibility<&MainFrame::StatusBar1>("StatusBar1.Visible"),
};
// clang-format on

// Outside a desktop session no icon theme is set, and some platforms do not even look in the
// system's icon folders; use the theme the scripts install.
void useInstalledIconTheme()
{
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &dir : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                        QStandardPaths::LocateDirectory))
        if (!paths.contains(dir))
            paths.append(dir);
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

int showCommand(const QWidget *window)
{
    if (window->isMinimized())
        return WindowPlacement::Minimized;
    return window->isMaximized() ? WindowPlacement::Maximized : WindowPlacement::Normal;
}

} // namespace

MainWindow::MainWindow(ProgramFiles files, QStringList parameters, QWidget *parent)
    : QMainWindow(parent),
      m_files(std::move(files)),
      m_parameters(std::move(parameters)),
      m_settingsFile(m_files.settingsFile()),
      m_placement(std::make_unique<PlacementStore>(m_files.placementFile()))
{
    useInstalledIconTheme();
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QString::fromLatin1(Title));
    setWindowIcon(QIcon(m_files.dataDir() + QStringLiteral("icons/velmora.svg")));
    resize(DefaultSize);
    m_frame = MainFrame::build(this);
    m_fileEditor = std::make_unique<FileEditor>(m_frame, m_highlighters, m_options);
    m_projects = std::make_unique<ProjectController>(*m_fileEditor, m_options, m_history, *m_placement,
                                                     std::make_unique<DialogPrompts>(this),
                                                     [this](int number) { return m_frame.message(number); });
    FormCreate();
}

MainWindow::~MainWindow()
{
    if (!m_history.save(m_files.historyFile()))
        prompts().error(QStringLiteral("Unable to write to %1").arg(m_files.historyFile()));
}

EditorModel *MainWindow::editorModel() const
{
    return m_frame.mFile->model();
}

void MainWindow::FormCreate()
{
    if (!m_settingsFile.load())
        prompts().error(QStringLiteral("Unable to read %1").arg(m_settingsFile.path()));
    m_languageIndex = readLanguageIndex(m_settingsFile);
    m_options = readSysOptions(m_settingsFile);
    if (!m_history.load(m_files.historyFile()))
        prompts().error(QStringLiteral("Unable to read %1").arg(m_files.historyFile()));
    LoadHighlighterColours();
    applyEditorSettings();
    createCommands();
    BuildReopenMenu();
    connectEditor();
    connectProjects();
    // Esc closes the preview from wherever the keyboard is in the window, and only then.
    m_closePreviewKey = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &MainWindow::ClosePreview);
    m_closePreviewKey->setEnabled(false);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &MainWindow::sessionEnding);
    // With no project yet every project button is off; nothing is written until a refresh, and
    // the menus keep the enabling they start with.
    m_commands->refresh(commandState(), true);
}

void MainWindow::connectProjects()
{
    m_projectList = new ProjectListView(*m_projects, m_frame.dxtlProject, m_filesMenu,
                                        m_files.dataDir() + QStringLiteral("icons/"));
    connect(m_projects.get(), &ProjectController::stateChanged, this, &MainWindow::RefreshWindowState);
    connect(m_projects.get(), &ProjectController::historyChanged, this, &MainWindow::BuildReopenMenu);
    connect(m_projects.get(), &ProjectController::activeFileChanged, this, &MainWindow::hideDeclarationPanes);
}

void MainWindow::connectEditor()
{
    EditorWidget *editor = m_frame.mFile;
    connect(editor->model(), &EditorModel::Changed, this, &MainWindow::mFileChange);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::UpdateEditButtons);
    connect(editor->model(), &EditorModel::CaretMoved, m_fileEditor.get(), &FileEditor::UpdateCaretStatus);
    for (auto signal : {&EditorModel::Changed, &EditorModel::SelectionChanged, &EditorModel::CaretMoved})
        connect(editor->model(), signal, this, &MainWindow::UpdateEditButtons);
    connect(editor, &EditorWidget::filesDropped, this, [this](const QStringList &paths) {
        for (const QString &path : paths)
            m_projects->AddFileToProject(path);
    });
    connect(m_frame.cbHighlighter, &QComboBox::activated, m_fileEditor.get(), &FileEditor::cbHighlighterChange);
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
    setAcceptDrops(true);
}

void MainWindow::mFileChange()
{
    m_projects->editorChanged();
    m_fileEditor->UpdateCaretStatus();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Keys and focus come to the editor, mouse buttons to its viewport.
    if (watched != m_frame.mFile && watched != m_frame.mFile->viewport())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusOut:
        // Losing the keyboard keeps the file's text current for everything that reads it.
        m_projects->StoreEditorState();
        break;
    case QEvent::KeyPress:
        UpdateEditButtons();
        if (mFileKeyDown(*static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::MouseButtonPress: hideDeclarationPanes(); break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
        UpdateEditButtons();
        m_fileEditor->UpdateCaretStatus();
        break;
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::mFileKeyDown(const QKeyEvent &key)
{
    const ProjectFile *active = m_projects->activeEntry();
    switch (editorKeyCommand({key.key(), key.modifiers(), key.text()}, m_options.PHPVars,
                             active ? active->FileType : QString())) {
    case EditorKeyCommand::Save:
        if (m_commands->isEnabled(Command::Save, Slot::Button))
            run(Command::Save);
        return true;
    case EditorKeyCommand::RepeatSearch:
        // With no search made yet (there is none before Search exists) F3 opens Search.
        run(Command::Search);
        return true;
    case EditorKeyCommand::PickVariable:
        // Until the picker is there the "$" is typed as any other character.
        if (!commandRow(Command::InsertVariable).run)
            return false;
        run(Command::InsertVariable);
        return true;
    case EditorKeyCommand::None: break;
    }
    return false;
}

void MainWindow::hideDeclarationPanes()
{
    m_frame.pnlFunctions->hide();
    m_frame.pnlClasses->hide();
}

void MainWindow::enterPreview()
{
    m_previewReturnFile = m_projects->activeFile();
    m_projects->StoreEditorState();
    m_projects->setPreviewing(true);
    m_frame.pnlWork->hide();
    m_frame.pnlPreview->show();
    m_closePreviewKey->setEnabled(true);
}

void MainWindow::ClosePreview()
{
    m_frame.pnlPreview->hide();
    m_frame.pnlWork->show();
    m_projects->setPreviewing(false);
    m_closePreviewKey->setEnabled(false);
    const int file = m_previewReturnFile < m_projects->project().Files.size() ? m_previewReturnFile : -1;
    m_projects->focusRow(file + 1);
    if (file >= 0)
        m_frame.mFile->setFocus();
    RefreshWindowState();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && m_projects->isOpen())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    activateWindow();
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            m_projects->AddFileToProject(url.toLocalFile());
    event->acceptProposedAction();
}

void MainWindow::LoadHighlighterColours()
{
    loadOrCreateColours(m_highlighters.xhPHP, m_files.phpColourFile());
    loadOrCreateColours(m_highlighters.xhHTML, m_files.htmlColourFile());
}

void MainWindow::loadOrCreateColours(SynCustomHighlighter &highlighter, const QString &fileName)
{
    IniFile file(fileName);
    if (!file.load()) {
        prompts().error(QStringLiteral("Unable to read %1").arg(fileName));
        return;
    }
    if (QFileInfo::exists(fileName)) {
        highlighter.LoadColorsFromIni(file);
        return;
    }
    highlighter.SaveColorsToIni(file);
    QString error;
    if (!file.save(&error))
        prompts().error(error);
}

void MainWindow::showEvent(QShowEvent *event)
{
    // The placement is restored before the window is first mapped, so it never jumps.
    if (!m_formShownOnce) {
        restorePlacement();
        FormStorage1RestorePlacement();
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void MainWindow::FormShow()
{
    if (m_options.AcceptParameter && !m_parameters.isEmpty())
        m_projects->LoadProject(QFileInfo(m_parameters.first()).absoluteFilePath());
    else if (m_options.OpenLastUsed && !m_history.isEmpty() && QFileInfo(m_history.paths().first()).isFile())
        m_projects->LoadProject(m_history.paths().first());
    m_formShownOnce = true;
    m_frame.pnlFiles->applyMask();
}

void MainWindow::restorePlacement()
{
    const QString section = QString::fromLatin1(PlacementSection);
    const QScreen *screen = this->screen();
    if (const auto placement = m_placement->readPlacement(section, screen->size())) {
        // A position saved on a larger screen is dropped rather than leaving the window out of reach.
        if (screen->availableGeometry().intersects(placement->normal) && placement->normal.isValid())
            setGeometry(placement->normal);
        if (placement->showCmd == WindowPlacement::Maximized)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    for (const StoredProperty &property : StoredProperties) {
        const QVariant current = property.get(m_frame);
        const QVariant stored = m_placement->readProperty(section, QString::fromLatin1(property.name), current);
        if (stored != current)
            property.set(m_frame, stored);
    }
}

void MainWindow::savePlacement()
{
    const QString section = QString::fromLatin1(PlacementSection);
    WindowPlacement placement;
    placement.showCmd = showCommand(this);
    placement.pixelsPerInch = qRound(screen()->logicalDotsPerInch());
    placement.normal = normalGeometry();
    placement.visible = isVisible();
    m_placement->writePlacement(section, placement, screen()->size());
    for (const StoredProperty &property : StoredProperties)
        m_placement->writeProperty(section, QString::fromLatin1(property.name), property.get(m_frame));
    if (!m_placement->flush())
        prompts().error(QStringLiteral("Unable to write to %1").arg(m_files.placementFile()));
}

bool MainWindow::FormCloseQuery()
{
    if (!m_projects->TryCloseProject())
        return false;
    savePlacement();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->setAccepted(FormCloseQuery());
}

void MainWindow::sessionEnding(QSessionManager &manager)
{
    // The desktop session ending asks what closing the window asks. When the session manager
    // allows no questions, nothing can be asked and the session ends as it decides.
    if (!manager.allowsInteraction())
        return;
    const bool closed = FormCloseQuery();
    manager.release();
    if (!closed)
        manager.cancel();
}

void MainWindow::applyEditorSettings()
{
    EditorWidget *editor = m_frame.mFile;
    QFont font = editor->editorFont();
    if (!m_options.FontName.isEmpty())
        font.setFamily(m_options.FontName);
    font.setPointSize(std::max(1, m_options.FontSize));
    editor->setEditorFont(font);
    EditorModel *model = editor->model();
    model->SetTabWidth(std::max(1, m_options.TabWidth));
    editor->setGutterVisible(m_options.Gutter);
    editor->setBackgroundColor(static_cast<SynColor>(m_options.BackGroundColor));
    editor->setRightEdge(m_options.RightEdge);
    EditorOptions options = model->Options() & ~(eoAutoIndent | eoSmartTabs);
    if (m_options.AutoIndent)
        options |= eoAutoIndent;
    if (m_options.SmartTabs)
        options |= eoSmartTabs;
    model->SetOptions(options);
}

bool MainWindow::ApplySettings()
{
    applyEditorSettings();
    writeSysOptions(m_settingsFile, m_options);
    QString error;
    if (m_settingsFile.save(&error))
        return true;
    prompts().error(error);
    return false;
}

void MainWindow::RefreshWindowState()
{
    const Project &project = m_projects->project();
    QString title = QString::fromLatin1(Title);
    QString status;
    if (m_projects->isOpen()) {
        title += QStringLiteral(" - ") + project.Name;
        if (project.Changed)
            title += QStringLiteral(" (") + m_frame.message(5) + QStringLiteral("!)");
        m_frame.eProjectPath->setText(project.Options.Path);
        if (QTreeWidgetItem *root = m_frame.dxtlProject->topLevelItem(0))
            root->setText(0, project.Name);
        status = project.Name + QStringLiteral(" (") + project.projectFilePath() + u')';
    }
    if (const ProjectFile *active = m_projects->activeEntry(); active && m_fileEditor->isShown()) {
        status = active->FileName;
        m_fileEditor->ShowActiveFileName(*active, m_frame.message(5));
    }
    setWindowTitle(title);
    m_frame.statusText->setText(status);
    refreshCommands();
    ApplySettings();
}
