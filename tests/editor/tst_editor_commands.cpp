#include "tst_editor_model.h"

#include "KeyBindings.h"
#include "ModelTestSupport.h"

#include <QKeyEvent>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using C = EditorCommand;
constexpr EditorOptions Defaults = DefaultEditorOptions;
constexpr EditorOptions NoAutoIndent = Defaults & ~eoAutoIndent;
constexpr EditorOptions SmartTabs = Defaults | eoSmartTabs;
constexpr EditorOptions RealTabs = Defaults & ~eoTabsToSpaces;
constexpr EditorOptions NoSmartDelete = Defaults & ~eoSmartTabDelete;

// One row: the document before (see ModelTestSupport.h), the commands run, then the text typed,
// and the document after.
void Row(const char *name, const QString &before, const Commands &commands, const QString &after,
         EditorOptions options = Defaults, int tabWidth = 4, const QString &typed = {})
{
    QTest::newRow(name) << before << commands << typed << options << tabWidth << after;
}

void Typed(const char *name, const QString &before, const QString &typed, const QString &after,
           const Commands &commands = {}, EditorOptions options = Defaults)
{
    Row(name, before, commands, after, options, 4, typed);
}

void TypingRows()
{
    Typed("typed character is inserted", u"ab|c"_s, u"x"_s, u"abx|c"_s);
    Typed("overwrite replaces", u"ab|c"_s, u"x"_s, u"abx|"_s, {C::ToggleMode});
    Typed("overwrite at the line end appends", u"ab|"_s, u"x"_s, u"abx|"_s, {C::ToggleMode});
    Typed("overwrite replaces a pair by the char and a space", u"a|\U0001F600b"_s, u"x"_s, u"ax| b"_s, {C::ToggleMode});
    Typed("virtual space is filled with spaces", u"ab··|"_s, u"x"_s, u"ab  x|"_s);
    Typed("empty line is filled with indentation", u"····|"_s, u"x"_s, u"    x|"_s);
    Typed("indentation uses tabs where allowed", u"·········|"_s, u"x"_s, u"\t\t x|"_s, {}, RealTabs);
    Typed("control characters are not typed", u"a|b"_s, u"\u0001\u007f"_s, u"a|b"_s);
    Typed("typed line end breaks the line", u"ab|cd"_s, u"x\ny"_s, u"abx\ny|cd"_s);
    Typed("typed CR LF is one line end", u"ab|cd"_s, u"x\r\ny\r\rz"_s, u"abx\ny\n\nz|cd"_s);
}

void LineBreakRows()
{
    const Commands enter{C::LineBreak};
    const Commands insertLine{C::InsertLine};
    Row("split keeps the indentation", u"    foo(|bar)"_s, enter, u"    foo(\n    |bar)"_s);
    Row("split without auto indent", u"    foo(|bar)"_s, enter, u"    foo(\n|bar)"_s, NoAutoIndent);
    Row("split trims the left part", u"foo   |bar"_s, enter, u"foo\n|bar"_s);
    Row("split at the end drops typed trailing spaces", u"foo   |"_s, enter, u"foo\n|"_s);
    Row("indented line end, then typing", u"    foo|"_s, enter, u"    foo\n    x|"_s, Defaults, 4, u"x"_s);
    Row("beyond the end copies the indentation", u"  \tfoo··|"_s, enter, u"  \tfoo\n  \t|"_s);
    Row("InsertLine beyond the end adds an empty line", u"  \tfoo··|"_s, insertLine, u"  \tfoo··|\n"_s);
    Row("empty line: the caret floats at the indentation", u"    foo\n|"_s, enter, u"    foo\n\n····|"_s);
    Row("empty line without auto indent", u"    foo\n|"_s, enter, u"    foo\n\n|"_s, NoAutoIndent);
    Row("column 1 inserts above, the caret goes along", u"foo\n|bar"_s, enter, u"foo\n\n|bar"_s);
    Row("InsertLine at column 1 keeps the caret", u"|bar"_s, insertLine, u"|\nbar"_s);
    Row("InsertLine splits, the caret stays", u"ab|cd"_s, insertLine, u"ab|\ncd"_s);
    Row("new indentation expands tabs", u"\tfoo|bar"_s, enter, u"\tfoo\n    |bar"_s);
    Row("enter on an empty document", u"|"_s, enter, u"\n|"_s);
}

