// The PHP highlighter: its tokens line by line, the states it carries between lines, and its
// attributes as built and as the main window sets them.
#include "MainHighlighters.h"
#include "SynHighlighterPHP.h"

#include <QtTest>

namespace {

using K = SynPHPSyn::TokenKind;
constexpr K Com = K::Comment, Id = K::Identifier, Inv = K::InvalidSymbol, Key = K::Key, Num = K::Number, Sp = K::Space,
            Str = K::String, Sym = K::Symbol, Oth = K::Unknown, Var = K::Variable;

struct Tok {
    QString text;
    K kind;
};
using Toks = QList<Tok>;
using Ranges = QList<SynRangeState>;

QString kindName(K kind)
{
    static const char *const names[] = {"Comment", "Identifier", "InvalidSymbol", "Key",     "Null",    "Number",
                                        "Space",   "String",     "Symbol",        "Unknown", "Variable"};
    return QString::fromLatin1(names[static_cast<int>(kind)]);
}

QString describe(const QString &text, K kind)
{
    return kindName(kind) + u'"' + text + u'"';
}

QStringList describe(const Toks &tokens)
{
    QStringList out;
    for (const Tok &token : tokens)
        out.append(describe(token.text, token.kind));
    return out;
}

Toks symbols(const QStringList &texts)
{
    Toks out;
    for (const QString &text : texts)
        out.append({text, Sym});
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Toks)

class TestPhpHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void everyKeyword();
    void emptyLineKeepsRange_data();
    void emptyLineKeepsRange();
    void tokenAttributes_data();
    void tokenAttributes();
    void attributes_data();
    void attributes();
    void defaultFilter();
    void attributeChangeNotifies();
    void standardAttri_data();
    void standardAttri();
    void wordChars();
    void demoSourceScansClosed();
};

