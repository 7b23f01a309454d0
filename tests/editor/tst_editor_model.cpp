#include "tst_editor_model.h"

#include "ModelTestSupport.h"
#include "TestHighlighter.h"
#include "TextLines.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

constexpr EditorOptions Defaults = DefaultEditorOptions;

QString Lines(const EditorModel &model)
{
    QStringList lines;
    for (int line = 1; line <= model.LineCount(); ++line)
        lines << model.Line(line);
    return lines.join(u'\n');
}

void LoadNumbered(EditorModel &model, int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QString::number(i) + u"\r\n"_s;
    model.SetText(text);
}

} // namespace

// --- Text

void TestEditorModel::setTextSplitsLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty text has no lines") << u""_s << QStringList{};
    QTest::newRow("one line without an end") << u"abc"_s << QStringList{"abc"};
    QTest::newRow("final CR LF adds no line") << u"a\r\nb\r\n"_s << QStringList{"a", "b"};
    QTest::newRow("lone LF") << u"a\nb"_s << QStringList{"a", "b"};
    QTest::newRow("lone CR, final CR") << u"a\rb\r"_s << QStringList{"a", "b"};
    QTest::newRow("LF CR is two line ends") << u"a\n\rb"_s << QStringList{"a", "", "b"};
    QTest::newRow("blank lines kept") << u"a\r\n\r\nb"_s << QStringList{"a", "", "b"};
    QTest::newRow("only a line end") << u"\n"_s << QStringList{""};
    QTest::newRow("two final line ends") << u"a\n\n"_s << QStringList{"a", ""};
}

void TestEditorModel::setTextSplitsLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    EditorModel model;
    model.SetCaretXY({3, 1});
    model.SetText(text);
    QCOMPARE(model.LineCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(model.Line(i + 1), lines[i]);
    QString expected;
    for (const QString &line : lines)
        expected += line + u"\r\n"_s;
    QCOMPARE(model.Text(), expected);
    QCOMPARE(model.CaretXY(), (BufferCoord{1, 1}));
    QVERIFY(!model.CanUndo());
    QCOMPARE(model.Line(lines.size() + 1), QString());
}

// Inserting and removing lines all over the text (moving and regrowing the gap) keeps the lines
// and their ranges in order, as a plain list would.
void TestEditorModel::lineStoreFollowsEdits()
{
    TextLines lines;
    lines.assign(u"a\nb\nc");
    QStringList expected{u"a"_s, u"b"_s, u"c"_s};
    QList<SynRangeState> ranges{0, 0, 0};
    unsigned seed = 7;
    auto next = [&seed](int bound) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % unsigned(bound));
    };
    for (int step = 0; step < 3000; ++step) {
        const int at = next(expected.size() + 1);
        if (step % 3 == 2 && !expected.isEmpty()) {
            const int first = std::min(at + 1, int(expected.size()));
            const int n = 1 + next(std::min(3, int(expected.size()) - first + 1));
            const std::vector<QString> removed = lines.remove(first, n);
            QCOMPARE(QStringList(removed.begin(), removed.end()), expected.mid(first - 1, n));
            expected.remove(first - 1, n);
            ranges.remove(first - 1, n);
        } else {
            std::vector<QString> texts;
            for (int i = 0; i <= step % 4; ++i)
                texts.push_back(QString::number(step) + u'.' + QString::number(i));
            expected.insert(at, texts.size(), QString());
            std::copy(texts.begin(), texts.end(), expected.begin() + at);
            ranges.insert(at, texts.size(), 0);
            lines.insert(at + 1, texts);
        }
        if (!expected.isEmpty()) {
            const int line = 1 + next(expected.size());
            lines.setRange(line, SynRangeState(step));
            ranges[line - 1] = SynRangeState(step);
        }
    }
    QCOMPARE(lines.count(), expected.size());
    for (int line = 1; line <= lines.count(); ++line) {
        QCOMPARE(lines.text(line), expected[line - 1]);
        QCOMPARE(lines.range(line), ranges[line - 1]);
    }
}