void DeleteRows()
{
    const Commands back{C::DeleteLastChar};
    const Commands del{C::DeleteChar};
    Row("backspace deletes the character before", u"ab|c"_s, back, u"a|c"_s);
    Row("backspace unindents to the line above", u"    a\n        |x"_s, back, u"    a\n    |x"_s);
    Row("backspace without auto indent deletes one", u"    a\n        |x"_s, back, u"    a\n       |x"_s, NoAutoIndent);
    Row("backspace to the tab stop", u"      |x"_s, back, u"    |x"_s, NoSmartDelete);
    Row("backspace stops at a tab", u"\t  |x"_s, back, u"\t|x"_s, NoSmartDelete);
    Row("backspace deletes a lone tab", u"\t|x"_s, back, u"|x"_s, NoSmartDelete);
    Row("backspace in the indentation deletes one", u"    a\n  |  x"_s, back, u"    a\n |  x"_s);
    Row("backspace joins at column 1", u"foo\n|bar"_s, back, u"foo|bar"_s);
    Row("backspace join trims trailing spaces", u"foo  \n|"_s, back, u"foo··|"_s);
    Row("backspace beyond a text line goes to its end", u"ab···|"_s, back, u"ab|"_s);
    Row("backspace beyond the end moves one left", u"ab···|"_s, back, u"ab··|"_s, NoSmartDelete);
    Row("backspace on an empty line to a shallower indentation", u"        x\n    y\n············|"_s, back,
        u"        x\n    y\n····|"_s);
    Row("backspace at the start of the text", u"|ab"_s, back, u"|ab"_s);
    Row("backspace takes a surrogate pair whole", u"a\U0001F600|b"_s, back, u"a|b"_s);
    Row("delete at the caret", u"a|bc"_s, del, u"a|c"_s);
    Row("delete at the end joins", u"ab|\ncd"_s, del, u"ab|cd"_s);
    Row("delete pads up to the caret, then joins", u"ab··|\ncd"_s, del, u"ab  |cd"_s);
    Row("delete at the end of the last line", u"ab|"_s, del, u"ab|"_s);
    Row("delete joining an empty line trims", u"ab  |\n"_s, del, u"ab··|"_s);
    Row("delete takes a surrogate pair whole", u"a|\U0001F600b"_s, del, u"a|b"_s);
}

void WordRows()
{
    Row("word right over the word and the blanks", u"|foo  bar"_s, {C::WordRight}, u"foo  |bar"_s);
    Row("word right over word breaks", u"|foo.bar"_s, {C::WordRight}, u"foo.|bar"_s);
    Row("word right from the end to the next line's word", u"foo|\n  bar"_s, {C::WordRight}, u"foo\n  |bar"_s);
    Row("word right to a line without words", u"foo|\n  ;"_s, {C::WordRight}, u"foo\n|  ;"_s);
    Row("word right at the end of the text", u"foo|"_s, {C::WordRight}, u"foo|"_s);
    Row("word left to the word start", u"foo ba|r"_s, {C::WordLeft}, u"foo |bar"_s);
    Row("word left to the previous word", u"foo |bar"_s, {C::WordLeft}, u"|foo bar"_s);
    Row("word left to the previous line end", u"foo\n  |bar"_s, {C::WordLeft}, u"foo|\n  bar"_s);
    Row("word left on the first line", u"  |foo"_s, {C::WordLeft}, u"|  foo"_s);
    Row("delete word", u"foo |bar baz"_s, {C::DeleteWord}, u"foo |baz"_s);
    Row("delete word at the end joins", u"foo|\n  bar"_s, {C::DeleteWord}, u"foo|bar"_s);
    Row("delete word beyond the end", u"foo··|\n  bar"_s, {C::DeleteWord}, u"foo|bar"_s);
    Row("delete last word", u"foo bar|"_s, {C::DeleteLastWord}, u"foo |"_s);
    Row("delete last word at column 1 joins", u"foo\n|bar"_s, {C::DeleteLastWord}, u"foo|bar"_s);
    Row("delete to the line end", u"fo|obar"_s, {C::DeleteEOL}, u"fo|"_s);
    Row("delete line", u"a\nb|b\nc"_s, {C::DeleteLine}, u"a\n|c"_s);
    Row("delete the only line empties it", u"ab|c"_s, {C::DeleteLine}, u"|"_s);
    Row("delete the last line", u"a\nb|"_s, {C::DeleteLine}, u"|a"_s);
}

