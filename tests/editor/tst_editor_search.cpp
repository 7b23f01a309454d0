#include "EditorModel.h"
#include "ModelTestSupport.h"
#include "RaisedErrors.h"
#include "SynEditSearch.h"

#include <QtTest>

// The search engine and the editor's search and replace.
class TestEditorSearch : public QObject
{
    Q_OBJECT

private slots:
    void engine_data();
    void engine();
    void shiftTableRebuildRule();
    void shiftResultsAndCount();
    void searchReplace_data();
    void searchReplace();
    void matchIsSelectedAndBroughtIntoView();
    void nothingFoundChangesNothing();
    void replaceAllIsOneUndoStep();
    void replacementIsReselectedBackwards();
};

using Columns = QList<int>;

void TestEditorSearch::engine_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("sensitive");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<Columns>("columns");
    QTest::addRow("case ignored") << "ABC"
                                  << "xabcx" << false << false << Columns{2};
    QTest::addRow("case matched") << "ABC"
                                  << "xabcx ABC" << true << false << Columns{7};
    QTest::addRow("several") << "ab"
                             << "ab ab xab" << false << false << Columns{1, 4, 8};
    QTest::addRow("whole word inside a name") << "count"
                                              << "count_all count;" << false << true << Columns{11};
    QTest::addRow("whole word beside delimiters") << "count"
                                                  << "x.count(" << false << true << Columns{3};
    QTest::addRow("whole word at both ends") << "count"
                                             << "count" << false << true << Columns{1};
    QTest::addRow("no overlap") << "aaa"
                                << "aaaaa" << false << false << Columns{1};
    QTest::addRow("no overlap, twice") << "aa"
                                       << "aaaaa" << false << false << Columns{1, 3};
    QTest::addRow("longer than the line") << "abcdef"
                                          << "abc" << false << false << Columns{};
    QTest::addRow("Latin-1 letters fold") << "\u00c9COLE"
                                          << "une \u00e9cole" << false << false << Columns{5};
    QTest::addRow("beyond Latin-1") << "\u03a3\u0399\u0393\u039c\u0391"
                                    << "\u03c3\u03b9\u03b3\u03bc\u03b1!" << false << false << Columns{1};
    QTest::addRow("beyond Latin-1, case matched") << "\u03a3"
                                                  << "\u03c3\u03a3" << true << false << Columns{2};
    QTest::addRow("letters beyond Latin-1 are no delimiters") << "ab"
                                                              << "\u0436ab ab" << false << true << Columns{5};
    QTest::addRow("last character repeated") << "aba"
                                             << "xxabababa" << false << false << Columns{3, 7};
}

void TestEditorSearch::engine()
{
    QFETCH(QString, pattern);
    QFETCH(QString, line);
    QFETCH(bool, sensitive);
    QFETCH(bool, whole);
    QFETCH(Columns, columns);
    TSynEditSearch search;
    search.SetPattern(pattern);
    search.SetSensitive(sensitive);
    search.SetWhole(whole);
    QCOMPARE(search.FindAllInLine(line), columns.size());
    Columns found;
    for (int i = 0; i < search.ResultCount(); ++i)
        found.append(search.Result(i));
    QCOMPARE(found, columns);
    QCOMPARE(search.Result(search.ResultCount()), 0);
}

void TestEditorSearch::shiftTableRebuildRule()
{
    // The table stays valid unless the pattern's last character occurs earlier in it as well.
    TSynEditSearch search;
    search.SetPattern(QStringLiteral("abc"));
    search.FindFirstMatch(u"xabc");
    QVERIFY(search.ShiftTableValid());
    search.SetPattern(QStringLiteral("aba"));
    QVERIFY(!search.ShiftTableValid());
    QCOMPARE(search.FindFirstMatch(u"xaba"), 2);
    QVERIFY(!search.ShiftTableValid());
    // A change of the case setting makes the table stale as well.
    search.SetPattern(QStringLiteral("xyz"));
    search.FindFirstMatch(u"xyz");
    QVERIFY(search.ShiftTableValid());
    search.SetSensitive(true);
    QVERIFY(!search.ShiftTableValid());
}

void TestEditorSearch::shiftResultsAndCount()
{
    TSynEditSearch search;
    search.SetPattern(QStringLiteral("a"));
    QCOMPARE(search.FindAllInLine(u"a a a"), 3);
    QCOMPARE(search.Count(), 3);
    search.ShiftResults(1, -1);
    QCOMPARE((Columns{search.Result(0), search.Result(1), search.Result(2)}), (Columns{1, 4, 6}));
    search.ShiftResults(4, 2);
    QCOMPARE((Columns{search.Result(0), search.Result(1), search.Result(2)}), (Columns{1, 4, 4}));
    search.SetPattern(QStringLiteral("a"));
    QCOMPARE(search.Count(), 0);

    // No pattern is an error, and finds nothing.
    const RaisedErrors errors;
    search.SetPattern({});
    QCOMPARE(search.FindAllInLine(u"abc"), 0);
    QCOMPARE(errors.messages, QStringList{QStringLiteral("Pattern is empty")});
}