void TestEditorModel::setCaretClamps_data()
{
    QTest::addColumn<EditorOptions>("options");
    QTest::addColumn<BufferCoord>("requested");
    QTest::addColumn<BufferCoord>("expected");
    QTest::newRow("inside the text") << Defaults << BufferCoord{2, 1} << BufferCoord{2, 1};
    QTest::newRow("virtual column kept") << Defaults << BufferCoord{10, 2} << BufferCoord{10, 2};
    QTest::newRow("column beyond the widest") << Defaults << BufferCoord{5000, 1} << BufferCoord{1024, 1};
    QTest::newRow("line below the text") << Defaults << BufferCoord{1, 9} << BufferCoord{1, 2};
    QTest::newRow("line and column zero") << Defaults << BufferCoord{0, 0} << BufferCoord{1, 1};
    QTest::newRow("no virtual space without scroll past eol")
        << (Defaults & ~eoScrollPastEol) << BufferCoord{10, 2} << BufferCoord{3, 2};
}

void TestEditorModel::setCaretClamps()
{
    QFETCH(EditorOptions, options);
    QFETCH(BufferCoord, requested);
    QFETCH(BufferCoord, expected);
    EditorModel model;
    model.SetOptions(options);
    model.SetText(u"abc\r\nde");
    model.SetCaretXY(requested);
    QCOMPARE(model.CaretXY(), expected);
    QVERIFY(!model.SelAvail());
}

void TestEditorModel::selStart_data()
{
    QTest::addColumn<BufferCoord>("caret");
    QTest::addColumn<int>("offset");
    // Each line end counts two characters; the caret column is added as it is.
    QTest::newRow("line 3 column 2 below lines of 5 and 0") << BufferCoord{2, 3} << 11;
    QTest::newRow("first column of the text") << BufferCoord{1, 1} << 1;
    QTest::newRow("start of the second line") << BufferCoord{1, 2} << 8;
    QTest::newRow("end of the first line") << BufferCoord{6, 1} << 6;
}

void TestEditorModel::selStart()
{
    QFETCH(BufferCoord, caret);
    QFETCH(int, offset);
    EditorModel model;
    model.SetText(u"abcde\r\n\r\nxyz");
    model.SetCaretXY(caret);
    QCOMPARE(model.SelStart(), offset);
    model.SetCaretXY({1, 1});
    model.SetSelStart(offset);
    QCOMPARE(model.CaretXY(), caret);
    model.SetSelStart(1000);
    QCOMPARE(model.CaretXY(), (BufferCoord{4, 3}));
}

// --- Selection

void TestEditorModel::selectionText_data()
{
    QTest::addColumn<SelectionMode>("mode");
    QTest::addColumn<BufferCoord>("anchor");
    QTest::addColumn<BufferCoord>("caret");
    QTest::addColumn<QString>("selText");
    QTest::addColumn<QString>("afterDelete");
    using M = SelectionMode;
    QTest::newRow("normal over three lines")
        << M::Normal << BufferCoord{2, 1} << BufferCoord{2, 3} << u"bcd\r\nefgh\r\ni"_s << u"aj"_s;
    QTest::newRow("normal made backwards")
        << M::Normal << BufferCoord{2, 3} << BufferCoord{2, 1} << u"bcd\r\nefgh\r\ni"_s << u"aj"_s;
    QTest::newRow("normal from beyond a line end")
        << M::Normal << BufferCoord{7, 1} << BufferCoord{2, 2} << u"\r\ne"_s << u"abcdfgh\nij"_s;
    QTest::newRow("column rectangle") << M::Column << BufferCoord{2, 1} << BufferCoord{4, 3} << u"bc\r\nfg\r\nj"_s
                                      << u"ad\neh\ni"_s;
    QTest::newRow("whole lines") << M::Line << BufferCoord{3, 1} << BufferCoord{1, 2} << u"abcd\r\nefgh\r\n"_s
                                 << u"ij"_s;
    QTest::newRow("every line leaves one empty line")
        << M::Line << BufferCoord{1, 1} << BufferCoord{1, 3} << u"abcd\r\nefgh\r\nij\r\n"_s << u""_s;
}