void TestPhpHighlighter::tokens_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Toks>("expected"); // the tokens of all lines, end-of-line tokens left out
    QTest::addColumn<Ranges>("ranges"); // the range state after each line

    QTest::addRow("keywords in any case")
        << QStringList{"ECHO Echo echo"} << Toks{{"ECHO", Key}, {" ", Sp}, {"Echo", Key}, {" ", Sp}, {"echo", Key}}
        << Ranges{0};
    QTest::addRow("digit or dollar makes no keyword")
        << QStringList{"echo2 $echo"} << Toks{{"echo2", Id}, {" ", Sp}, {"$echo", Var}} << Ranges{0};
    QTest::addRow("underscore keywords") << QStringList{"__file__ __Line__"}
                                         << Toks{{"__file__", Key}, {" ", Sp}, {"__Line__", Key}} << Ranges{0};
    QTest::addRow("highlight_string in the last slot")
        << QStringList{"highlight_string highlight_strings"}
        << Toks{{"highlight_string", Key}, {" ", Sp}, {"highlight_strings", Id}} << Ranges{0};
    QTest::addRow("both keywords of shared slots")
        << QStringList{"do and else var"}
        << Toks{{"do", Key}, {" ", Sp}, {"and", Key}, {" ", Sp}, {"else", Key}, {" ", Sp}, {"var", Key}} << Ranges{0};
    QTest::addRow("keyword hash, other word")
        << QStringList{"dna zzzzzzzzz"} << Toks{{"dna", Id}, {" ", Sp}, {"zzzzzzzzz", Id}} << Ranges{0};
    QTest::addRow("$ alone") << QStringList{"$ x"} << Toks{{"$", Var}, {" ", Sp}, {"x", Id}} << Ranges{0};
    QTest::addRow("escaped single quote")
        << QStringList{"$x = 'it\\'s';"}
        << Toks{{"$x", Var}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"'it\\'s'", Str}, {";", Sym}} << Ranges{0};
    QTest::addRow("escaped backslash closes")
        << QStringList{"'a\\\\' b"} << Toks{{"'a\\\\'", Str}, {" ", Sp}, {"b", Id}} << Ranges{0};
    QTest::addRow("escaped double quote")
        << QStringList{"\"say \\\"hi\\\"\";"} << Toks{{"\"say \\\"hi\\\"\"", Str}, {";", Sym}} << Ranges{0};
    QTest::addRow("single string continued, backslash inert")
        << QStringList{"echo 'abc", "de\\'f' x"}
        << Toks{{"echo", Key}, {" ", Sp}, {"'abc", Str}, {"de\\'", Str}, {"f", Id}, {"' x", Str}} << Ranges{1, 1};
    QTest::addRow("double string continued, escaped quote")
        << QStringList{"\"abc", "d\\\"e\" f"} << Toks{{"\"abc", Str}, {"d\\\"e\"", Str}, {" ", Sp}, {"f", Id}}
        << Ranges{2, 0};
    QTest::addRow("double string continued, double backslash inert")
        << QStringList{"\"a", "b\\\\\" c"} << Toks{{"\"a", Str}, {"b\\\\\" c", Str}} << Ranges{2, 2};
    QTest::addRow("unclosed string leaves CR a blank")
        << QStringList{"'ab\r", "c'"} << Toks{{"'ab", Str}, {"\r", Sp}, {"c'", Str}} << Ranges{1, 0};
    QTest::addRow("block comment across lines")
        << QStringList{"/* a", "", "b */ c"} << Toks{{"/* a", Com}, {"b */", Com}, {" ", Sp}, {"c", Id}}
        << Ranges{3, 3, 0};
    QTest::addRow("/*/ stays open") << QStringList{"/*/ x"} << Toks{{"/*/ x", Com}} << Ranges{3};
    QTest::addRow("block comment closed on its line")
        << QStringList{"/**/x"} << Toks{{"/**/", Com}, {"x", Id}} << Ranges{0};
    QTest::addRow("// hides /*") << QStringList{"// a /* b"} << Toks{{"// a /* b", Com}} << Ranges{0};
    QTest::addRow("# comment") << QStringList{"f # x"} << Toks{{"f", Id}, {" ", Sp}, {"# x", Com}} << Ranges{0};
    QTest::addRow("@ is invalid") << QStringList{"@f()"} << Toks{{"@", Inv}, {"f", Id}, {"(", Sym}, {")", Sym}}
                                  << Ranges{0};
    QTest::addRow("backslash, backtick, above 126") << QStringList{QString::fromUtf8("\\`\x7f\xc3\xa9\xe2\x82\xac")}
                                                    << Toks{{"\\", Oth},
                                                            {"`", Oth},
                                                            {"\x7f", Oth},
                                                            {QString::fromUtf8("\xc3\xa9"), Oth},
                                                            {QString::fromUtf8("\xe2\x82\xac"), Oth}}
                                                    << Ranges{0};
    QTest::addRow("surrogate pair is one character")
        << QStringList{QString::fromUtf8("a\xf0\x9f\x98\x80")}
        << Toks{{"a", Id}, {QString::fromUtf8("\xf0\x9f\x98\x80"), Oth}} << Ranges{0};
    QTest::addRow("-> and =>") << QStringList{"$a->b=>c"}
                               << Toks{{"$a", Var}, {"->", Sym}, {"b", Id}, {"=>", Sym}, {"c", Id}} << Ranges{0};
    QTest::addRow("=== is two tokens") << QStringList{"==="} << symbols({"==", "="}) << Ranges{0};
    QTest::addRow("< takes the longest") << QStringList{"<<=<<<=<"} << symbols({"<<=", "<<", "<=", "<"}) << Ranges{0};
    QTest::addRow("unlisted triples and pairs split")
        << QStringList{">>=::.=!=="} << symbols({">>", "=", ":", ":", ".", "=", "!=", "="}) << Ranges{0};
    QTest::addRow("listed pairs") << QStringList{"&&&=|||=+++=---=*=%=^=/=>="}
                                  << symbols(
                                         {"&&", "&=", "||", "|=", "++", "+=", "--", "-=", "*=", "%=", "^=", "/=", ">="})
                                  << Ranges{0};
    QTest::addRow("single symbols") << QStringList{"(){}[],;:.?~!&|+-*%^/><="}
                                    << symbols({"(", ")", "{", "}", "[", "]", ",", ";", ":", ".", "?", "~",
                                                "!", "&", "|", "+", "-", "*", "%", "^", "/", ">", "<="})
                                    << Ranges{0};
    QTest::addRow("numbers") << QStringList{"0x1F 1.5 1e5 5-3 7L"}
                             << Toks{{"0x1F", Num}, {" ", Sp},    {"1.5", Num}, {" ", Sp},  {"1e5", Num},
                                     {" ", Sp},     {"5-3", Num}, {" ", Sp},    {"7L", Num}}
                             << Ranges{0};
    QTest::addRow("number stops before ..")
        << QStringList{"1..5"} << Toks{{"1", Num}, {".", Sym}, {".", Sym}, {"5", Num}} << Ranges{0};
    QTest::addRow("blanks and line breaks")
        << QStringList{"\t \x01x\r\n\n\ry"}
        << Toks{{"\t \x01", Sp}, {"x", Id}, {"\r\n", Sp}, {"\n", Sp}, {"\r", Sp}, {"y", Id}} << Ranges{0};
    QTest::addRow("NUL ends the line") << QStringList{QStringLiteral("a").append(QChar(0)).append(u"b")}
                                       << Toks{{"a", Id}} << Ranges{0};
    QTest::addRow("NUL ends an open comment") << QStringList{"/*", QStringLiteral("x").append(QChar(0)).append(u"*/")}
                                              << Toks{{"/*", Com}, {"x", Com}} << Ranges{3, 3};
}

