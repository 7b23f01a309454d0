#include "CompletionData.h"
#include "ModelTestSupport.h"
#include "SynAutoComplete.h"
#include "SynCompletionProposal.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(ProposalKey)

class TestCompletion : public QObject
{
    Q_OBJECT

private slots:
    void wordListFiles_data();
    void wordListFiles();
    void dataFileIsReadAgainOnlyWhenItChanged();
    void completionListsCarryTheirKind();
    void filterIgnoresAsciiCaseOnly();
    void wordBeforeCaret_data();
    void wordBeforeCaret();
    void listPlacement_data();
    void listPlacement();
    void keysOfTheOpenList_data();
    void keysOfTheOpenList();
    void acceptingReplacesTheTypedWord();
    void templates_data();
    void templates();
    void templateIsOneUndoStep();
    void templateKeepsTheEditorOptions();
    void firstMatchingTemplateWins();
};

void TestCompletion::wordListFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::addRow("header") << QByteArray("Keywords\r\necho\r\nelse\r\n") << QStringList{"echo", "else"};
    QTest::addRow("no header") << QByteArray("echo\r\nelse\r\n") << QStringList{"echo", "else"};
    QTest::addRow("lower-case header is an entry") << QByteArray("keywords\r\necho") << QStringList{"keywords", "echo"};
    QTest::addRow("header with a blank is an entry") << QByteArray("Keywords \r\necho") << QStringList{"Keywords ", "echo"};
    QTest::addRow("lone CR and LF") << QByteArray("Keywords\recho\nelse") << QStringList{"echo", "else"};
    QTest::addRow("empty lines are entries") << QByteArray("Keywords\r\n\r\necho\r\n\r\n") << QStringList{"", "echo", ""};
    QTest::addRow("kept unchanged") << QByteArray(" echo \t\r\n// no comment") << QStringList{" echo \t", "// no comment"};
    QTest::addRow("header only") << QByteArray("Keywords\r\n") << QStringList{};
    QTest::addRow("empty file") << QByteArray() << QStringList{};
    QTest::addRow("Latin-1") << QByteArray("caf\xE9\r\n") << QStringList{QStringLiteral("caf\u00E9")};
}

void TestCompletion::wordListFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(listEntries(dataFileLines(bytes), KeywordsHeader), entries);
}

void TestCompletion::dataFileIsReadAgainOnlyWhenItChanged()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("phpkw.dat");
    const auto write = [&](const QByteArray &bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    DataFile data;
    QVERIFY(!data.refresh(path)); // missing: nothing yet
    write("echo\r\n");
    QVERIFY(data.refresh(path));
    QCOMPARE(data.lines(), QStringList{"echo"});
    QVERIFY(!data.refresh(path));
    write("echo\r\nelse\r\n");
    QVERIFY(data.refresh(path));
    QCOMPARE(data.lines(), (QStringList{"echo", "else"}));
    // Same size, other time: read again.
    write("echo\r\nelif\r\n");
    QFile(path).setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    QVERIFY(data.refresh(path));
    QCOMPARE(data.lines(), (QStringList{"echo", "elif"}));
    // Gone: the lines stay as they were.
    QVERIFY(QFile::remove(path));
    QVERIFY(!data.refresh(path));
    QCOMPARE(data.lines(), (QStringList{"echo", "elif"}));
    // Another file of the same size and time is still another file.
    const QString other = dir.filePath("copy.dat");
    QFile copy(other);
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write("abcd\r\nefgh\r\n");
    copy.close();
    QVERIFY(data.refresh(other));
    QCOMPARE(data.lines(), (QStringList{"abcd", "efgh"}));
}

void TestCompletion::completionListsCarryTheirKind()
{
    const CompletionLists lists = completionLists({"echo", "else"}, {"strlen"});
    QCOMPARE(lists.insertList, (QStringList{"echo", "else", "strlen"}));
    QCOMPARE(lists.itemList, (QStringList{"echo (PHP keyword)", "else (PHP keyword)", "strlen (PHP function)"}));
}