void TestEditorModel::selectionText()
{
    QFETCH(SelectionMode, mode);
    QFETCH(BufferCoord, anchor);
    QFETCH(BufferCoord, caret);
    QFETCH(QString, selText);
    QFETCH(QString, afterDelete);
    EditorModel model;
    model.SetText(u"abcd\r\nefgh\r\nij");
    model.SetSelectionMode(mode);
    model.SetSelection(anchor, caret);
    QVERIFY(model.SelAvail());
    QCOMPARE(model.SelText(), selText);
    model.ExecuteCommand(EditorCommand::DeleteChar);
    QCOMPARE(Lines(model), afterDelete);
    QCOMPARE(model.LineCount(), 1 + int(afterDelete.count(u'\n')));
    QVERIFY(!model.SelAvail());
    model.Undo();
    QCOMPARE(model.Text(), QStringLiteral("abcd\r\nefgh\r\nij\r\n"));
    QCOMPARE(model.SelText(), selText);
}

void TestEditorModel::setSelTextIsOneChange()
{
    EditorModel model;
    model.SetText(u"hello world");
    model.SetSelection({7, 1}, {12, 1});
    model.SetSelText(u"there\r\nmy friend"_s);
    QCOMPARE(Lines(model), QStringLiteral("hello there\nmy friend"));
    QCOMPARE(model.CaretXY(), (BufferCoord{10, 2}));
    model.Undo();
    QCOMPARE(Lines(model), QStringLiteral("hello world"));
    QCOMPARE(model.SelectionAnchor(), (BufferCoord{7, 1}));
    QCOMPARE(model.CaretXY(), (BufferCoord{12, 1}));
    QVERIFY(!model.CanUndo());
    model.Redo();
    QCOMPARE(Lines(model), QStringLiteral("hello there\nmy friend"));
    QCOMPARE(model.CaretXY(), (BufferCoord{10, 2}));

    // Inserted at the caret when nothing is selected, even on an empty document.
    model.SetText(u"");
    model.SetSelText(u"a\nb\n"_s);
    QCOMPARE(model.Text(), QStringLiteral("a\r\nb\r\n\r\n"));
    QCOMPARE(model.CaretXY(), (BufferCoord{1, 3}));
}

void TestEditorModel::columnPaste()
{
    EditorModel model;
    model.SetText(u"abc\ndef\ng");
    model.SetSelectionMode(SelectionMode::Column);
    model.SetCaretXY({2, 1});
    model.SetSelText(u"X\nY\nZ\nW"_s);
    QCOMPARE(Lines(model), QStringLiteral("aXbc\ndYef\ngZ\n W"));
    QCOMPARE(model.CaretXY(), (BufferCoord{3, 4}));
    model.Undo();
    QCOMPARE(Lines(model), QStringLiteral("abc\ndef\ng"));

    // A rectangle is replaced at its top left corner.
    model.SetSelection({2, 1}, {3, 2});
    model.SetSelText(u"1\n2"_s);
    QCOMPARE(Lines(model), QStringLiteral("a1c\nd2f\ng"));
}

