#include "EditorModel.h"
#include "EditorWidget.h"
#include "MainWindow.h"
#include "ScriptedPrompts.h"
#include "SearchCommands.h"
#include "SearchReplaceDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Search, Replace and F3 in the window, and the Search/Replace dialog.
class TestSearchWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void searchThenSearchAgain();
    void entireScopeFindsTheFirstEachTime();
    void replaceSelectsWhatItPutIn();
    void replaceAllIsOneUndoStep();
    void cancelledReplaceStillRepeatsAReplace();
    void searchAgainIgnoresTheDialogsOptions();
    void searchAgainWithNothingSearchedOpensSearch();
    void dialogValuesAreRemembered();
    void dialogShowsItsTwoForms_data();
    void dialogShowsItsTwoForms();

private:
    // A PHP file in the editor holding text, the caret at caret.
    void edit(const QString &text, BufferCoord caret = {1, 1});
    void answer(SearchAnswer how, const QString &find, const QString &replace = {}, bool matchCase = false,
                bool entireScope = false);
    QString status() const { return m_window->frame().statusText->text(); }
    EditorModel *editor() const { return m_window->frame().mFile->model(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
};

void TestSearchWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<MainWindow>(ProgramFiles(m_dir->path(), QStringLiteral(VELMORA_SOURCE_DATA_DIR)),
                                            QStringList());
    auto prompts = std::make_unique<ScriptedPrompts>();
    m_prompts = prompts.get();
    m_window->setPrompts(std::move(prompts));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->projects().NewProject1Click();
    m_window->projects().NewFile(NewFileKind::Php);
}

void TestSearchWindow::cleanup()
{
    m_window.reset();
}

void TestSearchWindow::edit(const QString &text, BufferCoord caret)
{
    editor()->SetText(text);
    editor()->SetCaretXY(caret);
}

void TestSearchWindow::answer(SearchAnswer how, const QString &find, const QString &replace, bool matchCase,
                              bool entireScope)
{
    SearchFields fields;
    fields.find = find;
    fields.replace = replace;
    fields.matchCase = matchCase;
    fields.entireScope = entireScope;
    m_prompts->searches.push_back({how, fields});
}

void TestSearchWindow::searchThenSearchAgain()
{
    edit(QStringLiteral("ab ab\r\nab"));
    answer(SearchAnswer::Ok, QStringLiteral("ab"));
    m_window->run(Command::Search);
    QCOMPARE(m_prompts->searchDialogs.size(), 1);
    QVERIFY(!m_prompts->searchDialogs[0].first);
    QCOMPARE(editor()->SelText(), QStringLiteral("ab"));
    QCOMPARE(editor()->CaretXY(), (BufferCoord{3, 1}));
    m_window->search().SearchAgain();
    QCOMPARE(editor()->CaretXY(), (BufferCoord{6, 1}));
    m_window->search().SearchAgain();
    QCOMPARE(editor()->CaretXY(), (BufferCoord{3, 2}));
    // At the last match a search again changes nothing, and says so.
    m_window->search().SearchAgain();
    QCOMPARE(editor()->CaretXY(), (BufferCoord{3, 2}));
    QCOMPARE(status(), QStringLiteral("\"ab\" not found"));
}

void TestSearchWindow::entireScopeFindsTheFirstEachTime()
{
    edit(QStringLiteral("x ab ab"), {7, 1});
    for (int i = 0; i < 2; ++i) {
        answer(SearchAnswer::Ok, QStringLiteral("ab"), {}, false, true);
        m_window->run(Command::Search);
        QCOMPARE(editor()->CaretXY(), (BufferCoord{5, 1}));
    }
}

void TestSearchWindow::replaceSelectsWhatItPutIn()
{
    edit(QStringLiteral("one two two"));
    answer(SearchAnswer::Ok, QStringLiteral("two"), QStringLiteral("2"));
    m_window->run(Command::Replace);
    QVERIFY(m_prompts->searchDialogs[0].first);
    QCOMPARE(editor()->LineText(), QStringLiteral("one 2 two"));
    QCOMPARE(editor()->SelText(), QStringLiteral("2"));
    QCOMPARE(editor()->CaretXY(), (BufferCoord{5, 1}));
    // F3 repeats the replace, from the caret.
    m_window->search().SearchAgain();
    QCOMPARE(editor()->LineText(), QStringLiteral("one 2 2"));
}

