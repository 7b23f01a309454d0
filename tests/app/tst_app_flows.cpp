// The main window's file and project flows, with a script answering its questions.
#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileNames.h"
#include "MainWindow.h"
#include "PreviewPane.h"
#include "SaveFilesDialog.h"
#include "ScriptedPrompts.h"
#include "TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <deque>

namespace {

// The scripted answers, with the real Save Files dialog, which the tests answer by its buttons.
class WindowPrompts : public ScriptedPrompts
{
public:
    bool saveChangedFiles(const QList<SaveFileRow> &rows, const SaveRowFunction &save, bool *notAllSaved) override
    {
        return SaveFilesDialog::run(nullptr, rows, save, notAllSaved);
    }
};

// Presses buttons of the next modal dialog, one after the other, once it is up.
void answerNextDialog(const QStringList &buttons)
{
    QTimer::singleShot(50, [buttons] {
        QWidget *dialog = QApplication::activeModalWidget();
        for (const QString &name : buttons)
            if (auto *button = dialog ? dialog->findChild<QPushButton *>(name) : nullptr)
                button->click();
    });
}

// "None", then OK: nothing is saved and the caller goes on.
void discardUnsavedWork()
{
    answerNextDialog({QStringLiteral("Button2"), QStringLiteral("btnOK")});
}

} // namespace

class TestAppFlows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newFileEditSaveAndReopen();
    void switchingFilesKeepsEachFilesState();
    void addingAFileTwiceIsRefused();
    void brokenProjectFileLeavesTheWindowUsable();
    void closingAsksAboutUnsavedWork();
    void closingSavesWhatIsMarked();
    void removingAndMovingFiles();
    void theFilesMenuFollowsTheProject();
    void enablingFollowsTheState();
    void titleAndStatusFollowTheState();
    void keysInTheEditor();
    void escapeClosesThePreview();
    void mouseInTheEditorHidesTheDeclarationPanes();
    void formatChangeMarksTheRow();
    void reopenItemsShowAndOpenTheirPath();
    void contextMenuKeysWorkInTheEditor();

private:
    // The names of RuledItems that are enabled, sorted.
    QStringList enabledItems() const;
    MainWindow *start(const QStringList &parameters = {});
    EditorModel *editor() const { return m_window->frame().mFile->model(); }
    ProjectController &projects() const { return m_window->projects(); }
    void type(const QString &text) { QTest::keyClicks(m_window->frame().mFile, text); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    WindowPrompts *m_prompts = nullptr;
};

void TestAppFlows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(m_dir->filePath("settings")));
    QVERIFY(QDir().mkpath(m_dir->filePath("site")));
}

void TestAppFlows::cleanup()
{
    m_window.reset();
}

MainWindow *TestAppFlows::start(const QStringList &parameters)
{
    m_window = std::make_unique<MainWindow>(
        ProgramFiles(m_dir->filePath("settings"), QStringLiteral(VELMORA_SOURCE_DATA_DIR)), parameters);
    auto prompts = std::make_unique<WindowPrompts>();
    m_prompts = prompts.get();
    m_window->setPrompts(std::move(prompts));
    m_window->show();
    m_window->activateWindow();
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(m_window.get());
    return m_window.get();
}