void TestEditorSearch::searchReplace_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<unsigned>("options");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("count");
    QTest::addRow("from the caret: a match at the caret counts") << "ab |ab ab"
                                                                 << "ab"
                                                                 << "" << 0u << "ab ab| ab" << 1;
    QTest::addRow("from the caret: one left of it does not") << "ab a|b ab"
                                                             << "ab"
                                                             << "" << 0u << "ab ab ab|" << 1;
    QTest::addRow("entire scope") << "ab ab ab|"
                                  << "ab"
                                  << "" << unsigned(ssoEntireScope) << "ab| ab ab" << 1;
    QTest::addRow("on a later line") << "x|\ny\nab"
                                     << "ab"
                                     << "" << 0u << "x\ny\nab|" << 1;
    QTest::addRow("replace the first") << "|x x x"
                                       << "x"
                                       << "yy" << unsigned(ssoReplace) << "yy| x x" << 1;
    QTest::addRow("replace after the last replaces nothing") << "x x x|"
                                                             << "x"
                                                             << "yy" << unsigned(ssoReplace) << "x x x|" << 0;
    QTest::addRow("replace all, longer") << "|aaa"
                                         << "a"
                                         << "aa" << unsigned(ssoReplaceAll) << "aaaaaa|" << 3;
    QTest::addRow("replace all, shorter") << "|abc abc\nabc"
                                          << "abc"
                                          << "z" << unsigned(ssoReplaceAll) << "z z\nz|" << 3;
    QTest::addRow("replace all on the last line") << "|1\nx x x"
                                                  << "x"
                                                  << "yy" << unsigned(ssoReplaceAll) << "1\nyy yy yy|" << 3;
    QTest::addRow("replace all whole words") << "|count count_all count"
                                             << "count"
                                             << "n" << unsigned(ssoReplaceAll | ssoWholeWord) << "n count_all n|" << 2;
    QTest::addRow("replace all matching case") << "|Ab ab AB"
                                               << "ab"
                                               << "x" << unsigned(ssoReplaceAll | ssoMatchCase) << "Ab x| AB" << 1;
    QTest::addRow("replace all from the caret") << "x x| x x"
                                                << "x"
                                                << "y" << unsigned(ssoReplaceAll) << "x x y y|" << 2;
    QTest::addRow("backwards ends at the caret") << "ab ab| ab"
                                                 << "ab"
                                                 << "" << unsigned(ssoBackwards) << "ab |ab ab" << 1;
}

void TestEditorSearch::searchReplace()
{
    QFETCH(QString, before);
    QFETCH(QString, search);
    QFETCH(QString, replace);
    QFETCH(unsigned, options);
    QFETCH(QString, after);
    QFETCH(int, count);
    EditorModel model;
    LoadMarked(model, before);
    QCOMPARE(model.SearchReplace(search, replace, options), count);
    QCOMPARE(Marked(model), after);
}

void TestEditorSearch::matchIsSelectedAndBroughtIntoView()
{
    EditorModel model;
    QString text;
    for (int line = 1; line <= 200; ++line)
        text += line == 150 ? QStringLiteral("  the needle here\r\n") : QStringLiteral("hay\r\n");
    model.SetText(text);
    model.SetLinesInWindow(20);
    QCOMPARE(model.SearchReplace(QStringLiteral("NEEDLE"), {}, 0), 1);
    QCOMPARE(model.BlockBegin(), (BufferCoord{7, 150}));
    QCOMPARE(model.BlockEnd(), (BufferCoord{13, 150}));
    QCOMPARE(model.CaretXY(), (BufferCoord{13, 150}));
    QCOMPARE(model.TopLine(), 140);
    QCOMPARE(model.LeftChar(), 1);
}

void TestEditorSearch::nothingFoundChangesNothing()
{
    EditorModel model;
    LoadMarked(model, QStringLiteral("abc |def"));
    model.SetSelection({2, 1}, {5, 1});
    QCOMPARE(model.SearchReplace(QStringLiteral("zzz"), QStringLiteral("y"), ssoReplaceAll), 0);
    QCOMPARE(model.SearchReplace(QString(), QStringLiteral("y"), ssoReplaceAll), 0);
    QCOMPARE(model.SelectionAnchor(), (BufferCoord{2, 1}));
    QCOMPARE(model.CaretXY(), (BufferCoord{5, 1}));
    QVERIFY(!model.CanUndo());
}

void TestEditorSearch::replaceAllIsOneUndoStep()
{
    EditorModel model;
    const QString text = QStringLiteral("a-b-c\r\n-\r\nend-\r\n");
    model.SetText(text);
    QCOMPARE(model.SearchReplace(QStringLiteral("-"), QStringLiteral("=>"), ssoReplaceAll | ssoEntireScope), 4);
    QCOMPARE(model.Text(), QStringLiteral("a=>b=>c\r\n=>\r\nend=>\r\n"));
    model.Undo();
    QCOMPARE(model.Text(), text);
    QVERIFY(!model.CanUndo());

    // Even when it holds more changes than the undo limit keeps.
    const QString many = QString(QStringLiteral("x-\r\n")).repeated(50);
    model.SetText(many);
    model.SetMaxUndo(10);
    QCOMPARE(model.SearchReplace(QStringLiteral("-"), QStringLiteral("+"), ssoReplaceAll), 50);
    model.Undo();
    QCOMPARE(model.Text(), many);
}

void TestEditorSearch::replacementIsReselectedBackwards()
{
    // After a replace the window selects the text just put in: the nearest occurrence that ends
    // at or before the caret, with the caret at its start.
    EditorModel model;
    LoadMarked(model, QStringLiteral("|one two one"));
    model.SearchReplace(QStringLiteral("two"), QStringLiteral("2"), ssoReplace);
    QCOMPARE(model.SearchReplace(QStringLiteral("2"), {}, ssoBackwards), 1);
    QCOMPARE(model.SelText(), QStringLiteral("2"));
    QCOMPARE(model.CaretXY(), (BufferCoord{5, 1}));
}

QTEST_GUILESS_MAIN(TestEditorSearch)
#include "tst_editor_search.moc"
