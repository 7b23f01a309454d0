// Every highlighter against its golden token files, and the token protocol checked once for all
// of them on the same inputs.
#include "MainHighlighters.h"
#include "TextEncoding.h"
#include "TokenDump.h"

#include <QDir>
#include <QFile>
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

} // namespace

class TestHighlighters : public QObject
{
    Q_OBJECT

private slots:
    void everyHighlighterHasInputs();
    void goldenTokens_data() { inputs(); }
    void goldenTokens();
    void tokensCoverEachLine_data() { inputs(); }
    void tokensCoverEachLine();
    void linesScanAloneAsInSequence_data() { inputs(); }
    void linesScanAloneAsInSequence();
    void crLineEndsAreBlanks_data() { inputs(); }
    void crLineEndsAreBlanks();

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
    MainHighlighters highlighters;
    SynCustomHighlighter *highlighter = highlighters.byName(name);
    const QString actual = QString::fromUtf8(tokenDump(*highlighter, inputText(name, file)));
    QFile reference(QStringLiteral(VELMORA_TOKEN_DIR "/reference/") + name + u'/' + file + QStringLiteral(".ref"));
    QVERIFY2(reference.open(QIODevice::ReadOnly), "no reference: run scripts/update-token-references");
    const QString expected = QString::fromUtf8(reference.readAll());
    QVERIFY2(actual == expected, qPrintable(firstDifference(actual, expected)));
}

void TestHighlighters::tokensCoverEachLine()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    MainHighlighters highlighters;
    SynCustomHighlighter *highlighter = highlighters.byName(name);
    const QStringList lines = inputLines(name, file);
    const std::vector<DumpedLine> scanned = scanLines(*highlighter, lines);
    for (int i = 0; i < lines.size(); ++i) {
        const auto &tokens = scanned[i].tokens;
        int expectedStart = 0;
        for (const DumpedToken &token : tokens) {
            QVERIFY2(token.start == expectedStart, qPrintable(QStringLiteral("line %1 column %2").arg(i + 1).arg(token.start)));
            expectedStart += token.text.size();
        }
        const DumpedToken &last = tokens.back();
        QVERIFY2(last.text.isEmpty() && last.attribute.isEmpty(), qPrintable(QStringLiteral("line %1").arg(i + 1)));
        const qsizetype nul = lines[i].indexOf(QChar(0));
        QCOMPARE(last.start, nul < 0 ? lines[i].size() : nul);
        // Advancing at the end of the line stays there.
        highlighter->RestoreRange(scanned[i].rangeBefore);
        highlighter->BeginLine(lines[i], i);
        highlighter->ScanToLineEnd();
        highlighter->Advance();
        QVERIFY(highlighter->AtLineEnd());
        QCOMPARE(highlighter->TokenStart(), last.start);
        QCOMPARE(highlighter->RangeState(), scanned[i].rangeAfter);
    }
}

void TestHighlighters::linesScanAloneAsInSequence()
{
    // Backwards, each line from its stored state: a highlighter that kept anything but its range
    // state between lines would answer differently.
    QFETCH(QString, name);
    QFETCH(QString, file);
    MainHighlighters highlighters;
    SynCustomHighlighter *highlighter = highlighters.byName(name);
    const QStringList lines = inputLines(name, file);
    const std::vector<DumpedLine> scanned = scanLines(*highlighter, lines);
    for (int i = static_cast<int>(lines.size()) - 1; i >= 0; --i) {
        const DumpedLine alone = scanLine(*highlighter, lines[i], i, scanned[i].rangeBefore);
        QVERIFY2(alone.tokens == scanned[i].tokens, qPrintable(QStringLiteral("line %1").arg(i + 1)));
        QCOMPARE(alone.rangeAfter, scanned[i].rangeAfter);
    }
}

void TestHighlighters::crLineEndsAreBlanks()
{
    // A line that still carries its CR scans the same, with the CR as one more token at the end.
    QFETCH(QString, name);
    QFETCH(QString, file);
    MainHighlighters highlighters;
    SynCustomHighlighter *highlighter = highlighters.byName(name);
    const QStringList lines = inputLines(name, file);
    const std::vector<DumpedLine> scanned = scanLines(*highlighter, lines);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QChar(0)))
            continue;
        const DumpedLine withCr = scanLine(*highlighter, lines[i] + u'\r', i, scanned[i].rangeBefore);
        const auto &plain = scanned[i].tokens;
        QVERIFY2(withCr.tokens.size() == plain.size() + 1, qPrintable(QStringLiteral("line %1").arg(i + 1)));
        QVERIFY(std::equal(plain.begin(), plain.end() - 1, withCr.tokens.begin()));
        QCOMPARE(withCr.tokens[plain.size() - 1].text, QStringLiteral("\r"));
        QCOMPARE(withCr.rangeAfter, scanned[i].rangeAfter);
    }
}

QTEST_GUILESS_MAIN(TestHighlighters)
#include "tst_highlighters.moc"