void TestAppFlows::newFileEditSaveAndReopen()
{
    start();
    m_prompts->propertiesPath = m_dir->filePath("site/new");
    projects().NewProject1Click();
    QCOMPARE(projects().project().Options.Path, m_dir->filePath("site/new/"));
    QVERIFY(QFileInfo(m_dir->filePath("site/new")).isDir());
    projects().NewFile(NewFileKind::Php);
    QCOMPARE(projects().activeFile(), 0);
    QVERIFY(m_window->frame().pnlEditor->isVisible());
    QCOMPARE(editor()->Text(), QStringLiteral("<?php\r\n\r\n?>\r\n"));
    editor()->SetCaretXY({1, 2});
    type(QStringLiteral("echo 1;"));
    QVERIFY(projects().project().Files[0].Modified);
    QVERIFY(m_window->windowTitle().endsWith(u"(changed!)"));

    const QString phpFile = m_dir->filePath("site/new/page.php");
    const QString projectFile = m_dir->filePath("site/new/site.vlmp");
    m_prompts->paths = {phpFile, projectFile};
    projects().btnSaveAllClick();
    QCOMPARE(m_prompts->messages.size(), 0);
    QCOMPARE(readAll(phpFile), QByteArray("<?php\r\necho 1;\r\n?>\r\n"));
    QVERIFY(readAll(projectFile).startsWith("Name=Project 1\r\n"));
    QVERIFY(readAll(projectFile).contains("LastFile=1\r\nProjectFile=" + phpFile.toUtf8() + ";PHP;8,2:1\r\n"));
    QVERIFY(!projects().project().Changed);
    QVERIFY(m_window->close());

    start({projectFile});
    QCOMPARE(projects().project().Name, QStringLiteral("Project 1"));
    QCOMPARE(projects().activeFile(), 0);
    QCOMPARE(editor()->Text(), QStringLiteral("<?php\r\necho 1;\r\n?>\r\n"));
    QCOMPARE(editor()->CaretXY(), (BufferCoord{8, 2}));
}

void TestAppFlows::switchingFilesKeepsEachFilesState()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    type(QStringLiteral("a"));
    projects().NewFile(NewFileKind::Html);
    QCOMPARE(projects().activeFile(), 1);
    QCOMPARE(editor()->Text(), QStringLiteral("<HTML>\r\n\r\n</HTML>\r\n"));
    type(QStringLiteral("b"));
    const BufferCoord htmlCaret = editor()->CaretXY();

    projects().focusRow(1);
    QCOMPARE(editor()->Text(), QStringLiteral("a<?php\r\n\r\n?>\r\n"));
    QCOMPARE(editor()->CaretXY(), (BufferCoord{2, 1}));
    editor()->Undo();
    QCOMPARE(editor()->Text(), QStringLiteral("<?php\r\n\r\n?>\r\n"));

    projects().focusRow(2);
    QCOMPARE(editor()->CaretXY(), htmlCaret);
    QVERIFY(editor()->CanUndo());
    editor()->Undo();
    QCOMPARE(editor()->Text(), QStringLiteral("<HTML>\r\n\r\n</HTML>\r\n"));
    QVERIFY(!projects().project().Files[1].IsNew);
}

void TestAppFlows::addingAFileTwiceIsRefused()
{
    const QString path = m_dir->filePath("site/style.css");
    QFile css(path);
    QVERIFY(css.open(QIODevice::WriteOnly));
    css.write("body { color: red }\n");
    css.close();
    start();
    projects().NewProject1Click();
    m_prompts->paths = {path, path};
    projects().btnAddFileClick();
    projects().btnAddFileClick();
    QCOMPARE(projects().project().Files.size(), 1);
    QCOMPARE(m_prompts->texts(ScriptedPrompts::Box::Error),
             QStringList({"This project already contains a file named \"" + path + "\"!"}));
    QCOMPARE(editor()->Text(), QStringLiteral("body { color: red }\r\n"));
    QVERIFY(projects().project().Files[0].Saved);
}

void TestAppFlows::brokenProjectFileLeavesTheWindowUsable()
{
    const QString broken = m_dir->filePath("site/broken.vlmp");
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    file.close();
    start();
    projects().NewProject1Click();
    m_prompts->paths = {broken};
    discardUnsavedWork(); // the new project's properties were set
    projects().OpenProject1Click();
    QCOMPARE(m_prompts->texts(ScriptedPrompts::Box::Error), QStringList({"Invalid project file!"}));
    QCOMPARE(projects().project().Name, QStringLiteral("Project 1"));
    projects().NewFile(NewFileKind::Php);
    QCOMPARE(projects().activeFile(), 0);
}

void TestAppFlows::closingAsksAboutUnsavedWork()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    type(QStringLiteral("x"));
    answerNextDialog({QStringLiteral("btnCancel")});
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QCOMPARE(projects().project().Files.size(), 1);

    discardUnsavedWork();
    QVERIFY(m_window->close());
    QVERIFY(projects().project().Name.isEmpty());
}

