#include "Scanners.h"

#include <QtTest>

class TestScanners : public QObject
{
    Q_OBJECT

private slots:
    void replaceAll_data();
    void replaceAll();
    void variables_data();
    void variables();
    void variablesOfLargeTexts_data();
    void variablesOfLargeTexts();
    void declarationsOfLargeTexts();
    void declarations_data();
    void declarations();
    void declarationsRemoveTagMarks();
    void asciiCaseOnly();
};

void TestScanners::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::addRow("every occurrence") << "$a = $ab + $a;"
                                      << "$a"
                                      << ""
                                      << " = b + ;";
    QTest::addRow("no overlap") << "aaaa"
                                << "aa"
                                << "b"
                                << "bb";
    QTest::addRow("case-sensitive") << "<script><SCRIPT>"
                                    << "<SCRIPT"
                                    << ""
                                    << "<script>>";
    QTest::addRow("not found") << "abc"
                               << "x"
                               << "y"
                               << "abc";
    QTest::addRow("empty pattern") << "abc"
                                   << ""
                                   << "y"
                                   << "abc";
    QTest::addRow("empty text") << ""
                                << "a"
                                << "y"
                                << "";
    QTest::addRow("longer replacement") << "a.b"
                                        << "."
                                        << "::"
                                        << "a::b";
    // Long texts are searched eight places at a time; matches on every side of those steps.
    const QString x7 = QString(7, u'x');
    QTest::addRow("long text") << x7 + "$ab" + x7 + "$a$ab" + x7 + "x$ab"
                               << "$ab"
                               << "" << x7 + x7 + "$a" + x7 + "x";
    QTest::addRow("match at the very end") << QString(16, u'-') + "$ab"
                                           << "$ab"
                                           << "#" << QString(16, u'-') + "#";
}

void TestScanners::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAll(text, pattern, replacement), expected);
}

void TestScanners::variables_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("two on a line") << QStringList{"<?php", "$a = $b;"} << QStringList{"a", "b"};
    QTest::addRow("first spelling wins") << QStringList{"<?", "$Total = 1;", "$total++;"} << QStringList{"Total"};
    QTest::addRow("a prefix consumes the longer name") << QStringList{"<?php $a = $ab;"} << QStringList{"a"};
    QTest::addRow("a removal joins text into a new name") << QStringList{"<?php $a $x$ay;"} << QStringList{"a", "xy"};
    QTest::addRow("later names after a removal") << QStringList{"<?php $a.$a.$b;"} << QStringList{"a", "b"};
    QTest::addRow("lone dollar takes every dollar") << QStringList{"<?php", "echo '$' . $x;"} << QStringList{};
    QTest::addRow("outside PHP") << QStringList{"$a", "<?php $b ?>", "$c"} << QStringList{"b"};
    QTest::addRow("left of the open mark counts") << QStringList{"$a <?php"} << QStringList{"a"};
    QTest::addRow("right of the close mark counts") << QStringList{"<?php ?> $a"} << QStringList{"a"};
    QTest::addRow("a close mark alone does not end PHP")
        << QStringList{"<?php $a;", "?>", "Cost: $5"} << QStringList{"a", "5"};
    QTest::addRow("a close mark with a dollar ends PHP")
        << QStringList{"<?php", "$a ?>", "Cost: $5"} << QStringList{"a"};
    QTest::addRow("arrows") << QStringList{"<?php $this->name; $a->b->c;"} << QStringList{"this->name", "a->b->c"};
    QTest::addRow("arrow at the line's end") << QStringList{"<?php $obj->"} << QStringList{"obj->"};
    QTest::addRow("minus is not an arrow") << QStringList{"<?php $a-1;"} << QStringList{"a"};
    QTest::addRow("digits and non-ASCII")
        << QStringList{"<?php $5; $caf\u00e9; $_x;"} << QStringList{"5", "caf\u00e9", "_x"};
    QTest::addRow("long names and arrows") << QStringList{"<?php $a_very_long_name9->with_arrow->and_more; "
                                                          "$\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9x;"}
                                           << QStringList{"a_very_long_name9->with_arrow->and_more",
                                                          "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9x"};
    QTest::addRow("a long name ends the line")
        << QStringList{"<?php $abcdefghijklmnop"} << QStringList{"abcdefghijklmnop"};
    QTest::addRow("names end at any punctuation")
        << QStringList{"<?php $abcdefgh[0]; $abcdefg@h; $ABCDEFX`x; $bcdefghi{x; $Z0123456789/"}
        << QStringList{"abcdefgh", "abcdefg", "ABCDEFX", "bcdefghi", "Z0123456789"};
    QTest::addRow("case folding beyond ASCII") << QStringList{"<?php $\u00c4; $\u00e4;"} << QStringList{"\u00c4"};
    QTest::addRow("case folding ASCII, first spelling kept")
        << QStringList{"<?php $Name; $NAME;", "$name; $Name2;"} << QStringList{"Name", "Name2"};
    QTest::addRow("case folding of mixed letters") << QStringList{"<?php $\u00c4rger; $\u00e4RGER; $\u00e4rgerlich;"}
                                                   << QStringList{"\u00c4rger", "\u00e4rgerlich"};
}