void TestEditorModel::selectionCommands()
{
    EditorModel model;
    model.SetText(u"abc\r\nde\r\nfghi");
    model.ExecuteCommand(EditorCommand::SelectAll);
    QCOMPARE(model.BlockBegin(), (BufferCoord{1, 1}));
    QCOMPARE(model.BlockEnd(), (BufferCoord{5, 3}));
    QCOMPARE(model.SelText(), QStringLiteral("abc\r\nde\r\nfghi"));
    QCOMPARE(model.SelectedColumns(2), (std::optional<std::pair<int, int>>{{1, INT_MAX}}));
    QCOMPARE(model.SelectedColumns(3), (std::optional<std::pair<int, int>>{{1, 5}}));

    model.SetCaretXY({2, 1});
    model.ExecuteCommand(EditorCommand::SelDown);
    model.ExecuteCommand(EditorCommand::SelRight);
    QCOMPARE(model.SelectionAnchor(), (BufferCoord{2, 1}));
    QCOMPARE(model.SelText(), QStringLiteral("bc\r\nde"));
    QCOMPARE(model.SelectedColumns(1), (std::optional<std::pair<int, int>>{{2, INT_MAX}}));
    QCOMPARE(model.SelectedColumns(3), std::nullopt);

    model.ExecuteCommand(EditorCommand::ColumnSelect);
    QCOMPARE(model.SelectionMode(), SelectionMode::Column);
    QCOMPARE(model.SelectedColumns(1), (std::optional<std::pair<int, int>>{{2, 3}}));
    model.ExecuteCommand(EditorCommand::LineSelect);
    QCOMPARE(model.SelText(), QStringLiteral("abc\r\nde\r\n"));
    model.ExecuteCommand(EditorCommand::NormalSelect);
    QCOMPARE(model.SelectionMode(), SelectionMode::Normal);

    model.ExecuteCommand(EditorCommand::Left);
    QVERIFY(!model.SelAvail());
    QCOMPARE(model.SelText(), QString());
}

void TestEditorModel::dropText_data()
{
    QTest::addColumn<BufferCoord>("target");
    QTest::addColumn<bool>("move");
    QTest::addColumn<QString>("expected");
    QTest::newRow("move before the selection") << BufferCoord{1, 1} << true << u"defabc  ghi"_s;
    QTest::newRow("move behind the selection on its line") << BufferCoord{12, 1} << true << u"abc  ghidef"_s;
    QTest::newRow("move into the selection") << BufferCoord{6, 1} << true << u"abc def ghi"_s;
    QTest::newRow("copy before the selection") << BufferCoord{1, 1} << false << u"defabc def ghi"_s;
    QTest::newRow("move to the next line") << BufferCoord{2, 2} << true << u"abc  ghi\nxdefy"_s;
}

void TestEditorModel::dropText()
{
    QFETCH(BufferCoord, target);
    QFETCH(bool, move);
    QFETCH(QString, expected);
    EditorModel model;
    model.SetText(u"abc def ghi\nxy");
    model.SetSelection({5, 1}, {8, 1});
    model.DropText(target, model.SelText(), move);
    QCOMPARE(Lines(model).section(u'\n', 0, int(expected.count(u'\n'))), expected);
    model.Undo();
    QCOMPARE(Lines(model), QStringLiteral("abc def ghi\nxy"));
}

void TestEditorModel::setLineText()
{
    EditorModel model;
    model.SetText(u"a\nbc\nd");
    model.SetCaretXY({2, 2});
    model.SetLineText(u"xyz"_s);
    QCOMPARE(Lines(model), QStringLiteral("a\nxyz\nd"));
    QCOMPARE(model.LineText(), QStringLiteral("xyz"));
    model.Undo();
    QCOMPARE(Lines(model), QStringLiteral("a\nbc\nd"));
}

// --- View

void TestEditorModel::topAndLeftClamp_data()
{
    QTest::addColumn<EditorOptions>("options");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("expectedTop");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("expectedLeft");
    QTest::newRow("below the range") << Defaults << 0 << 1 << 0 << 1;
    QTest::newRow("inside the range") << Defaults << 50 << 50 << 100 << 100;
    QTest::newRow("last full window") << Defaults << 95 << 91 << 2000 << 945;
    QTest::newRow("past the end with scroll past eof") << (Defaults | eoScrollPastEof) << 95 << 95 << 945 << 945;
    QTest::newRow("never past the last line") << (Defaults | eoScrollPastEof) << 200 << 100 << 946 << 945;
}