void TestAppFlows::closingSavesWhatIsMarked()
{
    start();
    m_prompts->propertiesPath = m_dir->filePath("site");
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Html);
    type(QStringLiteral("x"));
    const QString page = m_dir->filePath("site/page.html");
    const QString project = m_dir->filePath("site/p.vlmp");
    m_prompts->paths = {page, project};
    answerNextDialog({QStringLiteral("btnOK")});
    QVERIFY(m_window->close());
    // The file first, then the project, which then lists the saved file.
    QCOMPARE(m_prompts->saveTitles, QStringList({"Save File new1.html", "Save Project \"Project 1\" As:"}));
    QCOMPARE(readAll(page), QByteArray("x<HTML>\r\n\r\n</HTML>\r\n"));
    QVERIFY(readAll(project).contains(";HTML;2,1:1\r\n"));
}

void TestAppFlows::removingAndMovingFiles()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    projects().NewFile(NewFileKind::Html);
    projects().NewFile(NewFileKind::JavaScript);
    type(QStringLiteral("y"));
    projects().btnFileUpDownClick(-1);
    QCOMPARE(projects().activeFile(), 1);
    QCOMPARE(nameOf(projects().project().Files[1].FileName), QStringLiteral("new1.js"));
    QCOMPARE(editor()->LineText(), QStringLiteral("y<SCRIPT Language='JavaScript'>"));
    editor()->Undo();
    QCOMPARE(editor()->LineText(), QStringLiteral("<SCRIPT Language='JavaScript'>"));

    projects().btnRemoveFileClick(); // the script answers OK
    QCOMPARE(projects().project().Files.size(), 2);
    QCOMPARE(projects().activeFile(), 1); // the last file becomes active
    QCOMPARE(nameOf(projects().project().Files[1].FileName), QStringLiteral("new1.html"));
    QCOMPARE(editor()->Text(), QStringLiteral("<HTML>\r\n\r\n</HTML>\r\n"));
    projects().NewFile(NewFileKind::JavaScript);
    QCOMPARE(nameOf(projects().project().Files[2].FileName), QStringLiteral("new1.js"));
}

void TestAppFlows::theFilesMenuFollowsTheProject()
{
    const QString outside = m_dir->filePath("elsewhere.css");
    QFile css(outside);
    QVERIFY(css.open(QIODevice::WriteOnly));
    css.close();
    start();
    m_prompts->propertiesPath = m_dir->filePath("site");
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    m_prompts->paths = {outside};
    projects().btnAddFileClick();

    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("mnuFiles"));
    QVERIFY(menu);
    emit menu->aboutToShow(); // the entries are made as the menu opens
    QStringList captions;
    for (const QAction *entry : menu->actions())
        captions.append(entry->objectName() + u'=' + entry->text());
    QCOMPARE(captions, QStringList({"FI_0=new1.php", "FI_1=elsewhere.css <" + outside + ">"}));
    QCOMPARE(projects().activeFile(), 1);
    menu->actions().first()->trigger();
    QCOMPARE(projects().activeFile(), 0);

    // The keyboard moves through the entries and Enter opens one.
    menu->popup(m_window->mapToGlobal(QPoint(10, 40)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QCOMPARE(menu->activeAction(), menu->actions().at(1));
    QTest::keyClick(menu, Qt::Key_Return);
    QCOMPARE(projects().activeFile(), 1);
    QVERIFY(!menu->isVisible());

    projects().btnRemoveFileClick();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1);
}

namespace {

// Every button and menu item whose enabling follows the state, in the order they are listed.
// clang-format off
const char *const RuledItems[] = {
    "btnSaveFile", "btnSaveAll", "btnAddFile", "btnRemoveFile", "btnProperties", "btnNewPHP", "btnNewHTML",
    "btnNewJS", "btnPreview", "btnFileUp", "btnFileDown", "btnRun", "btnCut", "btnCopy", "btnPaste",
    "btnUndo", "btnRedo", "btnFind", "btnReplace", "btnPrint",
    "CloseProject1", "SaveProjectAs1", "Format1", "Save1", "SaveAs1", "RemoveFilefromProject1",
    "AddFiletoProject1", "ProjectProperties1", "New1", "Print1", "SaveAll1",
    "Undo1", "Redo1", "Cut1", "Copy1", "Paste1", "SelectAll1", "Search1", "Replace1", "GotoLine1",
    "Run1", "Preview1",
    "Undo2", "Redo2", "Cut2", "Copy2", "Paste2", "SelectAll2", "Search2", "Replace2", "SaveFile1",
};
// clang-format on

} // namespace

