// Every highlighter against its golden token files, and the token protocol checked once for all
// of them on the same inputs.
#include "MainHighlighters.h"
#include "TextEncoding.h"
#include "TokenDump.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QString inputDir(const QString &name)
{
    return QStringLiteral(VELMORA_TOKEN_DIR "/input/") + name;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? decodeText(file.readAll()).text : QString();
}

// The main window's highlighters, the custom one with the shipped word lists as the token tool
// gives it.
struct Highlighters : MainHighlighters {
    Highlighters() { LoadCustomKeywords(xhGen, QStringLiteral(VELMORA_SOURCE_DATA_DIR "/")); }
};

// The first line where two texts differ, for a readable failure.
QString firstDifference(const QString &actual, const QString &expected)
{
    const QStringList a = actual.split(u'\n');
    const QStringList e = expected.split(u'\n');
    for (int i = 0; i < std::max(a.size(), e.size()); ++i)
        if (a.value(i) != e.value(i))
            return QStringLiteral("line %1\n  actual:   %2\n  expected: %3").arg(i + 1).arg(a.value(i), e.value(i));
    return {};
}

QString inputText(const QString &name, const QString &file)
{
    return readText(inputDir(name) + u'/' + file);
}

QStringList inputLines(const QString &name, const QString &file)
{
    return splitLines(inputText(name, file));
}

// The highlighter of the current data row and its input scanned once from the start.
struct ScannedInput {
    ScannedInput()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        highlighter = highlighters.byName(name);
        lines = inputLines(name, file);
        scanned = scanLines(*highlighter, lines);
    }
    QString where(int line) const { return QStringLiteral("line %1").arg(line + 1); }

    Highlighters highlighters;
    SynCustomHighlighter *highlighter = nullptr;
    QStringList lines;
    std::vector<DumpedLine> scanned;
};

} // namespace

class TestHighlighters : public QObject
{
    Q_OBJECT

private slots:
    void everyHighlighterHasInputs();
    void goldenTokens_data() { inputs(); }
    void goldenTokens();
    void dumpOnThreadsEqualsDumpInOrder_data() { inputs(); }
    void dumpOnThreadsEqualsDumpInOrder();
    void dumpOnThreadsOfEdgeTexts_data();
    void dumpOnThreadsOfEdgeTexts();
    void tokensCoverEachLine_data() { inputs(); }
    void tokensCoverEachLine();
    void linesScanAloneAsInSequence_data() { inputs(); }
    void linesScanAloneAsInSequence();
    void crLineEndsAreBlanks_data() { inputs(); }
    void crLineEndsAreBlanks();
    void randomTextKeepsTheProtocol_data();
    void randomTextKeepsTheProtocol();

private:
    void inputs();
};

void TestHighlighters::inputs()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    for (const QString &name : MainHighlighters::names())
        for (const QString &file : QDir(inputDir(name)).entryList(QDir::Files, QDir::Name))
            QTest::addRow("%s/%s", qPrintable(name), qPrintable(file)) << name << file;
}

void TestHighlighters::everyHighlighterHasInputs()
{
    for (const QString &name : MainHighlighters::names())
        QVERIFY2(!QDir(inputDir(name)).entryList(QDir::Files).isEmpty(), qPrintable(name));
}

void TestHighlighters::goldenTokens()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    Highlighters highlighters;
    SynCustomHighlighter *highlighter = highlighters.byName(name);
    const QString actual = QString::fromUtf8(tokenDump(*highlighter, inputText(name, file)));
    QFile reference(QStringLiteral(VELMORA_TOKEN_DIR "/reference/") + name + u'/' + file + QStringLiteral(".ref"));
    QVERIFY2(reference.open(QIODevice::ReadOnly), "no reference: run scripts/update-token-references");
    const QString expected = QString::fromUtf8(reference.readAll());
    QVERIFY2(actual == expected, qPrintable(firstDifference(actual, expected)));
}