void TestCompletion::filterIgnoresAsciiCaseOnly()
{
    const QStringList items{"echo (PHP keyword)", "Else", "ECHO", "\u00C9t\u00E9", "strlen", "ec"};
    QCOMPARE(matchingItems(items, u"ec"), (QList<int>{0, 2, 5}));
    QCOMPARE(matchingItems(items, u"eC"), (QList<int>{0, 2, 5}));
    QCOMPARE(matchingItems(items, u"\u00E9"), QList<int>{}); // only ASCII letters fold
    QCOMPARE(matchingItems(items, u"\u00C9"), QList<int>{3});
    QCOMPARE(matchingItems(items, u""), (QList<int>{0, 1, 2, 3, 4, 5}));
    QCOMPARE(matchingItems(items, u"echo (php"), QList<int>{0});
    QCOMPARE(matchingItems(items, u"echo2"), QList<int>{});
}

void TestCompletion::wordBeforeCaret_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("word");
    QTest::addRow("after a word") << "echo str" << 9 << "str";
    QTest::addRow("dots belong to the word") << "  $obj.na" << 10 << "$obj.na";
    QTest::addRow("inside a word") << "strlen" << 4 << "str";
    QTest::addRow("after an opening parenthesis") << "f(str" << 6 << "str";
    QTest::addRow("each end-of-token character") << "a(b)c[d]e f" << 12 << "f";
    QTest::addRow("after a bracket") << "$a[idx" << 7 << "idx";
    QTest::addRow("a tab ends it") << "\tabc" << 5 << "abc";
    QTest::addRow("right after a blank") << "echo " << 6 << "";
    QTest::addRow("line start") << "echo" << 1 << "";
    QTest::addRow("at the line end") << "echo" << 5 << "echo";
    QTest::addRow("beyond the line end") << "echo" << 7 << "";
    QTest::addRow("braces are part of it") << "{$x" << 4 << "{$x";
}

void TestCompletion::wordBeforeCaret()
{
    QFETCH(QString, line);
    QFETCH(int, caret);
    QFETCH(QString, word);
    QCOMPARE(WordBeforeCaret(line, caret), word);
}

void TestCompletion::listPlacement_data()
{
    QTest::addColumn<QPoint>("caretLineTop");
    QTest::addColumn<QPoint>("expected");
    // A 262 x 180 list, lines 16 high, on a 1000 x 700 work area that starts at (0, 30).
    QTest::addRow("below the caret line") << QPoint(100, 200) << QPoint(100, 216);
    QTest::addRow("just fits at the right") << QPoint(738, 200) << QPoint(738, 216);
    QTest::addRow("moved left by its width") << QPoint(739, 200) << QPoint(477, 216);
    QTest::addRow("not past the left edge") << QPoint(200, 200) << QPoint(200, 216);
    QTest::addRow("just fits at the bottom") << QPoint(100, 534) << QPoint(100, 550);
    QTest::addRow("above the caret line") << QPoint(100, 535) << QPoint(100, 355);
    QTest::addRow("both") << QPoint(900, 600) << QPoint(638, 420);
}

void TestCompletion::listPlacement()
{
    QFETCH(QPoint, caretLineTop);
    QFETCH(QPoint, expected);
    QCOMPARE(proposalPosition({262, 180}, caretLineTop, 16, QRect(0, 30, 1000, 700)), expected);
    // A work area narrower than the list: its left edge.
    QCOMPARE(proposalPosition({262, 180}, {100, 100}, 16, QRect(50, 0, 300, 700)).x(), 50);
}