void TestScanners::variables()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    const QStringList before = lines;
    QCOMPARE(ScanVariables(lines), expected);
    QCOMPARE(lines, before);
}

// A large text is scanned in two halves at once; whether the second half starts inside PHP is
// known only when the first half is done.
void TestScanners::variablesOfLargeTexts_data()
{
    QTest::addColumn<QStringList>("atStart");
    QTest::addColumn<QStringList>("atHalf");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("the half starts inside PHP")
        << QStringList{"<?php"} << QStringList{"$a;", "?> $b", "$c"} << QStringList{"a", "b"};
    QTest::addRow("the half starts outside PHP")
        << QStringList{"<?php $x ?>"} << QStringList{"$a;", "<?php $b"} << QStringList{"x", "b"};
    QTest::addRow("a close mark without a dollar at the half")
        << QStringList{"<?php"} << QStringList{"?>", "$a ?>", "$b"} << QStringList{"a"};
    QTest::addRow("the first half's spelling wins")
        << QStringList{"<?php $Total"} << QStringList{"$total; $z"} << QStringList{"Total", "z"};
}

void TestScanners::variablesOfLargeTexts()
{
    QFETCH(QStringList, atStart);
    QFETCH(QStringList, atHalf);
    QFETCH(QStringList, expected);
    constexpr qsizetype Lines = 120'000;
    QStringList lines(Lines, QStringLiteral("echo 1;"));
    std::copy(atStart.begin(), atStart.end(), lines.begin());
    std::copy(atHalf.begin(), atHalf.end(), lines.begin() + Lines / 2);
    QCOMPARE(ScanVariables(lines), expected);
}

// The lines of a large text are sifted in two halves at once, and scanned in order after.
void TestScanners::declarationsOfLargeTexts()
{
    constexpr qsizetype Lines = 120'000;
    QList<QStringView> lines;
    const QString filler = QStringLiteral("echo 1;");
    const QString open = QStringLiteral("<?php function first() {");
    const QString later = QStringLiteral("function second() {");
    const QString last = QStringLiteral("function third() {");
    // The second half is inside PHP from the first half's open mark on.
    for (qsizetype i = 0; i < Lines; ++i)
        lines.append(i == 10 ? open : i == Lines / 2 + 1 ? later : i == Lines - 2 ? last : filler);
    QCOMPARE(DeclaredNames(lines, u"function"), (QStringList{"first", "second", "third"}));
}

