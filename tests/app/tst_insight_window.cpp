#include "CodeExplorerDialog.h"
#include "CodeInsight.h"
#include "DiskFiles.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "MainWindow.h"
#include "PreviewPane.h"
#include "ScriptedPrompts.h"
#include "ScriptedWindow.h"
#include "TestFiles.h"
#include "VariablesDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

// The code insight commands in the window: the Code Explorer, Goto Line, the declaration panes,
// the skeletons, the variables picker and the help page.
class TestInsightWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void explorerTreeAndChoices();
    void explorerChoiceGoesToTheLine();
    void gotoLine_data();
    void gotoLine();
    void skeletonInsertAndUndo_data();
    void skeletonInsertAndUndo();
    void declarationPanes();
    void variablePickerPadsAndUndoes();
    void variablesWindowSearch();
    void displayHelp();

private:
    // A project of two PHP files, the second of 200 lines with a variable on line 150.
    void openProject();
    EditorModel *editor() const { return m_window->frame().mFile->model(); }
    ProjectController &projects() const { return m_window->projects(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
};

void TestInsightWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(m_dir->filePath("settings")));
    m_window = showScriptedWindow(m_dir->filePath("settings"), &m_prompts);
    QVERIFY(m_window);
}

void TestInsightWindow::cleanup()
{
    m_window.reset();
}

void TestInsightWindow::openProject()
{
    writeAll(m_dir->filePath("a.php"),
             "<?php\r\nfunction zeta() {}\r\nfunction Alpha() {}\r\nclass Shop {}\r\n"
             "    $x = 1;\r\nAlpha();\r\n");
    QByteArray big = "<?php\r\n";
    for (int line = 2; line <= 200; ++line)
        big += line == 150 ? "$total = 1;\r\n" : "echo 1;\r\n";
    writeAll(m_dir->filePath("b.php"), big);
    writeAll(m_dir->filePath("p.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\n"
             "ProjectFile=a.php;PHP;1,1:1\r\nProjectFile=b.php;PHP;1,1:1\r\n");
    QVERIFY(projects().LoadProject(m_dir->filePath("p.vlmp")));
    projects().focusRow(1);
    QCOMPARE(projects().activeFile(), 0);
}

void TestInsightWindow::explorerTreeAndChoices()
{
    const CodeExplorerModel model({{QStringLiteral("/s/a.php"), QStringLiteral("PHP"),
                                    QStringLiteral("<?php\r\n$a = $b;\r\nfunction go() {}\r\n")},
                                   {QStringLiteral("/s/b.js"), QStringLiteral("JS"), QStringLiteral("x\r\n")}});
    CodeExplorerDialog dialog(model, QStringLiteral("Site"), 1, QStringLiteral(VELMORA_SOURCE_DATA_DIR "/icons/"));
    QTreeWidgetItem *root = dialog.tree()->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("Site"));
    QCOMPARE(root->childCount(), 2);
    QTreeWidgetItem *file = root->child(0);
    QCOMPARE(dialog.tree()->currentItem(), file);
    QVERIFY(file->isExpanded());
    QCOMPARE(file->child(0)->text(0), QStringLiteral("Variables (2)"));
    QCOMPARE(file->child(1)->text(0), QStringLiteral("Functions (1)"));
    QCOMPARE(file->child(2)->text(0), QStringLiteral("Classes (0)"));
    QCOMPARE(root->child(1)->child(0)->text(0), QStringLiteral("Variables (0)"));

    // The lines of an entry are there once it opens.
    QTreeWidgetItem *variable = file->child(0)->child(1);
    QCOMPARE(variable->text(0), QStringLiteral("b"));
    QCOMPARE(variable->childCount(), 0);
    variable->setExpanded(true);
    QCOMPARE(variable->childCount(), 1);
    QCOMPARE(variable->child(0)->text(0), QStringLiteral("[00002]: $a = $b;"));

    // A double-click on the project does nothing; on a line it gives the file and the line; on
    // anything else the file alone.
    struct Case {
        QTreeWidgetItem *item;
        std::optional<ExplorerChoice> choice;
    };
    const Case cases[] = {
        {root, std::nullopt},
        {variable->child(0), ExplorerChoice{0, 2}},
        {variable, ExplorerChoice{0, 0}},
        {file->child(1), ExplorerChoice{0, 0}},
        {root->child(1), ExplorerChoice{1, 0}},
    };
    for (const Case &c : cases) {
        CodeExplorerDialog again(model, QStringLiteral("Site"), 0, QString());
        QTreeWidgetItem *same = again.tree()->topLevelItem(0);
        // The same item in the new tree, by its path of child positions.
        QList<int> path;
        for (QTreeWidgetItem *at = c.item; at->parent(); at = at->parent())
            path.prepend(at->parent()->indexOfChild(at));
        for (int index : path) {
            same->setExpanded(true);
            same = same->child(index);
        }
        emit again.tree()->itemDoubleClicked(same, 0);
        QCOMPARE(again.choice(), c.choice);
        QCOMPARE(again.result(), c.choice ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }
}

void TestInsightWindow::explorerChoiceGoesToTheLine()
{
    openProject();
    m_prompts->explorerChoice = ExplorerChoice{1, 150};
    m_window->run(Command::CodeExplorer);
    QCOMPARE(m_prompts->explorerCaptions, QStringList{QStringLiteral("Site|1")});
    QCOMPARE(projects().activeFile(), 1);
    QCOMPARE(editor()->CaretXY(), (BufferCoord{1, 150}));
    QCOMPARE(editor()->TopLine(), 150 - editor()->LinesInWindow() / 2);
    QCOMPARE(editor()->LeftChar(), 1);
}

void TestInsightWindow::gotoLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("line");
    QTest::addRow("not a number") << "abc" << 120;
    QTest::addRow("cancelled") << QString() << 120;
    QTest::addRow("zero") << "0" << 1;
    QTest::addRow("a line") << " 170 " << 170;
    QTest::addRow("beyond the last line") << "201" << 120;
}