void TestCompletion::keysOfTheOpenList_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<ProposalKey>("kind");
    QTest::addColumn<int>("rows");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::addRow("Enter") << int(Qt::Key_Return) << none << "\r" << ProposalKey::Accept << 0;
    QTest::addRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << ProposalKey::Accept << 0;
    QTest::addRow("Tab") << int(Qt::Key_Tab) << none << "\t" << ProposalKey::Accept << 0;
    QTest::addRow("Space") << int(Qt::Key_Space) << none << " " << ProposalKey::AcceptAndType << 0;
    for (const char *c : {"(", ")", "[", "]"})
        QTest::addRow("end of token %s", c) << 0 << none << c << ProposalKey::CloseAndType << 0;
    QTest::addRow("letter") << int(Qt::Key_A) << none << "a" << ProposalKey::Filter << 0;
    QTest::addRow("capital") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << ProposalKey::Filter << 0;
    QTest::addRow("z is the last") << int(Qt::Key_Z) << none << "z" << ProposalKey::Filter << 0;
    QTest::addRow("dot") << int(Qt::Key_Period) << none << "." << ProposalKey::Filter << 0;
    QTest::addRow("dollar") << int(Qt::Key_Dollar) << int(Qt::ShiftModifier) << "$" << ProposalKey::Filter << 0;
    QTest::addRow("AltGr character") << int(Qt::Key_At) << int(Qt::ControlModifier | Qt::AltModifier) << "@"
                                     << ProposalKey::Filter << 0;
    QTest::addRow("brace") << int(Qt::Key_BraceLeft) << none << "{" << ProposalKey::Close << 0;
    QTest::addRow("letter beyond ASCII") << 0 << none << "\u017E" << ProposalKey::Close << 0;
    QTest::addRow("Ctrl+A") << int(Qt::Key_A) << ctrl << "\x01" << ProposalKey::Close << 0;
    QTest::addRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << ProposalKey::Backspace << 0;
    QTest::addRow("Esc") << int(Qt::Key_Escape) << none << "\x1b" << ProposalKey::Close << 0;
    QTest::addRow("Up") << int(Qt::Key_Up) << none << "" << ProposalKey::Select << -1;
    QTest::addRow("Down") << int(Qt::Key_Down) << none << "" << ProposalKey::Select << 1;
    QTest::addRow("Ctrl+Up") << int(Qt::Key_Up) << ctrl << "" << ProposalKey::Select << FirstRow;
    QTest::addRow("Ctrl+Down") << int(Qt::Key_Down) << ctrl << "" << ProposalKey::Select << LastRow;
    QTest::addRow("Page Up") << int(Qt::Key_PageUp) << none << "" << ProposalKey::Select << -10;
    QTest::addRow("Page Down") << int(Qt::Key_PageDown) << none << "" << ProposalKey::Select << 10;
    QTest::addRow("Home") << int(Qt::Key_Home) << none << "" << ProposalKey::Select << FirstRow;
    QTest::addRow("End") << int(Qt::Key_End) << none << "" << ProposalKey::Select << LastRow;
    QTest::addRow("Left") << int(Qt::Key_Left) << none << "" << ProposalKey::CloseAndPass << 0;
    QTest::addRow("Right") << int(Qt::Key_Right) << none << "" << ProposalKey::CloseAndPass << 0;
    QTest::addRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << ProposalKey::Ignore << 0;
    QTest::addRow("F5") << int(Qt::Key_F5) << none << "" << ProposalKey::Ignore << 0;
}

void TestCompletion::keysOfTheOpenList()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(ProposalKey, kind);
    QFETCH(int, rows);
    const ProposalKeyAction action = proposalKeyAction(key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(action.kind, kind);
    QCOMPARE(action.rows, rows);
}

void TestCompletion::acceptingReplacesTheTypedWord()
{
    EditorModel editor;
    LoadMarked(editor, "$n = strl|;");
    AcceptCompletion(editor, 4, QStringLiteral("strlen"));
    QCOMPARE(Marked(editor), QStringLiteral("$n = strlen|;"));
    QVERIFY(!editor.SelAvail());
    editor.Undo();
    QCOMPARE(editor.Text(), QStringLiteral("$n = strl;\r\n"));

    // Nothing to insert (an empty list): the word stays, and no change is recorded.
    LoadMarked(editor, "ec|");
    editor.ClearUndo();
    AcceptCompletion(editor, 2, std::nullopt);
    QCOMPARE(Marked(editor), QStringLiteral("ec|"));
    QVERIFY(!editor.CanUndo());
    // The same text: no change either.
    AcceptCompletion(editor, 2, QStringLiteral("ec"));
    QVERIFY(!editor.CanUndo());
}