QStringList TestAppFlows::enabledItems() const
{
    // As a person sees them: each menu has just been opened.
    m_window->refreshCommands();
    QStringList on;
    for (const char *name : RuledItems) {
        const QAction *action = m_window->findChild<QAction *>(QString::fromLatin1(name));
        if (const auto *menu = action ? nullptr : m_window->findChild<QMenu *>(QString::fromLatin1(name)))
            action = menu->menuAction();
        if (!action)
            QTest::qFail(name, __FILE__, __LINE__);
        else if (action->isEnabled())
            on.append(QString::fromLatin1(name));
    }
    on.sort();
    return on;
}

void TestAppFlows::enablingFollowsTheState()
{
    QGuiApplication::clipboard()->clear();
    start();
    const QString project = "btnSaveAll btnAddFile btnRemoveFile btnProperties btnNewPHP btnNewHTML btnNewJS btnRun ";
    const QString projectMenu = "CloseProject1 SaveProjectAs1 ";
    const QString fileShown = "btnFind btnReplace btnPrint ";
    const QString editShown = "SelectAll1 Search1 Replace1 GotoLine1 Run1 Preview1 SelectAll2 Search2 Replace2";
    const struct Step {
        const char *state;
        std::function<void()> act;
        QString enabled;
    } steps[] = {
        {"no project", [] {}, ""},
        {"new project, its row focused", [this] { projects().NewProject1Click(); },
         "btnSaveFile " + project + projectMenu + "AddFiletoProject1 ProjectProperties1 New1 SaveAll1"},
        {"new PHP file", [this] { projects().NewFile(NewFileKind::Php); },
         "btnSaveFile " + project + "btnPreview " + fileShown + projectMenu
             + "Format1 SaveAs1 RemoveFilefromProject1 AddFiletoProject1 ProjectProperties1 New1 Print1 SaveAll1 "
             + editShown},
        {"typed into it", [this] { type(QStringLiteral("a")); },
         "btnSaveFile " + project + "btnPreview btnUndo " + fileShown + projectMenu
             + "Format1 Save1 SaveAs1 RemoveFilefromProject1 AddFiletoProject1 ProjectProperties1 New1 Print1 SaveAll1 "
             + "Undo1 " + editShown + " Undo2 SaveFile1"},
        {"text selected and copied",
         [this] {
             editor()->SelectAll();
             m_window->run(Command::Copy);
         },
         "btnSaveFile " + project + "btnPreview btnCut btnCopy btnPaste btnUndo " + fileShown + projectMenu
             + "Format1 Save1 SaveAs1 RemoveFilefromProject1 AddFiletoProject1 ProjectProperties1 New1 Print1 SaveAll1 "
             + "Undo1 Cut1 Copy1 Paste1 " + editShown + " Undo2 Cut2 Copy2 Paste2 SaveFile1"},
        {"a second file, new", [this] { projects().NewFile(NewFileKind::Html); },
         "btnSaveFile " + project + "btnPreview btnFileUp btnPaste " + fileShown + projectMenu
             + "Format1 SaveAs1 RemoveFilefromProject1 AddFiletoProject1 ProjectProperties1 New1 Print1 SaveAll1 "
             + "Paste1 " + editShown + " Paste2"},
        {"the first file again", [this] { projects().focusRow(1); },
         "btnSaveFile " + project + "btnPreview btnFileDown btnPaste btnUndo " + fileShown + projectMenu
             + "Format1 Save1 SaveAs1 RemoveFilefromProject1 AddFiletoProject1 ProjectProperties1 New1 Print1 SaveAll1 "
             + "Undo1 Paste1 " + editShown + " Undo2 Paste2 SaveFile1"},
        {"everything saved",
         [this] {
             // Every unsaved file, the new one as well, then the project.
             m_prompts->paths = {m_dir->filePath("site/a.php"), m_dir->filePath("site/b.html"),
                                 m_dir->filePath("site/p.vlmp")};
             projects().btnSaveAllClick();
         },
         project.mid(QStringLiteral("btnSaveAll ").size()) + "btnPreview btnFileDown btnPaste btnUndo " + fileShown
             + projectMenu + "Format1 SaveAs1 RemoveFilefromProject1 AddFiletoProject1 ProjectProperties1 New1 Print1 "
             + "Undo1 Paste1 " + editShown + " Undo2 Paste2"},
        {"the project row", [this] { projects().focusRow(0); },
         project.mid(QStringLiteral("btnSaveAll ").size()) + projectMenu
             + "AddFiletoProject1 ProjectProperties1 New1 Run1"},
        {"project closed", [this] { projects().CloseProject1Click(); }, ""},
    };
    for (const Step &step : steps) {
        step.act();
        QStringList expected = step.enabled.split(u' ', Qt::SkipEmptyParts);
        expected.sort();
        const QStringList actual = enabledItems();
        QVERIFY2(actual == expected,
                 qPrintable(QStringLiteral("%1:\n  enabled  %2\n  expected %3")
                                .arg(QLatin1String(step.state), actual.join(u' '), expected.join(u' '))));
    }
}