void TabRows()
{
    Row("smart tab to the next word above", u"foo   bar\n|"_s, {C::Tab}, u"foo   bar\n      |"_s, SmartTabs);
    Row("tab to the next stop", u"foo   bar\n|"_s, {C::Tab}, u"foo   bar\n   |"_s, Defaults, 3);
    Row("tab from column 2", u"a|b"_s, {C::Tab}, u"a   |b"_s);
    Row("tab character", u"a|b"_s, {C::Tab}, u"a\t|b"_s, RealTabs);
    Row("smart tab with tab characters", u"foo     bar\n|"_s, {C::Tab}, u"foo     bar\n\t\t|"_s,
        RealTabs | eoSmartTabs);
    Row("smart tab without a line reaching the caret", u"ab\n   |x"_s, {C::Tab}, u"ab\n    |x"_s, SmartTabs);
    Row("tab in virtual space", u"ab··|"_s, {C::Tab}, u"ab      |"_s);
    Row("tab replaces the selection", u"abc|"_s, {C::SelectAll, C::Tab}, u"    |"_s);
    Row("shift tab to the previous stop", u"      |x"_s, {C::ShiftTab}, u"    |x"_s);
    Row("shift tab over virtual space", u"ab····|"_s, {C::ShiftTab}, u"ab··|"_s);
    Row("shift tab stops at text", u"ab |x"_s, {C::ShiftTab}, u"ab|x"_s);
    Row("smart shift tab to the word start above", u"if (a)  bar\n        |x"_s, {C::ShiftTab}, u"if (a)  bar\n   |x"_s,
        SmartTabs);
    Row("smart shift tab never deletes text", u"function foo\n    abc|"_s, {C::ShiftTab}, u"function foo\n    abc|"_s,
        SmartTabs);
    Row("shift tab in column 1", u"|x"_s, {C::ShiftTab}, u"|x"_s);
    Row("block indent the caret line", u"fo|o"_s, {C::BlockIndent}, u"    fo|o"_s);
    Row("block indent with a tab", u"foo|"_s, {C::BlockIndent}, u"\tfoo|"_s, RealTabs);
    Row("block unindent spaces", u"    fo|o"_s, {C::BlockUnindent}, u"fo|o"_s);
    Row("block unindent a tab after short spaces", u"  \tfo|o"_s, {C::BlockUnindent}, u"fo|o"_s);
    Row("block unindent one tab", u"\t\tx|"_s, {C::BlockUnindent}, u"\tx|"_s);
    Row("block unindent at most the tab width", u"      x|"_s, {C::BlockUnindent}, u"  x|"_s);
}