void TestEditorModel::topAndLeftClamp()
{
    QFETCH(EditorOptions, options);
    QFETCH(int, top);
    QFETCH(int, expectedTop);
    QFETCH(int, left);
    QFETCH(int, expectedLeft);
    EditorModel model;
    LoadNumbered(model, 100);
    model.SetOptions(options);
    model.SetLinesInWindow(10);
    model.SetCharsInWindow(80);
    QSignalSpy scrolled(&model, &EditorModel::ViewScrolled);
    model.SetTopLine(top);
    model.SetLeftChar(left);
    QCOMPARE(model.TopLine(), expectedTop);
    QCOMPARE(model.LeftChar(), expectedLeft);
    QCOMPARE(scrolled.count(), int(expectedTop != 1) + int(expectedLeft != 1));
}

void TestEditorModel::caretScrollsIntoView()
{
    EditorModel model;
    LoadNumbered(model, 100);
    model.SetLinesInWindow(10);
    model.SetCharsInWindow(20);
    model.SetCaretXY({1, 50});
    QCOMPARE(model.TopLine(), 41);
    model.SetCaretXY({1, 45});
    QCOMPARE(model.TopLine(), 41);
    model.SetCaretXY({1, 5});
    QCOMPARE(model.TopLine(), 5);
    model.SetCaretXY({30, 5});
    QCOMPARE(model.LeftChar(), 11);
    model.SetCaretXY({3, 5});
    QCOMPARE(model.LeftChar(), 3);
    model.SetCaretXY({20, 100});
    model.TypeText(u"xyz"_s);
    QCOMPARE(model.LeftChar(), 4);
    QCOMPARE(model.TopLine(), 91);
}

void TestEditorModel::longLineCaret_data()
{
    QTest::addColumn<EditorOptions>("options");
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    constexpr int End = 100'001;
    QTest::newRow("deep inside") << Defaults << 90'000 << 90'000 << 90'000;
    QTest::newRow("deep inside without scroll past eol") << (Defaults & ~eoScrollPastEol) << 90'000 << 90'000 << 90'000;
    QTest::newRow("just after the end") << Defaults << End << End << End;
    QTest::newRow("far beyond the end") << Defaults << 500'000 << End << 500'000;
    QTest::newRow("far beyond the end without scroll past eol")
        << (Defaults & ~eoScrollPastEol) << 500'000 << End << End;
}