void TestAppFlows::titleAndStatusFollowTheState()
{
    const QString project = m_dir->filePath("site/site.vlmp");
    const QString page = m_dir->filePath("site/a.php");
    QFile pageFile(page);
    QVERIFY(pageFile.open(QIODevice::WriteOnly));
    pageFile.write("<?php echo 1; ?>\r\n");
    pageFile.close();
    QFile projectFile(project);
    QVERIFY(projectFile.open(QIODevice::WriteOnly));
    projectFile.write("Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\nProjectFile=" + page.toUtf8()
                      + ";PHP;1,1:1\r\n");
    projectFile.close();

    start({project});
    QCOMPARE(m_prompts->messages.size(), 0);
    const MainFrame &frame = m_window->frame();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Velmora PHP Editor - Site"));
    QCOMPARE(frame.dxtlProject->currentItem(), frame.dxtlProject->topLevelItem(0));
    QVERIFY(frame.pnlEditor->isHidden());
    QCOMPARE(frame.statusText->text(), "Site (" + project + ")");

    projects().focusRow(1);
    QCOMPARE(frame.statusText->text(), page);
    type(QStringLiteral("x"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Velmora PHP Editor - Site (changed!)"));
    QVERIFY(frame.dxtlProject->topLevelItem(0)->child(0)->font(0).bold());
    QVERIFY(frame.lblFileName->text().endsWith(u"(changed!)"));
}

void TestAppFlows::keysInTheEditor()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    // "$" in a PHP file opens the variables picker instead of being typed; its choice goes in
    // with the "$".
    m_prompts->variable = QStringLiteral("x");
    type(QStringLiteral("$"));
    QCOMPARE(m_prompts->variableLists.size(), 1);
    QCOMPARE(editor()->LineText(), QStringLiteral("$x<?php"));
    // F3 with no search made opens Search, and never reaches the editor as text.
    QTest::keyClick(m_window->frame().mFile, Qt::Key_F3);
    QCOMPARE(m_prompts->searchDialogs.size(), 1);
    QCOMPARE(editor()->LineText(), QStringLiteral("$x<?php"));

    // Ctrl+S saves the file while the Save File button is on.
    const QString path = m_dir->filePath("site/keyed.php");
    m_prompts->paths = {path};
    QTest::keyClick(m_window->frame().mFile, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(path));
    QVERIFY(projects().project().Files[0].Saved);
    // With nothing to save, Ctrl+S asks nothing and types nothing.
    QTest::keyClick(m_window->frame().mFile, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_prompts->saveTitles.size(), 1);
    QCOMPARE(editor()->LineText(), QStringLiteral("$x<?php"));
}

void TestAppFlows::escapeClosesThePreview()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    projects().NewFile(NewFileKind::Html);
    type(QStringLiteral("ab"));
    const int line = editor()->CaretY();
    const int column = editor()->CaretX();
    const MainFrame &frame = m_window->frame();

    QTest::keyClick(frame.mFile, Qt::Key_Escape); // no preview: Esc changes nothing
    QVERIFY(!frame.pnlWork->isHidden());

    m_window->preview().enterPreview();
    QVERIFY(frame.pnlWork->isHidden());
    QVERIFY(!frame.pnlPreview->isHidden());
    projects().focusRow(1); // rows chosen during the preview activate nothing
    QCOMPARE(projects().activeFile(), 1);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->preview().isShown());
    QVERIFY(!frame.pnlWork->isHidden());
    QVERIFY(frame.pnlPreview->isHidden());
    QCOMPARE(projects().activeFile(), 1);
    QCOMPARE(editor()->CaretY(), line);
    QCOMPARE(editor()->CaretX(), column);
    QCOMPARE(editor()->LineText(), QStringLiteral("ab<HTML>"));
}