void TestInsightWindow::gotoLine()
{
    QFETCH(QString, typed);
    QFETCH(int, line);
    openProject();
    projects().focusRow(2);
    editor()->SetCaretXY({3, 120});
    editor()->SetTopLine(1);
    m_prompts->inputs = {typed};
    m_window->run(Command::GotoLine);
    QCOMPARE(m_prompts->inputTitles, QStringList{QStringLiteral("GoTo Line Number:")});
    QCOMPARE(editor()->CaretY(), line);
    QCOMPARE(editor()->CaretX(), 3);
    const bool moved = !typed.isNull() && typed != u"abc";
    QCOMPARE(editor()->TopLine(), moved ? std::max(1, line - editor()->LinesInWindow() / 2) : 1);
}

void TestInsightWindow::skeletonInsertAndUndo_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<int>("column");
    QTest::addRow("function") << int(Command::InsertFunction) << "    $x = 1;"
                              << "    function  { };" << 14;
    QTest::addRow("class") << int(Command::InsertClass) << "\t$y;"
                           << "class  { };" << 7;
    QTest::addRow("three blanks indent by two") << int(Command::InsertFunction) << "   "
                                                << "  function  { };" << 12;
}

void TestInsightWindow::skeletonInsertAndUndo()
{
    QFETCH(int, command);
    QFETCH(QString, line);
    QFETCH(QString, inserted);
    QFETCH(int, column);
    openProject();
    editor()->SetText(QStringLiteral("first\r\n") + line + QStringLiteral("\r\nlast"));
    editor()->SetCaretXY({2, 2});
    m_window->run(Command(command));
    QCOMPARE(editor()->LineCount(), 4);
    QCOMPARE(editor()->Line(2), line);
    QCOMPARE(editor()->Line(3), inserted);
    QCOMPARE(editor()->CaretXY(), (BufferCoord{column, 3}));
    QVERIFY(projects().activeEntry()->Modified);
    editor()->Undo();
    QCOMPARE(editor()->Text(), QStringLiteral("first\r\n") + line + QStringLiteral("\r\nlast\r\n"));
}

void TestInsightWindow::declarationPanes()
{
    openProject();
    const MainFrame &frame = m_window->frame();
    m_window->run(Command::FunctionList);
    QVERIFY(frame.pnlFunctions->isVisible());
    QCOMPARE(frame.pnlFunctions->y(), frame.lblFileName->height() + frame.ToolBar2->height() + 1);
    QStringList shown;
    for (int i = 0; i < frame.lbFunctions->count(); ++i)
        shown.append(frame.lbFunctions->item(i)->text());
    QCOMPARE(shown, (QStringList{"Alpha", "zeta"}));
    m_window->run(Command::FunctionList);
    QVERIFY(!frame.pnlFunctions->isVisible());

    m_window->run(Command::FunctionList);
    m_window->run(Command::ClassList);
    QVERIFY(!frame.pnlFunctions->isVisible());
    QVERIFY(frame.pnlClasses->isVisible());
    QCOMPARE(frame.lbClasses->item(0)->text(), QStringLiteral("Shop"));
    m_window->run(Command::ClassList);

    // A double-click goes to the "f" of the declaration, not to the later call.
    editor()->SetCaretXY({1, 6});
    m_window->run(Command::FunctionList);
    frame.lbFunctions->setCurrentRow(0);
    emit frame.lbFunctions->itemDoubleClicked(frame.lbFunctions->item(0));
    QCOMPARE(editor()->CaretXY(), (BufferCoord{1, 3}));
    QVERIFY(!frame.pnlFunctions->isVisible());

    // Another file made active closes the pane.
    m_window->run(Command::ClassList);
    projects().focusRow(2);
    QVERIFY(!frame.pnlClasses->isVisible());
}