void CaretRows()
{
    Row("home to the first non-blank", u"  fo|o"_s, {C::LineStart}, u"  |foo"_s);
    Row("home from the first non-blank", u"  |foo"_s, {C::LineStart}, u"|  foo"_s);
    Row("home from column 1", u"|  foo"_s, {C::LineStart}, u"  |foo"_s);
    Row("home inside the indentation", u" |  foo"_s, {C::LineStart}, u"|   foo"_s);
    Row("plain home", u"  fo|o"_s, {C::LineStart}, u"|  foo"_s, Defaults & ~eoEnhanceHomeKey);
    Row("end", u"a|bc"_s, {C::LineEnd}, u"abc|"_s);
    Row("left at column 1", u"ab\n|c"_s, {C::Left}, u"ab|\nc"_s);
    Row("right into virtual space", u"ab|"_s, {C::Right}, u"ab·|"_s);
    Row("right wraps without scroll past eol", u"ab|\nc"_s, {C::Right}, u"ab\n|c"_s, Defaults & ~eoScrollPastEol);
    Row("up keeps the column", u"abcdef\nab··|"_s, {C::Up}, u"abcd|ef\nab"_s);
    Row("right over a surrogate pair", u"a|\U0001F600b"_s, {C::Right}, u"a\U0001F600|b"_s);
    Row("left over a surrogate pair", u"a\U0001F600|b"_s, {C::Left}, u"a|\U0001F600b"_s);
    Row("upper case of the word", u"fo|o bar"_s, {C::UpperCase}, u"FO|O bar"_s);
    Row("lower case of the word", u"FOO B|AR"_s, {C::LowerCase}, u"FOO b|ar"_s);
    Row("upper case of the word before the caret", u"foo| bar"_s, {C::UpperCase}, u"FOO| bar"_s);
    Row("toggle case of the character", u"a|Bc"_s, {C::ToggleCase}, u"ab|c"_s);
    Row("match forward", u"|(a(b)c)"_s, {C::MatchBracket}, u"(a(b)c|)"_s);
    Row("match backward", u"(a(b)c|)"_s, {C::MatchBracket}, u"|(a(b)c)"_s);
    Row("match across lines", u"{\n  x\n|}"_s, {C::MatchBracket}, u"|{\n  x\n}"_s);
    Row("match without a partner", u"|(a"_s, {C::MatchBracket}, u"|(a"_s);
    Row("match angle brackets", u"|<a>"_s, {C::MatchBracket}, u"<a|>"_s);
    Row("match ignores other pairs", u"|[(]"_s, {C::MatchBracket}, u"[(|]"_s);
    Row("match off a bracket", u"|a(b)"_s, {C::MatchBracket}, u"|a(b)"_s);
    Row("context help", u"a|b"_s, {C::ContextHelp}, u"a|b"_s);
}

} // namespace

void TestEditorModel::commands_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<EditorOptions>("options");
    QTest::addColumn<int>("tabWidth");
    QTest::addColumn<QString>("after");
    TypingRows();
    LineBreakRows();
    DeleteRows();
    WordRows();
    TabRows();
    CaretRows();
}

void TestEditorModel::commands()
{
    QFETCH(QString, before);
    QFETCH(Commands, commands);
    QFETCH(QString, typed);
    QFETCH(EditorOptions, options);
    QFETCH(int, tabWidth);
    QFETCH(QString, after);
    EditorModel model;
    model.SetOptions(options);
    model.SetTabWidth(tabWidth);
    LoadMarked(model, before);
    Run(model, commands, typed);
    QCOMPARE(Marked(model), after);
}

void TestEditorModel::blockIndentKeepsSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<BufferCoord>("anchor");
    QTest::addColumn<BufferCoord>("caret");
    QTest::addColumn<EditorCommand>("command");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<BufferCoord>("expectedAnchor");
    QTest::addColumn<BufferCoord>("expectedCaret");
    QTest::newRow("indent shifts the selection")
        << u"ab\ncd\nef"_s << BufferCoord{2, 1} << BufferCoord{2, 2} << C::BlockIndent << u"    ab\n    cd\nef"_s
        << BufferCoord{6, 1} << BufferCoord{6, 2};
    QTest::newRow("a selection ending in column 1 leaves that line")
        << u"ab\ncd\nef"_s << BufferCoord{1, 1} << BufferCoord{1, 3} << C::BlockIndent << u"    ab\n    cd\nef"_s
        << BufferCoord{1, 1} << BufferCoord{1, 3};
    QTest::newRow("unindent shifts back")
        << u"    ab\n  cd\nef"_s << BufferCoord{5, 1} << BufferCoord{3, 2} << C::BlockUnindent << u"ab\ncd\nef"_s
        << BufferCoord{1, 1} << BufferCoord{1, 2};
    QTest::newRow("empty lines stay empty") << u"ab\n\ncd"_s << BufferCoord{1, 1} << BufferCoord{3, 3} << C::BlockIndent
                                            << u"    ab\n\n    cd"_s << BufferCoord{1, 1} << BufferCoord{7, 3};
}

void TestEditorModel::blockIndentKeepsSelection()
{
    QFETCH(QString, text);
    QFETCH(BufferCoord, anchor);
    QFETCH(BufferCoord, caret);
    QFETCH(EditorCommand, command);
    QFETCH(QString, expected);
    QFETCH(BufferCoord, expectedAnchor);
    QFETCH(BufferCoord, expectedCaret);
    EditorModel model;
    model.SetTabWidth(4);
    model.SetText(text);
    model.SetSelection(anchor, caret);
    model.ExecuteCommand(command);
    QCOMPARE(model.Text(), QString(expected + u'\n').replace(u"\n"_s, u"\r\n"_s));
    QCOMPARE(model.SelectionAnchor(), expectedAnchor);
    QCOMPARE(model.CaretXY(), expectedCaret);
    model.Undo();
    QCOMPARE(model.Text(), QString(text + u'\n').replace(u"\n"_s, u"\r\n"_s));
    QCOMPARE(model.SelectionAnchor(), anchor);
}