void TestPhpHighlighter::tokens()
{
    QFETCH(QStringList, lines);
    QFETCH(Toks, expected);
    QFETCH(Ranges, ranges);
    SynPHPSyn php;
    php.ClearRange();
    QStringList actual;
    Ranges actualRanges;
    for (int i = 0; i < lines.size(); ++i) {
        php.BeginLine(lines[i], i);
        for (int n = 0; !php.AtLineEnd() && n < 1000; ++n) {
            actual.append(describe(php.TokenText().toString(), static_cast<K>(php.TokenKindId())));
            php.Advance();
        }
        QVERIFY(php.AtLineEnd());
        QVERIFY(php.TokenText().isEmpty());
        actualRanges.append(php.RangeState());
    }
    QCOMPARE(actual.join(u' '), describe(expected).join(u' '));
    QCOMPARE(actualRanges, ranges);
}

void TestPhpHighlighter::everyKeyword()
{
    const QStringList keywords =
        QStringLiteral(
            "__FILE__ __LINE__ and array break case cfunction class const continue default die do double echo else "
            "elseif empty endfor endif endswitch endwhile eval exit extends false float for function global "
            "highlight_file highlight_string if include int integer isset list new object old_function or print real "
            "require return show_source static string switch true unset var while xor")
            .split(u' ');
    QCOMPARE(keywords.size(), 55);
    SynPHPSyn php;
    for (const QString &keyword : keywords) {
        for (const QString &word : {keyword.toLower(), keyword.toUpper(), keyword + u'x'}) {
            php.BeginLine(word, 0);
            QCOMPARE(php.TokenText().toString(), word);
            QCOMPARE(static_cast<K>(php.TokenKindId()), word.endsWith(u'x') ? Id : Key);
        }
    }
}

void TestPhpHighlighter::emptyLineKeepsRange_data()
{
    QTest::addColumn<SynRangeState>("range");
    QTest::addRow("code") << SynPHPSyn::rsCode;
    QTest::addRow("single-quoted string") << SynPHPSyn::rsSingleString;
    QTest::addRow("double-quoted string") << SynPHPSyn::rsDoubleString;
    QTest::addRow("block comment") << SynPHPSyn::rsComment;
}

void TestPhpHighlighter::emptyLineKeepsRange()
{
    QFETCH(SynRangeState, range);
    SynPHPSyn php;
    php.RestoreRange(range);
    php.BeginLine(u"", 0);
    QVERIFY(php.AtLineEnd());
    QCOMPARE(php.TokenKindId(), 4);
    QCOMPARE(php.TokenStart(), 0);
    QCOMPARE(php.TokenAttri(), nullptr);
    QCOMPARE(php.RangeState(), range);
}

void TestPhpHighlighter::tokenAttributes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << "# c" << 0 << "Comment";
    QTest::addRow("identifier") << "x" << 1 << "Identifier";
    QTest::addRow("invalid symbol") << "@" << 2 << "Invalid symbol";
    QTest::addRow("keyword") << "if" << 3 << "Reserved word";
    QTest::addRow("number") << "1" << 5 << "Number";
    QTest::addRow("blank") << " " << 6 << "Space";
    QTest::addRow("string") << "'s'" << 7 << "String";
    QTest::addRow("symbol") << ";" << 8 << "Symbol";
    QTest::addRow("other character") << "\\" << 9 << "Identifier";
    QTest::addRow("variable") << "$v" << 10 << "Variable";
}

void TestPhpHighlighter::tokenAttributes()
{
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(QString, attribute);
    SynPHPSyn php;
    php.BeginLine(line, 0);
    QCOMPARE(php.TokenKindId(), kind);
    QVERIFY(php.TokenAttri());
    QCOMPARE(php.TokenAttri()->AttriName(), attribute);
}

