#include "EditorModel.h"
#include "EditorWidget.h"
#include "MainWindow.h"
#include "ProjectSearch.h"
#include "ProjectSearchPane.h"
#include "ScriptedPrompts.h"
#include "ScriptedWindow.h"
#include "SearchCommands.h"
#include "SearchReplaceDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

Q_DECLARE_METATYPE(SearchForm)
Q_DECLARE_METATYPE(SearchAnswer)

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
    void projectSearch_data();
    void projectSearch();
    void searchInProjectListsAndOpens();
    void badExpressionSearchesNothing();
    void dialogShowsItsForms_data();
    void dialogShowsItsForms();

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
    m_window = showScriptedWindow(m_dir->path(), &m_prompts);
    QVERIFY(m_window);
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
    QCOMPARE(m_prompts->searchDialogs[0].first, SearchForm::Search);
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
    QCOMPARE(m_prompts->searchDialogs[0].first, SearchForm::Replace);
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
    QCOMPARE(m_prompts->searchDialogs[0].first, SearchForm::Search);
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

void TestSearchWindow::projectSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("expression");
    QTest::addColumn<QStringList>("found"); // "file:line:column+length"
    QTest::addRow("plain, any case") << "Total" << false << false << false
                                     << QStringList{"0:1:7+5", "0:2:1+5", "1:2:3+5"};
    QTest::addRow("plain, matching case") << "total" << true << false << false << QStringList{"0:1:7+5"};
    QTest::addRow("plain, whole words") << "total" << false << true << false << QStringList{"0:1:7+5", "1:2:3+5"};
    QTest::addRow("expression") << "\\$[a-z]+" << true << false << true << QStringList{"0:1:6+6", "1:1:1+2"};
    QTest::addRow("expression, whole words")
        << "tot\\w*" << false << true << true << QStringList{"0:1:7+5", "0:2:1+9", "1:2:3+5"};
    QTest::addRow("empty matches are left out") << "x*" << false << false << true << QStringList{};
}

void TestSearchWindow::projectSearch()
{
    QFETCH(QString, text);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(bool, expression);
    QFETCH(QStringList, found);
    FileTable files;
    files.append(ProjectFile());
    files[0].Text = QStringLiteral("echo $total;\r\nTOTALLING\r\n");
    files.append(ProjectFile());
    files[1].Text = QStringLiteral("$a\r\n  TOTAL\r\n");
    const ProjectSearchResult result = searchProject(files, {text, matchCase, wholeWord, expression});
    QVERIFY(result.error.isEmpty());
    QStringList actual;
    for (const ProjectMatch &match : result.matches) {
        actual.append(
            QStringLiteral("%1:%2:%3+%4").arg(match.file).arg(match.line).arg(match.column).arg(match.length));
        QCOMPARE(match.excerpt.mid(match.excerptStart, match.length).size(), match.length);
    }
    QCOMPARE(actual, found);
}

void TestSearchWindow::searchInProjectListsAndOpens()
{
    // The new file's text is still unsaved: what the editor shows is searched.
    edit(QStringLiteral("first\r\nneedle here"));
    m_window->projects().NewFile(NewFileKind::Html);
    edit(QStringLiteral("no match"));
    answer(SearchAnswer::Ok, QStringLiteral("needle"));
    m_window->run(Command::SearchInProject);
    QCOMPARE(m_prompts->searchDialogs.value(0).first, SearchForm::Project);
    QTreeWidget *list = m_window->searchResults().list();
    QVERIFY(m_window->searchResults().isVisible());
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("2"));
    QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("needle here"));
    emit list->itemActivated(list->topLevelItem(0), 0);
    QCOMPARE(m_window->projects().activeFile(), 0);
    QCOMPARE(editor()->SelText(), QStringLiteral("needle"));
    QCOMPARE(editor()->CaretXY(), (BufferCoord{7, 2}));
}

void TestSearchWindow::badExpressionSearchesNothing()
{
    edit(QStringLiteral("abc"));
    SearchFields fields;
    fields.find = QStringLiteral("a(b");
    fields.regularExpression = true;
    m_prompts->searches.push_back({SearchAnswer::Ok, fields});
    m_window->run(Command::SearchInProject);
    const QStringList errors = m_prompts->texts(ScriptedPrompts::Box::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].startsWith(QStringLiteral("The regular expression cannot be used: ")));
    QVERIFY(!m_window->searchResults().isVisible());
}

void TestSearchWindow::dialogShowsItsForms_data()
{
    QTest::addColumn<SearchForm>("form");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QString>("button");
    QTest::addColumn<SearchAnswer>("answer");
    const QStringList always{"eFind", "Button1", "Button3", "cbxMatchCase", "cbxWholeWord"};
    QTest::addRow("Search") << SearchForm::Search << "Search/Replace" << always + QStringList{"cbxEntireScope"}
                            << QStringList{"eReplace", "Label2", "btnReplaceAll", "cbxConfirm", "cbxRegularExpression"}
                            << "Button1" << SearchAnswer::Ok;
    QTest::addRow("Replace") << SearchForm::Replace << "Search/Replace"
                             << always + QStringList{"cbxEntireScope", "eReplace", "Label2", "btnReplaceAll"}
                             << QStringList{"cbxConfirm", "cbxRegularExpression"} << "btnReplaceAll"
                             << SearchAnswer::ReplaceAll;
    QTest::addRow("Project") << SearchForm::Project << "Search in Project"
                             << always + QStringList{"cbxRegularExpression"}
                             << QStringList{"eReplace", "Label2", "btnReplaceAll", "cbxConfirm", "cbxEntireScope"}
                             << "Button1" << SearchAnswer::Ok;
}

void TestSearchWindow::dialogShowsItsForms()
{
    QFETCH(SearchForm, form);
    QFETCH(QString, title);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);
    QFETCH(QString, button);
    QFETCH(SearchAnswer, answer);
    SearchFields fields;
    fields.find = QStringLiteral("needle");
    fields.wholeWord = true;
    SearchReplaceDialog dialog(form, fields);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), title);
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    const auto visible = [&](const QString &name) { return dialog.findChild<QWidget *>(name)->isVisible(); };
    for (const QString &name : shown)
        QVERIFY2(visible(name), qPrintable(name));
    for (const QString &name : hidden)
        QVERIFY2(!visible(name), qPrintable(name));
    QCOMPARE(dialog.fields(), fields);
    dialog.findChild<QLineEdit *>(QStringLiteral("eFind"))->setText(QStringLiteral("pin"));
    dialog.findChild<QPushButton *>(button)->click();
    QCOMPARE(dialog.answer(), answer);
    QCOMPARE(dialog.fields().find, QStringLiteral("pin"));
}

QTEST_MAIN(TestSearchWindow)
#include "tst_search_window.moc"