void TestEditorModel::toggleCaseOfSelection()
{
    EditorModel model;
    model.SetText(u"Hello World\r\nxY");
    model.SetSelection({1, 1}, {2, 2});
    model.ExecuteCommand(C::ToggleCase);
    QCOMPARE(model.Text(), u"hELLO wORLD\r\nXY\r\n"_s);
    QCOMPARE(model.SelectionAnchor(), (BufferCoord{1, 1}));
    QCOMPARE(model.CaretXY(), (BufferCoord{2, 2}));
}

void TestEditorModel::everyCommandUndoesCleanly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SelectionMode>("mode");
    QTest::addColumn<BufferCoord>("anchor");
    QTest::addColumn<BufferCoord>("caret");
    QTest::newRow("empty document") << QString() << SelectionMode::Normal << BufferCoord{1, 1} << BufferCoord{1, 1};
    QTest::newRow("caret beyond the last line's end")
        << u"ab\r\n(cd)"_s << SelectionMode::Normal << BufferCoord{9, 2} << BufferCoord{9, 2};
    QTest::newRow("stream selection") << u"  ab\r\n\tcd"_s << SelectionMode::Normal << BufferCoord{2, 1}
                                      << BufferCoord{3, 2};
    QTest::newRow("column selection past the ends")
        << u"ab\r\ncd"_s << SelectionMode::Column << BufferCoord{2, 1} << BufferCoord{6, 2};
    QTest::newRow("line selection of every line")
        << u"ab\r\ncd"_s << SelectionMode::Line << BufferCoord{1, 1} << BufferCoord{2, 2};
}

// Every command, in every one of these states, leaves the caret in the text and is taken back
// completely by undo.
void TestEditorModel::everyCommandUndoesCleanly()
{
    QFETCH(QString, text);
    QFETCH(SelectionMode, mode);
    QFETCH(BufferCoord, anchor);
    QFETCH(BufferCoord, caret);
    QString clip = u"x\r\ny"_s;
    for (int c = int(C::Char); c <= int(C::ToggleCase); ++c) {
        const auto command = static_cast<EditorCommand>(c);
        EditorModel model;
        model.SetClipboard([&] { return clip; }, [&](const QString &copied) { clip = copied; });
        model.SetText(text);
        const QString original = model.Text();
        model.SetSelectionMode(mode);
        model.SetSelection(anchor, caret);
        model.ExecuteCommand(command, u'x');
        const QByteArray where = "command " + QByteArray::number(c);
        QVERIFY2(model.CaretY() >= 1 && model.CaretY() <= std::max(1, model.LineCount()), where);
        QVERIFY2(model.SelectionAnchor().Line <= std::max(1, model.LineCount()), where);
        while (model.CanUndo())
            model.Undo();
        QVERIFY2(model.Text() == original, where);
    }
}

