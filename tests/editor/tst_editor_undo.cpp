#include "tst_editor_model.h"

#include "ModelTestSupport.h"
#include "TestHighlighter.h"
#include "UndoHistory.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using C = EditorCommand;
constexpr EditorOptions Defaults = DefaultEditorOptions;

// A model holding the same text, scanned from scratch by the same kind of highlighter.
QList<std::pair<QString, SynRangeState>> FreshScan(const EditorModel &model)
{
    TestHighlighter highlighter;
    EditorModel fresh;
    fresh.SetText(model.Text());
    fresh.SetHighlighter(&highlighter);
    auto result = LinesWithRanges(fresh);
    fresh.SetHighlighter(nullptr);
    return result;
}

QString PlainLines(int count, int openerLine)
{
    QString text;
    for (int line = 1; line <= count; ++line)
        text += (line == openerLine ? u"/*"_s : u"x"_s) + u"\r\n"_s;
    return text;
}

} // namespace

// --- Undo and redo

void TestEditorModel::undoGrouping_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<EditorOptions>("options");
    QTest::addColumn<QStringList>("afterEachUndo");
    const Commands three{C::Char, C::Char, C::Char};
    QTest::newRow("a typed run goes back at once") << u"|"_s << three << u"abc"_s << Defaults << QStringList{u"|"_s};
    QTest::newRow("without group undo one by one")
        << u"|"_s << three << u"abc"_s << (Defaults & ~eoGroupUndo) << QStringList{u"ab|"_s, u"a|"_s, u"|"_s};
    QTest::newRow("a line break ends a run") << u"|"_s << Commands{C::Char, C::Char, C::LineBreak, C::Char, C::Char}
                                             << u"abcd"_s << Defaults << QStringList{u"ab\n|"_s, u"ab|"_s, u"|"_s};
    QTest::newRow("a run of deletions goes back at once")
        << u"abcd|"_s << Commands{C::DeleteLastChar, C::DeleteLastChar, C::DeleteLastChar} << QString() << Defaults
        << QStringList{u"abcd|"_s};
    QTest::newRow("typing and deleting are two steps") << u"|"_s << Commands{C::Char, C::Char, C::DeleteLastChar}
                                                       << u"ab"_s << Defaults << QStringList{u"ab|"_s, u"|"_s};
    QTest::newRow("backspace and delete run together")
        << u"ab|cd"_s << Commands{C::DeleteLastChar, C::DeleteChar} << QString() << Defaults << QStringList{u"ab|cd"_s};
    QTest::newRow("a replaced selection does not join the run")
        << u"ab|"_s << Commands{C::Char, C::SelLeft, C::Char} << u"xy"_s << Defaults
        << QStringList{u"ab|x"_s, u"ab|"_s};
}

void TestEditorModel::undoGrouping()
{
    QFETCH(QString, before);
    QFETCH(Commands, commands);
    QFETCH(QString, typed);
    QFETCH(EditorOptions, options);
    QFETCH(QStringList, afterEachUndo);
    EditorModel model;
    model.SetOptions(options);
    LoadMarked(model, before);
    Run(model, commands, typed);
    for (const QString &expected : afterEachUndo) {
        QVERIFY(model.CanUndo());
        model.ExecuteCommand(C::Undo);
        QCOMPARE(Marked(model), expected);
    }
    QVERIFY(!model.CanUndo());
}

void TestEditorModel::undoRestoresCaretAndRedoMirrors()
{
    EditorModel model;
    model.SetText(u"abc");
    model.SetCaretXY({2, 1});
    model.TypeText(u"xy"_s);
    model.SetCaretXY({1, 1});
    QVERIFY(!model.CanRedo());
    model.Undo();
    QCOMPARE(Marked(model), u"a|bc"_s);
    QVERIFY(model.CanRedo());
    model.Redo();
    QCOMPARE(Marked(model), u"axy|bc"_s);
    QVERIFY(!model.CanRedo());

    model.Undo();
    model.TypeText(u"z"_s);
    QVERIFY(!model.CanRedo());
    QCOMPARE(Marked(model), u"az|bc"_s);
    model.SetModified(false);
    model.Undo();
    QVERIFY(model.Modified());
}