// The token tool's highlighters made alone, as the window has them, and their dump on several
// threads: chunks scanned from a guessed state must be mended wherever the guess was wrong, so
// the smallest chunks (a line each) are the hardest case.
void TestHighlighters::dumpOnThreadsEqualsDumpInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    const QString text = inputText(name, file);
    std::vector<std::shared_ptr<SynCustomHighlighter>> owned;
    std::vector<SynCustomHighlighter *> threads;
    for (int i = 0; i < 3; ++i) {
        owned.push_back(MainHighlighters::make(name));
        if (auto *general = dynamic_cast<SynGeneralSyn *>(owned.back().get()))
            LoadCustomKeywords(*general, QStringLiteral(VELMORA_SOURCE_DATA_DIR "/"));
        threads.push_back(owned.back().get());
    }
    const QByteArray inOrder = tokenDump(*threads.front(), text);
    Highlighters window;
    QVERIFY2(inOrder == tokenDump(*window.byName(name), text), "made alone, not as the window has it");
    for (const qsizetype chunkChars : {1, 50, 1000}) {
        const QByteArray onThreads = tokenDump(threads, text, chunkChars);
        QVERIFY2(onThreads == inOrder,
                 qPrintable(QStringLiteral("chunks of %1: ").arg(chunkChars)
                            + firstDifference(QString::fromUtf8(onThreads), QString::fromUtf8(inOrder))));
    }
}

void TestHighlighters::dumpOnThreadsOfEdgeTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("empty") << QString();
    QTest::addRow("one line without an end") << QStringLiteral("select 1");
    QTest::addRow("one line with an end") << QStringLiteral("select 1\n");
    QTest::addRow("empty lines only") << QStringLiteral("\n\n\r\n");
    QTest::addRow("mixed line ends") << QStringLiteral("a\r\n/* b\rc */ d\n'e");
    QTest::addRow("comment never closed") << QStringLiteral("/*\na\nb\nc\n");
}

void TestHighlighters::dumpOnThreadsOfEdgeTexts()
{
    QFETCH(QString, text);
    const auto first = MainHighlighters::make(u"sql");
    const auto second = MainHighlighters::make(u"sql");
    SynCustomHighlighter *const both[] = {first.get(), second.get()};
    const QByteArray inOrder = tokenDump(*first, text);
    QCOMPARE(inOrder.count("\tend\t"), qsizetype(splitLines(text).size()));
    for (const qsizetype chunkChars : {1, 3, 100})
        QCOMPARE(tokenDump(both, text, chunkChars), inOrder);
}

void TestHighlighters::tokensCoverEachLine()
{
    ScannedInput in;
    for (int i = 0; i < in.lines.size(); ++i) {
        const auto &tokens = in.scanned[i].tokens;
        int expectedStart = 0;
        for (const DumpedToken &token : tokens) {
            QVERIFY2(token.start == expectedStart,
                     qPrintable(in.where(i) + QStringLiteral(" column %1").arg(token.start)));
            expectedStart += token.text.size();
        }
        const DumpedToken &last = tokens.back();
        QVERIFY2(last.text.isEmpty() && last.attribute.isEmpty(), qPrintable(in.where(i)));
        const qsizetype nul = in.lines[i].indexOf(QChar(0));
        QCOMPARE(last.start, nul < 0 ? in.lines[i].size() : nul);
        // Advancing at the end of the line stays there.
        SynCustomHighlighter &h = *in.highlighter;
        h.RestoreRange(in.scanned[i].rangeBefore);
        h.BeginLine(in.lines[i], i);
        h.ScanToLineEnd();
        h.Advance();
        QVERIFY(h.AtLineEnd());
        QCOMPARE(h.TokenStart(), last.start);
        QCOMPARE(h.RangeState(), in.scanned[i].rangeAfter);
    }
}

void TestHighlighters::linesScanAloneAsInSequence()
{
    // Backwards, each line from its stored state: a highlighter that kept anything but its range
    // state between lines would answer differently.
    ScannedInput in;
    for (int i = static_cast<int>(in.lines.size()) - 1; i >= 0; --i) {
        const DumpedLine alone = scanLine(*in.highlighter, in.lines[i], i, in.scanned[i].rangeBefore);
        QVERIFY2(alone.tokens == in.scanned[i].tokens, qPrintable(in.where(i)));
        QCOMPARE(alone.rangeAfter, in.scanned[i].rangeAfter);
    }
}