// Minified scripts and SQL dumps put far more than a screen's worth of columns on a line.
void TestEditorModel::longLineCaret()
{
    QFETCH(EditorOptions, options);
    QFETCH(int, requested);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    EditorModel model;
    model.SetOptions(options);
    model.SetCharsInWindow(80);
    model.SetText(QString(100'000, u'a') + u"\r\nshort"_s);
    model.SetCaretXY({requested, 1});
    const int caret = model.CaretX();
    QVERIFY2(caret >= lowest && caret <= highest, qPrintable(QString::number(caret)));
    QVERIFY2(model.LeftChar() <= caret && caret < model.LeftChar() + model.CharsInWindow(),
             qPrintable(QString::number(model.LeftChar())));
    model.SetLeftChar(95'000);
    QCOMPARE(model.LeftChar(), 95'000);
}

void TestEditorModel::longLineEditing()
{
    EditorModel model;
    model.SetCharsInWindow(80);
    const QString line = QString(50'000, u'a') + QString(50'000, u'b');
    model.SetText(line + u"\r\nnext"_s);
    model.ExecuteCommand(EditorCommand::LineEnd);
    QCOMPARE(model.CaretXY(), (BufferCoord{100'001, 1}));
    model.TypeText(u"xyz"_s);
    QCOMPARE(model.Line(1), line + u"xyz"_s);
    QCOMPARE(model.CaretXY(), (BufferCoord{100'004, 1}));
    QVERIFY(model.LeftChar() > 100'004 - model.CharsInWindow());
    model.ExecuteCommand(EditorCommand::LineStart);
    QCOMPARE(model.LeftChar(), 1);
    model.ExecuteCommand(EditorCommand::SelLineEnd);
    QCOMPARE(model.SelText(), line + u"xyz"_s);
    model.Undo();
    QCOMPARE(model.Line(1), line);
    // A long line pasted into a short text widens the view as well.
    model.SetText(u"short"_s);
    model.SetClipboard([] { return QString(5'000, u'c'); }, [](const QString &) {});
    model.ExecuteCommand(EditorCommand::LineEnd);
    model.ExecuteCommand(EditorCommand::Paste);
    QCOMPARE(model.CaretXY(), (BufferCoord{5'006, 1}));
    QVERIFY(model.LeftChar() > 5'006 - model.CharsInWindow());
    model.SetLeftChar(4'900);
    QCOMPARE(model.LeftChar(), 4'900);
}

void TestEditorModel::pageAndScrollKeys_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<EditorCommand>("command");
    QTest::addColumn<int>("expectedTop");
    QTest::addColumn<int>("expectedLine");
    using C = EditorCommand;
    QTest::newRow("page down") << 1 << 3 << C::PageDown << 11 << 13;
    QTest::newRow("page up at the top") << 1 << 5 << C::PageUp << 1 << 1;
    QTest::newRow("page up") << 31 << 35 << C::PageUp << 21 << 25;
    QTest::newRow("page down near the end") << 91 << 95 << C::PageDown << 91 << 100;
    QTest::newRow("page top") << 21 << 25 << C::PageTop << 21 << 21;
    QTest::newRow("page bottom") << 21 << 25 << C::PageBottom << 21 << 30;
    QTest::newRow("scroll down pulls the caret along") << 1 << 1 << C::ScrollDown << 2 << 2;
    QTest::newRow("scroll up keeps the caret in view") << 11 << 20 << C::ScrollUp << 10 << 19;
    QTest::newRow("scroll up leaves a visible caret") << 11 << 15 << C::ScrollUp << 10 << 15;
    QTest::newRow("editor bottom") << 1 << 1 << C::EditorBottom << 91 << 100;
    QTest::newRow("editor top") << 51 << 55 << C::EditorTop << 1 << 1;
}

void TestEditorModel::pageAndScrollKeys()
{
    QFETCH(int, top);
    QFETCH(int, caretLine);
    QFETCH(EditorCommand, command);
    QFETCH(int, expectedTop);
    QFETCH(int, expectedLine);
    EditorModel model;
    LoadNumbered(model, 100);
    model.SetLinesInWindow(10);
    model.SetCaretXY({1, caretLine});
    model.SetTopLine(top);
    model.ExecuteCommand(command);
    QCOMPARE(model.TopLine(), expectedTop);
    QCOMPARE(model.CaretY(), expectedLine);
}

// --- Signals, clipboard, bookmarks, words

void TestEditorModel::signalsAfterEdits()
{
    EditorModel model;
    model.SetText(u"abc\r\ndef");
    model.SetModified(false);
    QSignalSpy changed(&model, &EditorModel::Changed);
    QSignalSpy lines(&model, &EditorModel::LinesChanged);
    QSignalSpy caret(&model, &EditorModel::CaretMoved);
    QSignalSpy selection(&model, &EditorModel::SelectionChanged);
    QSignalSpy status(&model, &EditorModel::StatusChanged);
    QString textWhenChanged;
    connect(&model, &EditorModel::Changed, this, [&] { textWhenChanged = model.Text(); });

    model.SetCaretXY({2, 2});
    QCOMPARE(caret.count(), 1);
    QCOMPARE(changed.count(), 0);
    model.ExecuteCommand(EditorCommand::Char, u'x');
    QCOMPARE(changed.count(), 1);
    QCOMPARE(textWhenChanged, QStringLiteral("abc\r\ndxef\r\n"));
    QCOMPARE(lines.count(), 1);
    QCOMPARE(lines.last(), (QList<QVariant>{2, 2}));
    QCOMPARE(caret.count(), 2);
    QCOMPARE(status.count(), 1);
    QVERIFY(model.Modified());

    model.ExecuteCommand(EditorCommand::Char, u'y');
    QCOMPARE(changed.count(), 2);
    QCOMPARE(status.count(), 1);
    QCOMPARE(selection.count(), 0);

    model.ExecuteCommand(EditorCommand::SelRight);
    QCOMPARE(selection.count(), 1);
    QCOMPARE(changed.count(), 2);
    model.ExecuteCommand(EditorCommand::ToggleMode);
    QCOMPARE(status.count(), 2);
    QVERIFY(!model.InsertMode());

    model.ExecuteCommand(EditorCommand::LineBreak);
    QCOMPARE(lines.last(), (QList<QVariant>{2, -1}));
    QCOMPARE(changed.count(), 3);
}

void TestEditorModel::clipboardCommands()
{
    EditorModel model;
    QVERIFY(!model.CanPaste());
    model.ExecuteCommand(EditorCommand::Paste);
    QString clip;
    model.SetClipboard([&] { return clip; }, [&](const QString &text) { clip = text; });
    QVERIFY(!model.CanPaste());

    model.SetText(u"hello world");
    model.ExecuteCommand(EditorCommand::Copy);
    QCOMPARE(clip, QString());
    model.SetSelection({1, 1}, {6, 1});
    model.ExecuteCommand(EditorCommand::Copy);
    QCOMPARE(clip, QStringLiteral("hello"));
    QCOMPARE(Lines(model), QStringLiteral("hello world"));
    QVERIFY(model.CanPaste());

    model.ExecuteCommand(EditorCommand::Cut);
    QCOMPARE(Lines(model), QStringLiteral(" world"));
    model.ExecuteCommand(EditorCommand::LineEnd);
    model.ExecuteCommand(EditorCommand::Paste);
    QCOMPARE(Lines(model), QStringLiteral(" worldhello"));

    clip = u"A\r\nB"_s;
    model.SetSelection({1, 1}, {2, 1});
    model.ExecuteCommand(EditorCommand::Paste);
    QCOMPARE(Lines(model), QStringLiteral("A\nBworldhello"));
    QCOMPARE(model.CaretXY(), (BufferCoord{2, 2}));
    model.Undo();
    QCOMPARE(Lines(model), QStringLiteral(" worldhello"));
}

void TestEditorModel::pasteWithoutTextKeepsSelection_data()
{
    QTest::addColumn<SelectionMode>("mode");
    QTest::addColumn<bool>("withClipboard");
    QTest::newRow("empty clipboard, normal selection") << SelectionMode::Normal << true;
    QTest::newRow("empty clipboard, column selection") << SelectionMode::Column << true;
    QTest::newRow("empty clipboard, line selection") << SelectionMode::Line << true;
    QTest::newRow("no clipboard at all") << SelectionMode::Normal << false;
}

void TestEditorModel::pasteWithoutTextKeepsSelection()
{
    QFETCH(SelectionMode, mode);
    QFETCH(bool, withClipboard);
    EditorModel model;
    if (withClipboard)
        model.SetClipboard([] { return QString(); }, [](const QString &) {});
    model.SetText(u"first line\r\nsecond line\r\nthird"_s);
    model.SetSelectionMode(mode);
    model.SetSelection({3, 1}, {5, 2});
    const QString selected = model.SelText();
    QVERIFY(!selected.isEmpty());
    QSignalSpy changed(&model, &EditorModel::Changed);
    model.ExecuteCommand(EditorCommand::Paste);
    QCOMPARE(Lines(model), QStringLiteral("first line\nsecond line\nthird"));
    QCOMPARE(model.SelText(), selected);
    QCOMPARE(model.BlockBegin(), (BufferCoord{3, 1}));
    QCOMPARE(model.BlockEnd(), (BufferCoord{5, 2}));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!model.CanUndo());
}

void TestEditorModel::bookmarks()
{
    EditorModel model;
    LoadNumbered(model, 5);
    model.SetCaretXY({3, 2});
    model.ExecuteCommand(EditorCommand::SetMarker1);
    QCOMPARE(model.Bookmark(1), (std::optional<BufferCoord>{{3, 2}}));
    QCOMPARE(model.Bookmark(2), std::nullopt);
    QCOMPARE(model.Bookmark(10), std::nullopt);

    model.SetCaretXY({1, 5});
    model.ExecuteCommand(EditorCommand::GotoMarker1);
    QCOMPARE(model.CaretXY(), (BufferCoord{3, 2}));

    // Pressing it again on the same line takes the mark away.
    model.SetCaretXY({1, 2});
    model.ExecuteCommand(EditorCommand::SetMarker1);
    QCOMPARE(model.Bookmark(1), std::nullopt);
    model.SetCaretXY({1, 5});
    model.ExecuteCommand(EditorCommand::GotoMarker1);
    QCOMPARE(model.CaretXY(), (BufferCoord{1, 5}));

    // Marks stay with their lines.
    model.SetCaretXY({1, 4});
    model.ExecuteCommand(EditorCommand::SetMarker9);
    model.SetCaretXY({1, 1});
    model.ExecuteCommand(EditorCommand::LineBreak);
    QCOMPARE(model.Bookmark(9), (std::optional<BufferCoord>{{1, 5}}));
    model.SetCaretXY({1, 5});
    model.ExecuteCommand(EditorCommand::DeleteLine);
    QCOMPARE(model.Bookmark(9), std::nullopt);

    model.ExecuteCommand(EditorCommand::SetMarker0);
    model.ClearAll();
    QCOMPARE(model.Bookmark(0), std::nullopt);
    QCOMPARE(model.LineCount(), 0);
}

void TestEditorModel::identChars_data()
{
    QTest::addColumn<bool>("withHighlighter");
    QTest::addColumn<QChar>("ch");
    QTest::addColumn<bool>("isWordChar");
    QTest::newRow("letter") << false << QChar(u'a') << true;
    QTest::newRow("digit") << false << QChar(u'9') << true;
    QTest::newRow("underscore") << false << QChar(u'_') << true;
    QTest::newRow("dollar") << false << QChar(u'$') << true;
    QTest::newRow("dot breaks") << false << QChar(u'.') << false;
    QTest::newRow("bracket breaks") << false << QChar(u'(') << false;
    QTest::newRow("space") << false << QChar(u' ') << false;
    QTest::newRow("tab") << false << QChar(u'\t') << false;
    QTest::newRow("latin-1 letter") << false << QChar(0xE9) << true;
    QTest::newRow("beyond latin-1") << false << QChar(0x4E2D) << true;
    QTest::newRow("highlighter's own breaks") << true << QChar(u'$') << false;
    QTest::newRow("highlighter's word chars") << true << QChar(u'a') << true;
}

void TestEditorModel::identChars()
{
    QFETCH(bool, withHighlighter);
    QFETCH(QChar, ch);
    QFETCH(bool, isWordChar);
    TestHighlighter highlighter;
    highlighter.SetWordBreaks(highlighter.WordBreaks() | CharSet::of({'$'}));
    EditorModel model;
    if (withHighlighter)
        model.SetHighlighter(&highlighter);
    QCOMPARE(model.IdentChars().contains(ch.unicode()), isWordChar);
    model.SetHighlighter(nullptr);
}

void TestEditorModel::readOnlyBlocksEditing()
{
    EditorModel model;
    model.SetText(u"abc");
    model.TypeText(u"x"_s);
    model.SetReadOnly(true);
    QVERIFY(!model.CanUndo());
    model.TypeText(u"y"_s);
    model.ExecuteCommand(EditorCommand::DeleteLastChar);
    model.ExecuteCommand(EditorCommand::Undo);
    model.SetSelText(u"z"_s);
    QCOMPARE(Lines(model), QStringLiteral("xabc"));
    model.ExecuteCommand(EditorCommand::Right);
    QCOMPARE(model.CaretXY(), (BufferCoord{3, 1}));
    model.SetReadOnly(false);
    QVERIFY(model.CanUndo());
}

QTEST_GUILESS_MAIN(TestEditorModel)