void TestEditorModel::undoRedoRoundTrip_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<QString>("typed");
    QTest::newRow("split, join, tab and lines")
        << u"  foo|bar\nbaz /* q\nend */"_s
        << Commands{C::LineBreak, C::DeleteLastChar, C::LineBreak, C::Tab, C::DeleteLine, C::InsertLine} << u"x/*y"_s;
    QTest::newRow("selection to the end deleted")
        << u"a|bc\ndef\n/*\nghi"_s << Commands{C::SelEditorBottom, C::DeleteChar, C::Char} << u"z"_s;
    QTest::newRow("block indent and word deletions")
        << u"|foo bar\n  baz qux\nend"_s << Commands{C::SelectAll,      C::BlockIndent, C::EditorTop,    C::DeleteWord,
                                                     C::DeleteLastWord, C::DeleteEOL,   C::BlockUnindent}
        << QString();
    QTest::newRow("line selection deleted")
        << u"a\n|b\nc\nd"_s << Commands{C::SelDown, C::LineSelect, C::DeleteChar} << u"*/"_s;
    QTest::newRow("column selection replaced")
        << u"ab|cd\nef\nghij"_s << Commands{C::SelDown, C::SelDown, C::SelRight, C::ColumnSelect, C::Char} << u"Z"_s;
    QTest::newRow("case changes") << u"fo|o Bar"_s << Commands{C::UpperCase, C::ToggleCase, C::WordRight, C::LowerCase}
                                  << QString();
    QTest::newRow("typing in virtual space, then joins")
        << u"ab|\n\ncd"_s << Commands{C::Right, C::Right, C::Char, C::Down, C::DeleteChar, C::DeleteLastChar} << u"x"_s;
}

void TestEditorModel::undoRedoRoundTrip()
{
    QFETCH(QString, before);
    QFETCH(Commands, commands);
    QFETCH(QString, typed);
    TestHighlighter highlighter;
    EditorModel model;
    model.SetOptions(Defaults & ~eoGroupUndo);
    LoadMarked(model, before);
    model.SetHighlighter(&highlighter);
    const QString original = model.Text();
    Run(model, commands, typed);
    const QString edited = model.Text();
    QVERIFY(edited != original);
    QCOMPARE(LinesWithRanges(model), FreshScan(model));

    while (model.CanUndo())
        model.Undo();
    QCOMPARE(model.Text(), original);
    QCOMPARE(LinesWithRanges(model), FreshScan(model));
    while (model.CanRedo())
        model.Redo();
    QCOMPARE(model.Text(), edited);
    QCOMPARE(LinesWithRanges(model), FreshScan(model));
    model.SetHighlighter(nullptr);
}

void TestEditorModel::maxUndoDropsOldest()
{
    EditorModel model;
    model.SetOptions(Defaults & ~eoGroupUndo);
    model.SetMaxUndo(3);
    model.SetText(u"");
    model.TypeText(u"abcde"_s);
    for (int i = 0; i < 3; ++i)
        model.Undo();
    QCOMPARE(Marked(model), u"ab|"_s);
    QVERIFY(!model.CanUndo());

    // Lowering the limit drops from a list that is already there.
    model.SetMaxUndo(EditorModel::DefaultMaxUndo);
    model.SetText(u"");
    model.TypeText(u"abcde"_s);
    model.SetMaxUndo(2);
    model.Undo();
    model.Undo();
    QCOMPARE(Marked(model), u"abc|"_s);
    QVERIFY(!model.CanUndo());
}

void TestEditorModel::undoHistorySwap()
{
    EditorModel model;
    model.SetText(u"one");
    model.TypeText(u"x"_s);
    std::shared_ptr<UndoHistory> first = model.TakeUndoHistory();
    QVERIFY(!model.CanUndo());

    model.SetText(u"two");
    model.TypeText(u"y"_s);
    std::shared_ptr<UndoHistory> second = model.TakeUndoHistory();

    model.SetText(u"xone");
    model.SetUndoHistory(std::move(first));
    QVERIFY(model.CanUndo());
    model.Undo();
    QCOMPARE(model.Text(), u"one\r\n"_s);

    model.SetUndoHistory(nullptr);
    QVERIFY(!model.CanUndo());
    model.SetText(u"ytwo");
    model.SetUndoHistory(std::move(second));
    model.Undo();
    QCOMPARE(model.Text(), u"two\r\n"_s);
}

// --- Highlighter ranges