void TestEditorModel::keyBindings_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<EditorCommand>("command");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << C::Up;
    QTest::newRow("Shift+Up") << int(Qt::Key_Up) << shift << C::SelUp;
    QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << ctrl << C::ScrollUp;
    QTest::newRow("Shift+Ctrl+Left") << int(Qt::Key_Left) << (shift | ctrl) << C::SelWordLeft;
    QTest::newRow("Ctrl+PageDown") << int(Qt::Key_PageDown) << ctrl << C::PageBottom;
    QTest::newRow("Shift+Ctrl+Home") << int(Qt::Key_Home) << (shift | ctrl) << C::SelEditorTop;
    QTest::newRow("Insert") << int(Qt::Key_Insert) << none << C::ToggleMode;
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << ctrl << C::Copy;
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << C::Copy;
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << C::Cut;
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << shift << C::Paste;
    QTest::newRow("Shift+Backspace") << int(Qt::Key_Backspace) << shift << C::DeleteLastChar;
    QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << ctrl << C::DeleteLastWord;
    QTest::newRow("Alt+Backspace") << int(Qt::Key_Backspace) << alt << C::Undo;
    QTest::newRow("Shift+Alt+Backspace") << int(Qt::Key_Backspace) << (shift | alt) << C::Redo;
    QTest::newRow("Shift+Ctrl+Z") << int(Qt::Key_Z) << (shift | ctrl) << C::Redo;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << C::LineBreak;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << C::LineBreak;
    QTest::newRow("Shift+Enter") << int(Qt::Key_Enter) << (shift | Qt::KeypadModifier) << C::LineBreak;
    QTest::newRow("Ctrl+M") << int(Qt::Key_M) << ctrl << C::LineBreak;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << C::Tab;
    QTest::newRow("Backtab") << int(Qt::Key_Backtab) << shift << C::ShiftTab;
    QTest::newRow("Ctrl+F1") << int(Qt::Key_F1) << ctrl << C::ContextHelp;
    QTest::newRow("Ctrl+0") << int(Qt::Key_0) << ctrl << C::GotoMarker0;
    QTest::newRow("Ctrl+7") << int(Qt::Key_7) << ctrl << C::GotoMarker7;
    QTest::newRow("Shift+Ctrl+3") << int(Qt::Key_3) << (shift | ctrl) << C::SetMarker3;
    QTest::newRow("Shift+Ctrl+3 as its symbol") << int(Qt::Key_NumberSign) << (shift | ctrl) << C::SetMarker3;
    QTest::newRow("Shift+Ctrl+0 as its symbol") << int(Qt::Key_ParenRight) << (shift | ctrl) << C::SetMarker0;
    QTest::newRow("Shift+Ctrl+I") << int(Qt::Key_I) << (shift | ctrl) << C::BlockIndent;
    QTest::newRow("Ctrl+N") << int(Qt::Key_N) << ctrl << C::InsertLine;
    QTest::newRow("Shift+Ctrl+N") << int(Qt::Key_N) << (shift | ctrl) << C::NormalSelect;
    QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << ctrl << C::DeleteLine;
    QTest::newRow("Shift+Ctrl+Y") << int(Qt::Key_Y) << (shift | ctrl) << C::DeleteEOL;
    QTest::newRow("Shift+Ctrl+B") << int(Qt::Key_B) << (shift | ctrl) << C::MatchBracket;
    QTest::newRow("Ctrl+Alt+T") << int(Qt::Key_T) << (ctrl | alt) << C::ToggleCase;
    QTest::newRow("unbound Ctrl+Q") << int(Qt::Key_Q) << ctrl << C::None;
    QTest::newRow("a plain letter") << int(Qt::Key_A) << none << C::None;
    QTest::newRow("an extra modifier") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::MetaModifier) << C::None;
    QTest::newRow("a symbol without Shift") << int(Qt::Key_NumberSign) << ctrl << C::None;
}

void TestEditorModel::keyBindings()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(EditorCommand, command);
    QCOMPARE(CommandForKey(key, modifiers), command);
}