void TestSearchWindow::replaceAllIsOneUndoStep()
{
    edit(QStringLiteral("a-b\r\n-c-"));
    answer(SearchAnswer::ReplaceAll, QStringLiteral("-"), QStringLiteral("+"));
    m_window->run(Command::Replace);
    QCOMPARE(editor()->Text(), QStringLiteral("a+b\r\n+c+\r\n"));
    QCOMPARE(status(), QStringLiteral("3 replaced"));
    editor()->Undo();
    QCOMPARE(editor()->Text(), QStringLiteral("a-b\r\n-c-\r\n"));
}

void TestSearchWindow::cancelledReplaceStillRepeatsAReplace()
{
    edit(QStringLiteral("x x"));
    // Nothing remembered yet: the dialog opens on the selected text, and cancelling it keeps
    // what it showed as the state F3 repeats.
    editor()->SetSelection({1, 1}, {2, 1});
    m_prompts->searches.push_back({SearchAnswer::Cancel, std::nullopt});
    m_window->run(Command::Replace);
    QCOMPARE(m_prompts->searchDialogs[0].second.find, QStringLiteral("x"));
    QVERIFY(m_window->search().state().ReplaceMode);
    QCOMPARE(m_window->search().state().LastFindText, QStringLiteral("x"));
    editor()->SetCaretXY({1, 1});
    m_window->search().SearchAgain();
    QCOMPARE(editor()->LineText(), QStringLiteral(" x"));
}

void TestSearchWindow::searchAgainIgnoresTheDialogsOptions()
{
    edit(QStringLiteral("Ab ab AB"));
    answer(SearchAnswer::Ok, QStringLiteral("AB"), {}, true);
    m_window->run(Command::Search);
    QCOMPARE(editor()->CaretXY(), (BufferCoord{9, 1}));
    editor()->SetCaretXY({1, 1});
    m_window->search().SearchAgain();
    QCOMPARE(editor()->CaretXY(), (BufferCoord{3, 1}));
}

void TestSearchWindow::searchAgainWithNothingSearchedOpensSearch()
{
    edit(QStringLiteral("abc"));
    m_window->search().SearchAgain();
    QCOMPARE(m_prompts->searchDialogs.size(), 1);
    QVERIFY(!m_prompts->searchDialogs[0].first);
}

void TestSearchWindow::dialogValuesAreRemembered()
{
    edit(QStringLiteral("abc"));
    answer(SearchAnswer::Cancel, QStringLiteral("abc"), QStringLiteral("z"), true, true);
    m_window->run(Command::Replace);
    // The next dialog, Search or Replace, opens with what the last one closed with; a remembered
    // search text takes the place of the selection.
    editor()->SetSelection({1, 1}, {2, 1});
    m_window->run(Command::Search);
    const SearchFields shown = m_prompts->searchDialogs[1].second;
    QCOMPARE(shown.find, QStringLiteral("abc"));
    QCOMPARE(shown.replace, QStringLiteral("z"));
    QVERIFY(shown.matchCase && shown.entireScope && !shown.wholeWord);
}

void TestSearchWindow::dialogShowsItsTwoForms_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addRow("Search") << false;
    QTest::addRow("Replace") << true;
}

void TestSearchWindow::dialogShowsItsTwoForms()
{
    QFETCH(bool, replace);
    SearchFields fields;
    fields.find = QStringLiteral("needle");
    fields.wholeWord = true;
    SearchReplaceDialog dialog(replace, fields);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Search/Replace"));
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    const auto shown = [&](const char *name) {
        return dialog.findChild<QWidget *>(QString::fromLatin1(name))->isVisible();
    };
    for (const char *name : {"eFind", "Button1", "Button3", "cbxMatchCase", "cbxWholeWord", "cbxEntireScope"})
        QVERIFY2(shown(name), name);
    for (const char *name : {"eReplace", "Label2", "btnReplaceAll"})
        QCOMPARE(shown(name), replace);
    QVERIFY(!shown("cbxConfirm"));
    QCOMPARE(dialog.fields(), fields);
    dialog.findChild<QLineEdit *>(QStringLiteral("eFind"))->setText(QStringLiteral("pin"));
    dialog.findChild<QPushButton *>(QString::fromLatin1(replace ? "btnReplaceAll" : "Button1"))->click();
    QCOMPARE(dialog.answer(), replace ? SearchAnswer::ReplaceAll : SearchAnswer::Ok);
    QCOMPARE(dialog.fields().find, QStringLiteral("pin"));
}

QTEST_MAIN(TestSearchWindow)
#include "tst_search_window.moc"
