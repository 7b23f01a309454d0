#include "MainWindow.h"

#include "CodeInsight.h"
#include "ComponentText.h"
#include "DeclarationPanes.h"
#include "DialogPrompts.h"
#include "DiskFiles.h"
#include "EditorKeys.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileBrowserCommands.h"
#include "FileBrowserPane.h"
#include "MultiLang.h"
#include "NativePath.h"
#include "OptionsFlow.h"
#include "PlacementStore.h"
#include "PreviewPane.h"
#include "PrintCommands.h"
#include "ProjectListView.h"
#include "ProjectSearchPane.h"
#include "SearchCommands.h"
#include "TypingAids.h"
#include "WorkSafety.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeWidget>

namespace {

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
    m_projects = std::make_unique<ProjectController>(
        *m_fileEditor, m_options, m_history, *m_placement,
        std::make_unique<DialogPrompts>(this, m_files.dataDir() + QStringLiteral("icons/"), *m_placement,
                                        *m_frame.mFile, &m_highlighters.xhMulti),
        [this](int number) { return m_frame.message(number); });
    m_insight = std::make_unique<CodeInsight>(*m_projects, *editorModel());
    m_declarationPanes = new DeclarationPanes(m_frame, *m_insight, this);
    m_searchResults = new ProjectSearchPane([this](int file) { return m_projects->project().Files[file].FileName; },
                                            [this](const ProjectMatch &match) {
                                                m_search->openMatch(match);
                                                m_frame.mFile->setFocus();
                                            });
    // Below the editor, where it stays while no file is active.
    m_frame.pnlEditor->parentWidget()->layout()->addWidget(m_searchResults);
    m_search = std::make_unique<SearchCommands>(
        *m_projects, *editorModel(), *m_placement, [this](const QString &text) { m_frame.statusText->setText(text); },
        [this](const QString &query, const ProjectSearchResult &result) {
            m_searchResults->showResults(query, result);
        });
    m_printing = std::make_unique<PrintCommands>(*m_projects, *m_frame.mFile, *m_placement, this);
    m_typingAids = std::make_unique<TypingAids>(m_files, *m_frame.mFile, m_highlighters.xhGen);
    FormCreate();
    // After the window's own reactions to an edit, so the file is marked modified first.
    m_workSafety = std::make_unique<WorkSafety>(m_files.recoveryDir(), *m_projects, *m_fileEditor, *editorModel());
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
    for (const QString &error :
         LoadHighlighterColours(m_highlighters, m_files.phpColourFile(), m_files.htmlColourFile()))
        prompts().error(error);
    applyEditorSettings();
    createCommands();
    BuildReopenMenu();
    connectEditor();
    // After the window's own key handling is hooked in, so an open list takes its keys first.
    m_typingAids->ReloadCompletionData(m_options);
    connectProjects();
    m_preview = new PreviewPane(m_frame, *m_projects, m_options, m_files.dataDir(), this);
    connect(m_preview, &PreviewPane::closed, this, &MainWindow::RefreshWindowState);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &MainWindow::sessionEnding);
    // With no project yet every project button is off; nothing is written until a refresh, and
    // the menus keep the enabling they start with.
    m_commands->refresh(commandState(), true);
    // The window is built in English first; then every window takes the stored language. A
    // stored number that is no language gives English, rather than a refusal in every dialog.
    for (ComponentText *chooser : {m_frame.OpenProjectDialog, m_frame.OpenFileDialog, m_frame.SaveDialog1})
        connect(chooser, &ComponentText::changed, this, [this] {
            m_projects->setFilters(
                {m_frame.OpenProjectDialog->filter(), m_frame.OpenFileDialog->filter(), m_frame.SaveDialog1->filter()});
        });
    translateWindow(this, QStringLiteral("main"));
    if (m_languageIndex < MultiLang::English || m_languageIndex > MultiLang::German)
        m_languageIndex = MultiLang::English;
    MultiLang::SwitchAllLanguages(m_languageIndex);
}