void TestInsightWindow::variablePickerPadsAndUndoes()
{
    openProject();
    editor()->SetText(QStringLiteral("<?php $total = 1;\r\necho ;\r\nab"));
    m_prompts->variable = QStringLiteral("total");
    editor()->SetCaretXY({6, 2});
    m_window->run(Command::InsertVariable);
    QCOMPARE(m_prompts->variableLists.value(0), QStringList{QStringLiteral("total")});
    QCOMPARE(editor()->Line(2), QStringLiteral("echo $total;"));
    QCOMPARE(editor()->CaretXY(), (BufferCoord{12, 2}));
    editor()->Undo();
    QCOMPARE(editor()->Line(2), QStringLiteral("echo ;"));

    // Beyond the line's end the line is filled with blanks up to the caret.
    editor()->SetOptions(editor()->Options() | eoScrollPastEol);
    editor()->SetCaretXY({10, 3});
    QCOMPARE(editor()->CaretX(), 10);
    m_window->run(Command::InsertVariable);
    QCOMPARE(editor()->Line(3), QStringLiteral("ab       $total"));

    m_prompts->variable.clear();
    m_window->run(Command::InsertVariable);
    QCOMPARE(editor()->Line(3), QStringLiteral("ab       $total"));
}

void TestInsightWindow::variablesWindowSearch()
{
    VariablesDialog dialog({QStringLiteral("zeta"), QStringLiteral("total"), QStringLiteral("Alpha")});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTreeWidget *grid = dialog.grid();
    QCOMPARE(grid->topLevelItem(0)->text(0), QStringLiteral("Alpha"));
    QCOMPARE(grid->topLevelItem(2)->text(0), QStringLiteral("zeta"));
    QVERIFY(dialog.searchBox()->hasFocus());
    QTest::keyClicks(dialog.searchBox(), QStringLiteral("TO"));
    QCOMPARE(grid->currentItem()->text(0), QStringLiteral("total"));
    QTest::keyClick(dialog.searchBox(), Qt::Key_Return);
    QCOMPARE(dialog.result(), QStringLiteral("TO"));

    VariablesDialog browse({QStringLiteral("a1"), QStringLiteral("b2")});
    browse.show();
    QVERIFY(QTest::qWaitForWindowActive(&browse));
    QTest::keyClick(browse.searchBox(), Qt::Key_Down);
    QVERIFY(browse.grid()->hasFocus());
    QCOMPARE(browse.searchBox()->text(), QStringLiteral("a1"));
    QTest::keyClick(browse.grid(), Qt::Key_Down);
    QCOMPARE(browse.searchBox()->text(), QStringLiteral("b2"));
    QTest::keyClick(browse.grid(), Qt::Key_X);
    QVERIFY(browse.searchBox()->hasFocus());
    QCOMPARE(browse.searchBox()->text(), QStringLiteral("b2x"));
    QTest::keyClick(browse.searchBox(), Qt::Key_Escape);
    QCOMPARE(browse.result(), QString());
}

void TestInsightWindow::displayHelp()
{
    openProject();
    const MainFrame &frame = m_window->frame();
    m_window->preview().DisplayHelp1Click(m_dir->filePath("missing.html"));
    QCOMPARE(m_prompts->texts(ScriptedPrompts::Box::Error),
             QStringList{QStringLiteral("Sorry, help file (vlmpman.html) could not be found.\r\n"
                                        "Please visit homepage to acces user doucmentation!")});
    QVERIFY(frame.pnlWork->isVisible());

    QVERIFY(isRegularFile(m_window->helpFile()));
    m_window->run(Command::DisplayHelp);
    QVERIFY(frame.pnlPreview->isVisible());
    QCOMPARE(frame.pnlPreview->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Help"));
    QVERIFY(!frame.pnlWork->isVisible());
    // The help view is not a preview: Esc leaves it, the Close button takes the file back.
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(frame.pnlPreview->isVisible());
    m_window->preview().ClosePreview();
    QVERIFY(frame.pnlWork->isVisible());
    QCOMPARE(projects().activeFile(), 0);
}

QTEST_MAIN(TestInsightWindow)
#include "tst_insight_window.moc"