void TestCompletion::templates_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("expanded");
    const QStringList ifTemplate{"if", "=if (|)", "={", "=\t", "=}"};
    const int tabs = int(DefaultEditorOptions & ~eoTabsToSpaces);
    // Column 5 with tab width 3: one tab and one space before every following line.
    QTest::addRow("indentation as tab and spaces")
        << "    if|" << ifTemplate << tabs << "    if (|)\n\t {\n\t \t\n\t }";
    QTest::addRow("indentation as spaces")
        << "    if|" << ifTemplate << int(tabs | eoTabsToSpaces) << "    if (|)\n    {\n      \n    }";
    QTest::addRow("narrower than a tab") << "  if|" << ifTemplate << tabs << "  if (|)\n  {\n  \t\n  }";
    QTest::addRow("word after code") << "x; if|" << ifTemplate << tabs << "x; if (|)\n\t{\n\t\t\n\t}";
    QTest::addRow("two marks: the caret at the last")
        << "a|" << QStringList{"a", "=x|y|z"} << tabs << "x|y|z";
    QTest::addRow("no mark: the caret after the text")
        << "a|" << QStringList{"a", "=one", "=two"} << tabs << "one\ntwo|";
    QTest::addRow("body ends at an empty line")
        << "a|" << QStringList{"a", "=one", "", "=two"} << tabs << "one|";
    QTest::addRow("body ends at a line without =")
        << "a|" << QStringList{"a", "=one", "b", "=two"} << tabs << "one|";
    QTest::addRow("key ignores letter case") << "IF|" << ifTemplate << tabs << "if (|)\n{\n\t\n}";
    QTest::addRow("empty word, empty key line")
        << "x |" << QStringList{"a", "=A", "", "=B"} << tabs << "x B|";
    QTest::addRow("text after the caret stays") << "if|;" << QStringList{"if", "=if (|)"} << tabs << "if (|);";
}

void TestCompletion::templates()
{
    QFETCH(QString, document);
    QFETCH(QStringList, list);
    QFETCH(int, options);
    QFETCH(QString, expanded);
    EditorModel editor;
    editor.SetTabWidth(3);
    editor.SetOptions(EditorOptions(options));
    LoadMarked(editor, document);
    QVERIFY(ExpandTemplate(editor, list));
    QCOMPARE(Marked(editor), expanded);
}

void TestCompletion::templateIsOneUndoStep()
{
    EditorModel editor;
    LoadMarked(editor, "  x;\n  fo|");
    editor.TypeText(QStringLiteral("r"));
    const QString before = editor.Text();
    QVERIFY(ExpandTemplate(editor, {"for", "=for (|) {", "=\t", "=}"}));
    QCOMPARE(editor.LineCount(), 4);
    editor.Undo();
    QCOMPARE(editor.Text(), before);
    QCOMPARE(Marked(editor), QStringLiteral("  x;\n  for|"));
    editor.Redo();
    QCOMPARE(editor.LineCount(), 4);

    // A word without a template changes nothing.
    editor.ClearUndo();
    LoadMarked(editor, "nothing|");
    QVERIFY(!ExpandTemplate(editor, {"for", "=for"}));
    QCOMPARE(Marked(editor), QStringLiteral("nothing|"));
    QVERIFY(!editor.CanUndo());
}

void TestCompletion::templateKeepsTheEditorOptions()
{
    EditorModel editor;
    const EditorOptions options = (DefaultEditorOptions & ~eoTabsToSpaces) | eoAutoIndent | eoTrimTrailingSpaces | eoSmartTabs;
    editor.SetOptions(options);
    editor.SetInsertMode(false);
    LoadMarked(editor, "    if|rest");
    QVERIFY(ExpandTemplate(editor, {"if", "=if (|) {", "=\tx; ", "=}"}));
    // Overwriting would have eaten "rest"; auto-indent would have doubled the indentation, and
    // smart tabs would have lined "x" up under "(".
    QCOMPARE(Marked(editor), QStringLiteral("    if (|) {\n    \tx; \n    }rest"));
    QCOMPARE(editor.Options(), options);
    QVERIFY(!editor.InsertMode());
}

void TestCompletion::firstMatchingTemplateWins()
{
    const QStringList list{"=not a key", "If", "=first", "", "if", "=second", "", "", "=empty key"};
    QCOMPARE(findTemplate(list, u"if"), 1);
    QCOMPARE(findTemplate(list, u"IF"), 1);
    QCOMPARE(findTemplate(list, u""), 3);
    QCOMPARE(findTemplate(list, u"=not a key"), 0);
    QCOMPARE(findTemplate(list, u"else"), -1);
}

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"