void TestEditorModel::rangesMatchFullScan_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<QString>("typed");
    const Commands two{C::Char, C::Char};
    QTest::newRow("open a comment") << u"a\n|b\nc\nd"_s << two << u"/*"_s;
    QTest::newRow("close a comment") << u"/*a\n|b\nc\nd"_s << two << u"*/"_s;
    QTest::newRow("open on the first line") << u"|a\nb"_s << two << u"/*"_s;
    QTest::newRow("enter inside a comment") << u"/*a\nb|c\n*/\nd"_s << Commands{C::LineBreak} << QString();
    QTest::newRow("delete the opener's line") << u"x\n/*|a\nb\nc"_s << Commands{C::DeleteLine} << QString();
    QTest::newRow("delete the first line") << u"/*|\na\nb"_s << Commands{C::DeleteLine} << QString();
    QTest::newRow("join onto an opener") << u"/*|\nb*/\nc"_s << Commands{C::DeleteChar} << QString();
    QTest::newRow("typed lines with an opener") << u"a|\nb\nc"_s << Commands{} << u"x\n/*y\nz"_s;
    QTest::newRow("undo an opener") << u"a\n|b\nc"_s << Commands{C::Char, C::Char, C::Undo} << u"/*"_s;
    QTest::newRow("redo an opener") << u"a\n|b\nc"_s << Commands{C::Char, C::Char, C::Undo, C::Redo} << u"/*"_s;
    QTest::newRow("line selection takes the closer")
        << u"/*\na\n|*/\nb\nc"_s << Commands{C::SelDown, C::LineSelect, C::DeleteChar} << QString();
    QTest::newRow("block indent inside a comment")
        << u"/*\n|a\n*/"_s << Commands{C::SelectAll, C::BlockIndent} << QString();
}

void TestEditorModel::rangesMatchFullScan()
{
    QFETCH(QString, before);
    QFETCH(Commands, commands);
    QFETCH(QString, typed);
    TestHighlighter highlighter;
    EditorModel model;
    LoadMarked(model, before);
    model.SetHighlighter(&highlighter);
    Run(model, commands, typed);
    QCOMPARE(LinesWithRanges(model), FreshScan(model));
    model.SetHighlighter(nullptr);
}

void TestEditorModel::rescanStopsAtAgreeingLine()
{
    TestHighlighter highlighter;
    EditorModel model;
    model.SetText(PlainLines(1000, 800));
    model.SetHighlighter(&highlighter);
    // Every line but the last gives the next its start state.
    QCOMPARE(highlighter.scannedLines.size(), std::size_t(999));
    QCOMPARE(model.LineRange(801), TestHighlighter::InComment);
    QSignalSpy repaint(&model, &EditorModel::LinesChanged);

    // A change that leaves the next line's start state alone costs one line.
    model.SetCaretXY({2, 500});
    highlighter.scannedLines.clear();
    model.TypeText(u"y/"_s);
    QCOMPARE(highlighter.scannedLines, (std::vector<int>{499, 499}));
    QCOMPARE(repaint.last(), (QList<QVariant>{500, 500}));

    // Opening a comment runs on until the line whose stored state already agrees.
    highlighter.scannedLines.clear();
    model.TypeText(u"*"_s);
    QCOMPARE(highlighter.scannedLines.size(), std::size_t(301));
    QCOMPARE(highlighter.scannedLines.front(), 499);
    QCOMPARE(highlighter.scannedLines.back(), 799);
    QCOMPARE(repaint.last(), (QList<QVariant>{500, 800}));
    QCOMPARE(model.LineRange(500), SynRangeState(0));
    QCOMPARE(model.LineRange(501), TestHighlighter::InComment);
    QCOMPARE(model.LineRange(800), TestHighlighter::InComment);

    // Undo rescans the same way.
    highlighter.scannedLines.clear();
    model.Undo();
    QCOMPARE(model.Line(500), u"x"_s);
    QCOMPARE(highlighter.scannedLines.size(), std::size_t(301));
    QCOMPARE(repaint.last(), (QList<QVariant>{500, 800}));
    QCOMPARE(model.LineRange(501), SynRangeState(0));
    QCOMPARE(LinesWithRanges(model), FreshScan(model));
    model.SetHighlighter(nullptr);
}