void MainWindow::connectProjects()
{
    m_projectList = std::make_unique<ProjectListView>(*m_projects, m_frame.dxtlProject, m_filesMenu,
                                                      m_files.dataDir() + QStringLiteral("icons/"));
    connect(m_projects.get(), &ProjectController::stateChanged, this, &MainWindow::RefreshWindowState);
    connect(m_projects.get(), &ProjectController::historyChanged, this, &MainWindow::BuildReopenMenu);
    connect(m_projects.get(), &ProjectController::activeFileChanged, m_declarationPanes, &DeclarationPanes::hide);
    // The window owns it; it acts on what the file browser reports.
    new FileBrowserCommands(*m_frame.pnlFiles, *m_projects, this);
}

void MainWindow::connectEditor()
{
    // The project flows are the context of what the editor reports, so nothing reaches them once
    // they are gone, even while the window's panes are still being taken down.
    const ProjectController *flows = m_projects.get();
    EditorWidget *editor = m_frame.mFile;
    connect(editor->model(), &EditorModel::Changed, flows, [this] { mFileChange(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, flows, [this] { UpdateEditButtons(); });
    connect(editor->model(), &EditorModel::CaretMoved, m_fileEditor.get(), &FileEditor::UpdateCaretStatus);
    for (auto signal : {&EditorModel::Changed, &EditorModel::SelectionChanged, &EditorModel::CaretMoved})
        connect(editor->model(), signal, flows, [this] { UpdateEditButtons(); });
    connect(editor, &EditorWidget::filesDropped, flows, [this](const QStringList &paths) {
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
    case QEvent::MouseButtonPress: m_declarationPanes->hide(); break;
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
    case EditorKeyCommand::RepeatSearch: m_search->SearchAgain(); return true;
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
            m_projects->AddFileToProject(localPathOf(url));
    event->acceptProposedAction();
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
        m_projects->LoadProject(absolutePathOf(m_parameters.first()));
    else if (m_options.OpenLastUsed && !m_history.isEmpty() && isRegularFile(m_history.paths().first()))
        m_projects->LoadProject(m_history.paths().first());
    m_formShownOnce = true;
    // Asked over the window once it is up, so the user sees what the work is restored into.
    QTimer::singleShot(0, m_workSafety.get(), &WorkSafety::offerRecovery);
    m_frame.pnlFiles->applyMask();
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
    m_typingAids->ReloadCompletionData(m_options);
    writeSysOptions(m_settingsFile, m_options);
    QString error;
    if (m_settingsFile.save(&error))
        return true;
    prompts().error(error);
    return false;
}

void MainWindow::Options1Click()
{
    OptionsFlow flow(prompts(), m_highlighters, m_files);
    if (flow.Options1Click(&m_options, m_typingAids->keywords(), m_typingAids->functions()))
        ApplySettings();
    if (m_fileEditor->isShown())
        m_fileEditor->cbHighlighterChange(m_frame.cbHighlighter->currentIndex());
}

void MainWindow::English1Click(int language)
{
    MultiLang::SwitchAllLanguages(language);
    m_languageIndex = language;
    writeLanguageIndex(m_settingsFile, language);
    RefreshWindowState();
    // The switch emptied the function and class lists and the status lines: the file is shown
    // again without the lists, and the lines are written again.
    m_declarationPanes->hide();
    if (const int row = m_projectList->currentRow(); row >= 0)
        m_projects->focusRow(row);
    m_frame.pnlFiles->showDirectoryLine();
    if (m_fileEditor->isShown())
        m_fileEditor->UpdateCaretStatus();
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
        status = displayPath(active->FileName);
        m_fileEditor->ShowActiveFileName(*active, m_frame.message(5));
    }
    setWindowTitle(title);
    m_frame.statusText->setText(status);
    refreshCommands();
    ApplySettings();
}