void TestEditorModel::bookmarkKeysOnLayouts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("keycode");
    QTest::addColumn<int>("keysym");
    QTest::addColumn<EditorCommand>("command");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers set = Qt::ControlModifier | Qt::ShiftModifier;
    const Qt::KeyboardModifiers altGr = Qt::ControlModifier | Qt::AltModifier;
    // The digit row's xkb keycodes are 10 (the 1 key) to 19 (the 0 key), whatever the layout.
    // clang-format off
    QTest::newRow("US Ctrl+1") << int(Qt::Key_1) << ctrl << 10 << 0x31 << C::GotoMarker1;
    QTest::newRow("US Ctrl+Shift+1 gives !") << int(Qt::Key_Exclam) << set << 10 << 0x21 << C::SetMarker1;
    QTest::newRow("US Ctrl+Shift+0 gives )") << int(Qt::Key_ParenRight) << set << 19 << 0x29 << C::SetMarker0;
    QTest::newRow("French Ctrl+1 gives &") << int(Qt::Key_Ampersand) << ctrl << 10 << 0x26 << C::GotoMarker1;
    QTest::newRow("French Ctrl+2 gives é") << int(Qt::Key_Eacute) << ctrl << 11 << 0xE9 << C::GotoMarker2;
    QTest::newRow("French Ctrl+6 gives -") << int(Qt::Key_Minus) << ctrl << 15 << 0x2D << C::GotoMarker6;
    QTest::newRow("French Ctrl+9 gives ç") << int(Qt::Key_Ccedilla) << ctrl << 18 << 0xE7 << C::GotoMarker9;
    QTest::newRow("French Ctrl+0 gives à") << int(Qt::Key_Agrave) << ctrl << 19 << 0xE0 << C::GotoMarker0;
    QTest::newRow("French Ctrl+Shift+1 gives 1") << int(Qt::Key_1) << set << 10 << 0x31 << C::SetMarker1;
    QTest::newRow("German Ctrl+7") << int(Qt::Key_7) << ctrl << 16 << 0x37 << C::GotoMarker7;
    QTest::newRow("German Ctrl+Shift+7 gives /") << int(Qt::Key_Slash) << set << 16 << 0x2F << C::SetMarker7;
    QTest::newRow("German Ctrl+Shift+3 gives §") << int(Qt::Key_section) << set << 12 << 0xA7 << C::SetMarker3;
    QTest::newRow("German Ctrl+Shift+8 gives (") << int(Qt::Key_ParenLeft) << set << 17 << 0x28 << C::SetMarker8;
    QTest::newRow("Croatian Ctrl+Shift+2 gives \"") << int(Qt::Key_QuoteDbl) << set << 11 << 0x22 << C::SetMarker2;
    QTest::newRow("Croatian Ctrl+Shift+0 gives =") << int(Qt::Key_Equal) << set << 19 << 0x3D << C::SetMarker0;
    QTest::newRow("keypad Ctrl+5") << int(Qt::Key_5) << (ctrl | Qt::KeypadModifier) << 84 << 0xFFB5 << C::GotoMarker5;
    QTest::newRow("digit keysym without a keycode") << int(Qt::Key_unknown) << set << 0 << 0x34 << C::SetMarker4;
    QTest::newRow("the digit row alone types") << int(Qt::Key_Ampersand) << none << 10 << 0x26 << C::None;
    QTest::newRow("AltGr on the digit row types") << int(Qt::Key_BraceLeft) << altGr << 14 << 0x7B << C::None;
    QTest::newRow("Alt+Shift on the digit row") << int(Qt::Key_Exclam) << (Qt::AltModifier | Qt::ShiftModifier)
                                                << 10 << 0x21 << C::None;
    QTest::newRow("Ctrl on another key") << int(Qt::Key_Q) << ctrl << 24 << 0x71 << C::None;
    QTest::newRow("Ctrl+Shift on a letter keeps its command") << int(Qt::Key_B) << set << 56 << 0x42 << C::MatchBracket;
    QTest::newRow("German Ctrl+Shift+ß is no digit") << int(Qt::Key_Question) << set << 20 << 0x3F << C::None;
    // clang-format on
}

// Ctrl+digit goes to a bookmark and Ctrl+Shift+digit sets one, on every keyboard layout.
void TestEditorModel::bookmarkKeysOnLayouts()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, keycode);
    QFETCH(int, keysym);
    QFETCH(EditorCommand, command);
    QCOMPARE(CommandForKey(key, modifiers, {quint32(keycode), quint32(keysym)}), command);
}

void TestEditorModel::nativeKeyOfEvent()
{
    const QKeyEvent press(QEvent::KeyPress, Qt::Key_Slash, Qt::ControlModifier | Qt::ShiftModifier, 16, 0x2F, 0,
                          u"/"_s);
    for (const QString &platform : {u"xcb"_s, u"wayland"_s, u"wayland-egl"_s}) {
        const NativeKey native = NativeKeyOf(press, platform);
        QCOMPARE(native.keycode, 16u);
        QCOMPARE(native.virtualKey, 0x2Fu);
    }
    // Elsewhere the scan code is no xkb keycode and says nothing of the digit row.
    const NativeKey elsewhere = NativeKeyOf(press, u"offscreen"_s);
    QCOMPARE(elsewhere.keycode, 0u);
    QCOMPARE(elsewhere.virtualKey, 0x2Fu);
}