void TestEditorModel::insertedLinesReportRepaintToEnd()
{
    TestHighlighter highlighter;
    EditorModel model;
    model.SetText(u"a\r\nb\r\nc");
    model.SetHighlighter(&highlighter);
    QSignalSpy repaint(&model, &EditorModel::LinesChanged);

    model.SetCaretXY({2, 2});
    model.ExecuteCommand(C::LineBreak);
    QCOMPARE(repaint.last(), (QList<QVariant>{2, -1}));
    model.ExecuteCommand(C::DeleteLine);
    QCOMPARE(repaint.last(), (QList<QVariant>{3, -1}));

    // Inserted lines are scanned even where their (new) stored state happens to agree.
    model.SetCaretXY({2, 1});
    model.SetSelText(u"p\n/*q\nr"_s);
    QCOMPARE(repaint.last(), (QList<QVariant>{1, -1}));
    QCOMPARE(model.LineRange(3), TestHighlighter::InComment);
    QCOMPARE(LinesWithRanges(model), FreshScan(model));
    model.SetHighlighter(nullptr);
}

void TestEditorModel::highlighterAssignment()
{
    TestHighlighter first;
    TestHighlighter second;
    EditorModel model;
    model.SetText(u"a\r\n/*b\r\nc");
    QSignalSpy repaint(&model, &EditorModel::LinesChanged);

    model.SetHighlighter(&first);
    QCOMPARE(first.scannedLines, (std::vector<int>{0, 1}));
    QCOMPARE(repaint.count(), 1);
    QCOMPARE(repaint.last(), (QList<QVariant>{1, -1}));
    QCOMPARE(model.LineRange(3), TestHighlighter::InComment);

    first.scannedLines.clear();
    model.SetHighlighter(&first);
    QVERIFY(first.scannedLines.empty());
    QCOMPARE(repaint.count(), 1);

    // A colour change repaints without rescanning.
    first.StandardAttri(SynCustomHighlighter::siComment)->SetForeground(0x0000FF);
    QCOMPARE(repaint.count(), 2);
    QCOMPARE(repaint.last(), (QList<QVariant>{1, -1}));
    QVERIFY(first.scannedLines.empty());

    model.SetHighlighter(&second);
    QCOMPARE(second.scannedLines.size(), std::size_t(2));
    const int afterSwitch = repaint.count();
    first.StandardAttri(SynCustomHighlighter::siComment)->SetForeground(0x00FF00);
    QCOMPARE(repaint.count(), afterSwitch);

    model.SetHighlighter(nullptr);
    second.scannedLines.clear();
    model.TypeText(u"x"_s);
    QVERIFY(second.scannedLines.empty());
    QCOMPARE(model.Highlighter(), nullptr);
}

void TestEditorModel::destroyedHighlighterIsForgotten()
{
    EditorModel model;
    model.SetText(u"a\r\n/*b"_s);
    {
        TestHighlighter shortLived;
        model.SetHighlighter(&shortLived);
        QCOMPARE(model.Highlighter(), &shortLived);
    }
    QCOMPARE(model.Highlighter(), nullptr);
    // Editing and attaching another one work without touching the one that is gone.
    model.TypeText(u"x"_s);
    TestHighlighter next;
    model.SetHighlighter(&next);
    QVERIFY(!next.scannedLines.empty());
}

void TestEditorModel::hugeTabWidthIsClamped()
{
    EditorModel model;
    model.SetText(u"\ta\t\tb"_s);
    model.SetTabWidth(2147483647);
    QCOMPARE(model.TabWidth(), EditorModel::MaxTabWidth);
    // Three tabs at most 64 columns each: the widest line stays within reach.
    QCOMPARE(model.ScrollWidth(), std::max(EditorModel::MaxLeftChar, 3 * 64 + 2 + 1));
    model.SetTabWidth(-4);
    QCOMPARE(model.TabWidth(), 1);
}

void TestEditorModel::bracketsInCommentsAndStrings_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("skips a bracket in a comment") << u"|(a /* ) */ b)"_s << u"(a /* ) */ b|)"_s;
    QTest::newRow("skips a bracket in a string") << u"|(a \")\" b)"_s << u"(a \")\" b|)"_s;
    QTest::newRow("skips a comment over lines") << u"|{\n/* }\n*/ }"_s << u"{\n/* }\n*/ |}"_s;
    QTest::newRow("backward over a string") << u"(x ')' |)"_s << u"|(x ')' )"_s;
    QTest::newRow("counts nested brackets") << u"|((a))"_s << u"((a)|)"_s;
}

void TestEditorModel::bracketsInCommentsAndStrings()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    TestHighlighter highlighter;
    EditorModel model;
    LoadMarked(model, before);
    model.SetHighlighter(&highlighter);
    model.ExecuteCommand(C::MatchBracket);
    QCOMPARE(Marked(model), after);
    model.SetHighlighter(nullptr);
}