void TestAppFlows::mouseInTheEditorHidesTheDeclarationPanes()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    const MainFrame &frame = m_window->frame();
    frame.pnlFunctions->show();
    QTest::mouseClick(frame.mFile->viewport(), Qt::LeftButton, {}, QPoint(40, 5));
    QVERIFY(frame.pnlFunctions->isHidden());
    frame.pnlClasses->show();
    projects().NewFile(NewFileKind::Html); // activating another file hides them too
    QVERIFY(frame.pnlClasses->isHidden());
}

void TestAppFlows::formatChangeMarksTheRow()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    const QTreeWidgetItem *row = m_window->frame().dxtlProject->topLevelItem(0)->child(0);
    QVERIFY(!row->font(0).bold());
    m_window->run(Command::FormatUnix);
    row = m_window->frame().dxtlProject->topLevelItem(0)->child(0);
    QVERIFY(row->font(0).bold());
    QVERIFY(m_window->frame().lblFileName->text().contains(u"[UNIX format]"));
}

void TestAppFlows::reopenItemsShowAndOpenTheirPath()
{
    QVERIFY(QDir().mkpath(m_dir->filePath("R&D")));
    const QString project = m_dir->filePath("R&D/site.vlmp");
    writeAll(project, "Name=R and D\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    writeAll(m_dir->filePath("settings/velmora.his"), project.toUtf8() + "\r\n");
    writeAll(m_dir->filePath("settings/velmora.ini"), "[General]\r\nOpenLastUsed=0\r\n");
    start();
    QVERIFY(projects().project().Name.isEmpty());
    QAction *item = m_window->findChild<QAction *>(QStringLiteral("Rpr0"));
    QVERIFY(item);
    QCOMPARE(item->text(), QString(project).replace(u'&', QStringLiteral("&&")));
    item->trigger();
    QCOMPARE(projects().project().Name, QStringLiteral("R and D"));
    QCOMPARE(m_prompts->messages.size(), 0);
}

void TestAppFlows::contextMenuKeysWorkInTheEditor()
{
    start();
    projects().NewProject1Click();
    projects().NewFile(NewFileKind::Php);
    QVERIFY(m_window->frame().mFile->hasFocus());
    const struct {
        const char *item;
        int key;
    } keys[] = {{"CodeExplorer1", Qt::Key_E}, {"PHPVariable1", Qt::Key_P}, {"GotoLine1", Qt::Key_G}};
    for (const auto &[item, key] : keys) {
        QAction *action = m_window->findChild<QAction *>(QString::fromLatin1(item));
        QVERIFY2(action, item);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keyClick(m_window->frame().mFile, Qt::Key(key), Qt::ControlModifier);
        QVERIFY2(triggered.count() == 1, item);
    }
    QCOMPARE(editor()->LineText(), QStringLiteral("<?php"));
}

QTEST_MAIN(TestAppFlows)
#include "tst_app_flows.moc"