void TestPhpHighlighter::attributes_data()
{
    QTest::addColumn<int>("index"); // attributes are listed by name
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::addColumn<SynColor>("mainForeground");
    QTest::addColumn<int>("mainStyle");
    // The constructor leaves every colour none.
    QTest::addRow("Comment") << 0 << "Comment" << int(fsItalic) << SynColor(0x808000) << int(fsItalic);
    QTest::addRow("Identifier") << 1 << "Identifier" << 0 << SynColor(0x800000) << 0;
    QTest::addRow("Invalid symbol") << 2 << "Invalid symbol" << 0 << clNone << int(fsUnderline);
    QTest::addRow("Number") << 3 << "Number" << 0 << SynColor(0xFF0000) << int(fsBold);
    QTest::addRow("Reserved word") << 4 << "Reserved word" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("Space") << 5 << "Space" << 0 << clNone << 0;
    QTest::addRow("String") << 6 << "String" << 0 << SynColor(0x800080) << 0;
    QTest::addRow("Symbol") << 7 << "Symbol" << 0 << clNone << 0;
    QTest::addRow("Variable") << 8 << "Variable" << 0 << SynColor(0xFF0000) << 0;
}

void TestPhpHighlighter::attributes()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, style);
    QFETCH(SynColor, mainForeground);
    QFETCH(int, mainStyle);
    SynPHPSyn built;
    QCOMPARE(built.AttriCount(), 9);
    const SynHighlighterAttributes *attribute = built.AttriAt(index);
    QVERIFY(attribute);
    QCOMPARE(attribute->AttriName(), name);
    QCOMPARE(attribute->Foreground(), clNone);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), style);

    // The registered highlighter carries the main window's values.
    MainHighlighters highlighters;
    const SynHighlighterAttributes *main = highlighters.xhPHP.AttriAt(index);
    QCOMPARE(main->AttriName(), name);
    QCOMPARE(main->Foreground(), mainForeground);
    QCOMPARE(main->Background(), clNone);
    QCOMPARE(int(main->Style()), mainStyle);
}

void TestPhpHighlighter::defaultFilter()
{
    SynPHPSyn php;
    QCOMPARE(php.DefaultFilter(), "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc");
    php.ApplyMainFormSettings();
    QCOMPARE(php.DefaultFilter(), "PHP files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc");
    QCOMPARE(php.LanguageTitle(), "PHP");
}

void TestPhpHighlighter::attributeChangeNotifies()
{
    SynPHPSyn php;
    int calls = 0;
    php.HookAttriChange(this, [&calls] { ++calls; });
    php.ApplyMainFormSettings();
    QCOMPARE(calls, 7); // five colours and two styles differ from the constructor's
    php.ApplyMainFormSettings();
    QCOMPARE(calls, 7);
}

void TestPhpHighlighter::standardAttri_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << 0 << "Comment";
    QTest::addRow("identifier") << 1 << "Identifier";
    QTest::addRow("keyword") << 2 << "Reserved word";
    QTest::addRow("string") << 3 << "String";
    QTest::addRow("whitespace") << 4 << "Space";
    QTest::addRow("symbol") << 5 << "Symbol";
    QTest::addRow("below") << -1 << QString();
    QTest::addRow("beyond") << 6 << QString();
}

void TestPhpHighlighter::standardAttri()
{
    QFETCH(int, index);
    QFETCH(QString, attribute);
    SynPHPSyn php;
    const SynHighlighterAttributes *found = php.StandardAttri(index);
    QCOMPARE(found ? found->AttriName() : QString(), attribute);
}

void TestPhpHighlighter::wordChars()
{
    SynPHPSyn php;
    const CharSet chars = php.WordChars();
    QCOMPARE(chars.count(), 10 + 26 + 1 + 26 + 64 - 2);
    for (char16_t c : {u'0', u'9', u'A', u'Z', u'_', u'a', u'z', char16_t(192), char16_t(255), char16_t(0x4E00)})
        QVERIFY2(chars.contains(c), qPrintable(QString::number(c)));
    for (char16_t c : {u'$', u'-', u'@', u'`', char16_t(191), char16_t(215), char16_t(247)})
        QVERIFY2(!chars.contains(c), qPrintable(QString::number(c)));
}

void TestPhpHighlighter::demoSourceScansClosed()
{
    SynPHPSyn php;
    const QStringList lines = php.DemoSource().split(u'\n');
    QVERIFY(lines.size() > 3);
    bool sawKeyword = false;
    for (int i = 0; i < lines.size(); ++i) {
        php.BeginLine(lines[i], i);
        for (; !php.AtLineEnd(); php.Advance())
            sawKeyword = sawKeyword || php.TokenKindId() == int(Key);
        QCOMPARE(php.RangeState(), SynPHPSyn::rsCode);
    }
    QVERIFY(sawKeyword);
}

QTEST_GUILESS_MAIN(TestPhpHighlighter)
#include "tst_php_highlighter.moc"