void TestScanners::declarations_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("expected");
    const QString f = QStringLiteral("function");
    const QString c = QStringLiteral("class");
    QTest::addRow("function") << QStringList{"<?php", "function getName($id) {"} << f << QStringList{"getName"};
    QTest::addRow("class extends") << QStringList{"<?php class Cart extends Base {"} << c
                                   << QStringList{"Cart extends Base"};
    QTest::addRow("class alone") << QStringList{"<?", "class Cart"} << c << QStringList{"Cart"};
    QTest::addRow("default value") << QStringList{"<?", "function add($a, $b = 0)"} << f << QStringList{};
    QTest::addRow("comment") << QStringList{"<?", "// this function returns x"} << f << QStringList{"returns x"};
    QTest::addRow("two spaces") << QStringList{"<?", "function  calc ($x)"} << f << QStringList{"calc"};
    QTest::addRow("inside longer words") << QStringList{"<?", "MYFUNCTION go()", "if (function_exists('x'))"} << f
                                         << QStringList{"go", "exists"};
    QTest::addRow("twice") << QStringList{"<?", "function f() {", "function f() {"} << f << QStringList{"f", "f"};
    QTest::addRow("keyword at the end") << QStringList{"<?", "// ends with function"} << f << QStringList{""};
    QTest::addRow("keyword any case") << QStringList{"<?", "CLASS Big"} << QStringLiteral("ClAsS")
                                      << QStringList{"Big"};
    QTest::addRow("outside tags") << QStringList{"function go() {"} << f << QStringList{};
    QTest::addRow("script element") << QStringList{"<SCRIPT>", "function go() {", "</SCRIPT>", "function after() {"}
                                    << f << QStringList{"go", "after"};
    QTest::addRow("script closed on a keyword line")
        << QStringList{"<script>", "function go() {} </SCRIPT>", "function after() {"} << f << QStringList{"go"};
    QTest::addRow("PHP closed on a keyword line")
        << QStringList{"<?php function a() { ?>", "function b() {"} << f << QStringList{"a"};
    // Marks and keywords well inside long lines as well as in their last few characters.
    QTest::addRow("marks far into a line")
        << QStringList{"<p>some text first</p>            <script type=\"text/javascript\">",
                       "    var x; function go() {", "plain text ................... <?php",
                       "abcdefghijklmnopqrstuvw function late() {"}
        << f << QStringList{"go", "late"};
    QTest::addRow("first keyword only") << QStringList{"<?php function a() {} function b() {}"} << f
                                        << QStringList{"a"};
}

void TestScanners::declarations()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, keyword);
    QFETCH(QStringList, expected);
    QCOMPARE(ScanDeclarations(lines, keyword), expected);
}

void TestScanners::declarationsRemoveTagMarks()
{
    QStringList lines{"<?php function a() { ?>", "<SCRIPT>x</SCRIPT> <script>", "function go() {}", "</script>"};
    ScanDeclarations(lines, u"function");
    // The SCRIPT marks are removed only in upper case; the closing mark only on keyword lines.
    QCOMPARE(lines, (QStringList{"php function a() { ", ">x</SCRIPT> <script>", "function go() {}", "</script>"}));
}

void TestScanners::asciiCaseOnly()
{
    QCOMPARE(asciiUpper(u"abc\u00e9z"), QStringLiteral("ABC\u00e9Z"));
    QCOMPARE(indexOfAsciiNoCase(u"a Function b", u"FUNCTION"), 2);
    QCOMPARE(indexOfAsciiNoCase(u"fun FUNC", u"FUNCTION"), -1);
    QCOMPARE(indexOfAsciiNoCase(u"xx$aB", u"$AB"), 2);
    QCOMPARE(indexOfAsciiNoCase(u"caf\u00c9", u"CAF\u00e9"), -1);
    QCOMPARE(indexOfAsciiNoCase(u"abc", u""), -1);
}

QTEST_GUILESS_MAIN(TestScanners)
#include "tst_scanners.moc"