void TestHighlighters::crLineEndsAreBlanks()
{
    // A line that still carries its CR scans the same, with the CR as one more token at the end.
    ScannedInput in;
    for (int i = 0; i < in.lines.size(); ++i) {
        if (in.lines[i].contains(QChar(0)))
            continue;
        const DumpedLine withCr = scanLine(*in.highlighter, in.lines[i] + u'\r', i, in.scanned[i].rangeBefore);
        const auto &plain = in.scanned[i].tokens;
        QVERIFY2(withCr.tokens.size() == plain.size() + 1, qPrintable(in.where(i)));
        QVERIFY(std::equal(plain.begin(), plain.end() - 1, withCr.tokens.begin()));
        QCOMPARE(withCr.tokens[plain.size() - 1].text, QStringLiteral("\r"));
        QCOMPARE(withCr.rangeAfter, in.scanned[i].rangeAfter);
    }
}

namespace {

// Lines no highlighter was written for: random characters (markup, quotes, comment marks, tabs,
// letters beyond ASCII, a lone surrogate, NUL) and pieces of every input file cut anywhere and
// joined, so every construct meets every other one, opened and left open.
QStringList randomLines(quint32 seed, int count)
{
    QRandomGenerator random(seed);
    QStringList pieces;
    for (const QString &name : MainHighlighters::names())
        for (const QString &file : QDir(inputDir(name)).entryList(QDir::Files))
            pieces.append(inputLines(name, file));
    const QString alphabet = QStringLiteral("<>?%/*-#'\"`\\()[]{};:=.,$@&!| \tabzAZ09_\u00e9\u4e2d\U0001F600");
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QString line;
        const int parts = random.bounded(1, 5);
        for (int part = 0; part < parts; ++part) {
            if (random.bounded(2) == 0 && !pieces.isEmpty()) {
                const QString &piece = pieces[random.bounded(int(pieces.size()))];
                const int from = piece.isEmpty() ? 0 : random.bounded(int(piece.size()));
                line += piece.mid(from, random.bounded(1, 40));
            } else {
                for (int c = random.bounded(1, 12); c > 0; --c)
                    line += alphabet[random.bounded(int(alphabet.size()))];
            }
        }
        if (random.bounded(50) == 0)
            line += QChar(0xD800); // a lone surrogate
        if (random.bounded(80) == 0)
            line.insert(random.bounded(int(line.size()) + 1), QChar(0));
        lines.append(line);
    }
    return lines;
}

} // namespace

void TestHighlighters::randomTextKeepsTheProtocol_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : MainHighlighters::names())
        QTest::addRow("%s", qPrintable(name)) << name;
}

void TestHighlighters::randomTextKeepsTheProtocol()
{
    QFETCH(QString, name);
    Highlighters highlighters;
    SynCustomHighlighter &highlighter = *highlighters.byName(name);
    for (quint32 seed : {1u, 2u, 3u}) {
        const QStringList lines = randomLines(seed, 1500);
        const std::vector<DumpedLine> scanned = scanLines(highlighter, lines);
        for (int i = 0; i < lines.size(); ++i) {
            const QString where = QStringLiteral("seed %1 line %2: %3").arg(seed).arg(i + 1).arg(lines[i]);
            const auto &tokens = scanned[i].tokens;
            int start = 0;
            for (const DumpedToken &token : tokens) {
                QVERIFY2(token.start == start, qPrintable(where));
                start += token.text.size();
            }
            QVERIFY2(tokens.back().text.isEmpty(), qPrintable(where));
            QVERIFY2(start <= lines[i].size(), qPrintable(where));
            const DumpedLine alone = scanLine(highlighter, lines[i], i, scanned[i].rangeBefore);
            QVERIFY2(alone.tokens == tokens, qPrintable(where));
            QVERIFY2(alone.rangeAfter == scanned[i].rangeAfter, qPrintable(where));
            if (i + 1 < lines.size())
                QVERIFY2(scanned[i + 1].rangeBefore == scanned[i].rangeAfter, qPrintable(where));
        }
    }
}

QTEST_GUILESS_MAIN(TestHighlighters)
#include "tst_highlighters.moc"
