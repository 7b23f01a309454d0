// The general highlighter: its tokens under each switch, the states it carries between lines, its
// word list, properties and attributes, and the token protocol on random text.
#include "SynHighlighterGeneral.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <variant>

namespace {

using G = SynGeneralSyn;
using K = G::TokenKind;
constexpr K Com = K::Comment, Id = K::Identifier, Key = K::Key, Num = K::Number, Pre = K::Preprocessor, Sp = K::Space,
            Str = K::String, Sym = K::Symbol, Oth = K::Unknown;

struct Tok {
    QString text;
    K kind;
};
using Toks = QList<Tok>;
using Ranges = QList<SynRangeState>;

// The switches a token row runs under; the defaults are the main window's.
struct Setup {
    G::CommentStyles comments = G::csCStyle;
    bool preprocessor = false;
    G::StringDelimiter delimiter = G::sdDoubleQuote;
    SynRangeState start = G::rsNormal;

    Setup styles(G::CommentStyles c) const { return with(&Setup::comments, c); }
    Setup withPreprocessor() const { return with(&Setup::preprocessor, true); }
    Setup singleQuote() const { return with(&Setup::delimiter, G::sdSingleQuote); }
    Setup from(SynRangeState range) const { return with(&Setup::start, range); }

    template <typename T>
    Setup with(T Setup::*field, T value) const
    {
        Setup s = *this;
        s.*field = value;
        return s;
    }
};

const QStringList TestWords = {"echo", "Print_R", "strlen()"};

void configure(G &g, const Setup &setup)
{
    g.SetComments(setup.comments);
    g.SetDetectPreprocessor(setup.preprocessor);
    g.SetStringDelim(setup.delimiter);
    g.RestoreRange(setup.start);
}

QString describe(QStringView text, K kind)
{
    static const char *const names[] = {"Comment",      "Identifier", "Key",    "Null",   "Number",
                                        "Preprocessor", "Space",      "String", "Symbol", "Unknown"};
    QString shown;
    for (QChar c : text)
        shown += c.unicode() < 32 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0')) : QString(c);
    return QString::fromLatin1(names[static_cast<int>(kind)]) + u'"' + shown + u'"';
}

QString describe(const Toks &tokens)
{
    QStringList out;
    for (const Tok &token : tokens)
        out.append(describe(token.text, token.kind));
    return out.join(u' ');
}

// The tokens of one line, end-of-line token left out.
Toks scan(G &g, QStringView line)
{
    Toks out;
    g.BeginLine(line, 0);
    for (int n = 0; !g.AtLineEnd() && n <= line.size(); ++n, g.Advance())
        out.append({g.TokenText().toString(), static_cast<K>(g.TokenKindId())});
    return out;
}

QString withNul(const QString &before, const QString &after)
{
    return before + QChar(0) + after;
}

// A token as the protocol check sees it.
struct Span {
    qsizetype start;
    qsizetype length;
    int kind;
    bool operator==(const Span &) const = default;
};

struct LineScan {
    QList<Span> spans;
    SynRangeState end = 0;
    bool operator==(const LineScan &) const = default;
};

// Scans a line from the given state and checks the token protocol on the way: tokens start at 0,
// are contiguous, non-empty and within the line, carry an attribute, and end in one end-of-line
// token at the first NUL (or the line's end) that Advance leaves in place. Answers the scan, or
// the first broken rule.
std::variant<LineScan, QString> scanChecked(G &g, QStringView line, SynRangeState start)
{
    const qsizetype nul = line.indexOf(QChar(0));
    const qsizetype covered = nul < 0 ? line.size() : nul;
    LineScan result;
    qsizetype next = 0;
    g.RestoreRange(start);
    g.BeginLine(line, 0);
    for (; !g.AtLineEnd(); g.Advance()) {
        const qsizetype at = g.TokenStart();
        const qsizetype length = g.TokenText().size();
        if (at != next)
            return QStringLiteral("token at %1 where %2 was expected").arg(at).arg(next);
        if (length == 0 || at + length > covered)
            return QStringLiteral("token at %1 of length %2 in a line of %3").arg(at).arg(length).arg(covered);
        if (g.TokenText() != line.mid(at, length))
            return QStringLiteral("token text at %1 is not the line's").arg(at);
        if (!g.TokenAttri() || g.TokenKindId() < 0 || g.TokenKindId() > int(Oth) || g.TokenKindId() == int(K::Null))
            return QStringLiteral("token at %1 has kind %2").arg(at).arg(g.TokenKindId());
        result.spans.append({at, length, g.TokenKindId()});
        next = at + length;
    }
    if (next != covered || g.TokenStart() != covered)
        return QStringLiteral("line end token at %1, tokens end at %2, line at %3")
            .arg(g.TokenStart())
            .arg(next)
            .arg(covered);
    if (!g.TokenText().isEmpty() || g.TokenAttri() || g.TokenKindId() != int(K::Null))
        return QStringLiteral("line end token is not empty");
    result.end = g.RangeState();
    g.Advance();
    if (!g.AtLineEnd() || g.TokenStart() != covered || g.RangeState() != result.end)
        return QStringLiteral("Advance moved past the line end");
    return result;
}

// Scans the lines as one text from the start, then each line alone on a fresh highlighter from
// the state the text scan gave it; answers the first broken rule, or nothing.
QString checkText(const Setup &setup, const QStringList &lines)
{
    G whole;
    G alone;
    configure(whole, setup);
    configure(alone, setup);
    whole.ClearRange();
    SynRangeState range = whole.RangeState();
    for (int i = 0; i < lines.size(); ++i) {
        const auto full = scanChecked(whole, lines[i], range);
        if (const QString *error = std::get_if<QString>(&full))
            return QStringLiteral("line %1: %2").arg(i).arg(*error);
        if (scanChecked(alone, lines[i], range) != full)
            return QStringLiteral("line %1 scans differently alone").arg(i);
        range = std::get<LineScan>(full).end;
    }
    return {};
}

QString randomFragment(QRandomGenerator &random)
{
    static const QStringList fragments = {
        "/*",
        "*/",
        "(*",
        "*)",
        "(.",
        "{",
        "}",
        "//",
        ";",
        "#",
        "#include <x.h>",
        "\"",
        "'",
        "''",
        "\"\"\"",
        "$",
        "$ab",
        "$x",
        "0x1F",
        "1..2",
        "1.5e3",
        "12",
        "echo",
        "ECHO",
        "print_r",
        "x",
        " ",
        "\t",
        "\r",
        "\n",
        "\r\n",
        "<?php",
        "?>",
        "$this->x",
        "()",
        "[]",
        "\\",
        "@",
        "`",
        "int main(void)",
        "/*/",
        "{}",
        "(*)",
        "'it''s'",
        "\"a\\\"b\"",
        "// c",
        "; asm",
        "#12",
        "\xe9",
        "\xff",
    };
    switch (random.bounded(8)) {
    case 0: return QString(QChar(char16_t(random.bounded(0x10000)))); // any unit, lone surrogates too
    case 1: return QString(QChar(char16_t(random.bounded(128))));
    case 2: return QString::fromUcs4(U"\U0001F600");
    case 3: return QString(QChar(char16_t(0xDC00 + random.bounded(0x400)))); // a low half alone
    default: return fragments[random.bounded(fragments.size())];
    }
}

QStringList randomLines(QRandomGenerator &random, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QString line;
        for (int n = random.bounded(12); n > 0; --n)
            line += randomFragment(random);
        lines.append(line);
    }
    return lines;
}

// A word of word characters that starts like one.
QString randomWord(QRandomGenerator &random)
{
    static const QString first = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
    static const QString rest = first + "0123456789";
    QString word(first[random.bounded(first.size())]);
    for (int n = random.bounded(12); n > 0; --n)
        word += rest[random.bounded(rest.size())];
    return word;
}

} // namespace

Q_DECLARE_METATYPE(Toks)
Q_DECLARE_METATYPE(Setup)

class TestGeneralHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void emptyLineKeepsRange_data();
    void emptyLineKeepsRange();
    void stringDelimSwitchesBack();
    void tokenAttributes_data();
    void tokenAttributes();
    void attributes_data();
    void attributes();
    void properties();
    void settersNotify();
    void standardAttri_data();
    void standardAttri();
    void keyWordsSortedWithoutCaseTwins();
    void setKeyWordsUpperCases();
    void isKeywordText_data();
    void isKeywordText();
    void largeWordList();
    void identifierChars();
    void identifierCharsDoNotLex();
    void randomTextKeepsProtocol_data();
    void randomTextKeepsProtocol();
    void longLinesKeepProtocol_data();
    void longLinesKeepProtocol();
};

void TestGeneralHighlighter::tokens_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Toks>("expected"); // the tokens of all lines, end-of-line tokens left out
    QTest::addColumn<Ranges>("ranges"); // the range state after each line

    const Setup main;
    const Setup none = main.styles({});
    const Setup ansi = main.styles(G::csAnsiStyle);
    const Setup pas = main.styles(G::csPasStyle);
    const Setup asmStyle = main.styles(G::csAsmStyle);
    const Setup basStyle = main.styles(G::csBasStyle);

    // The word list holds "echo", "Print_R" and "strlen()".
    QTest::addRow("keyword in any case") << main << QStringList{"echo ECHO Echo pRINT_r"}
                                         << Toks{{"echo", Key}, {" ", Sp}, {"ECHO", Key},   {" ", Sp},
                                                 {"Echo", Key}, {" ", Sp}, {"pRINT_r", Key}}
                                         << Ranges{4};
    QTest::addRow("only whole words") << main << QStringList{"echo2 echoes _echo ech"}
                                      << Toks{{"echo2", Id}, {" ", Sp}, {"echoes", Id}, {" ", Sp},
                                              {"_echo", Id}, {" ", Sp}, {"ech", Id}}
                                      << Ranges{4};
    QTest::addRow("entry with other characters never matches")
        << main << QStringList{"strlen()"} << Toks{{"strlen", Id}, {"(", Sym}, {")", Oth}} << Ranges{4};
    QTest::addRow("word stops at other characters")
        << main
        << QStringList{QString::fromUtf8("ab\xc3\xa9"
                                         "cd")}
        << Toks{{"ab", Id}, {QString::fromUtf8("\xc3\xa9"), Oth}, {"cd", Id}} << Ranges{4};
    QTest::addRow("$ without hex digits") << main << QStringList{"$x"} << Toks{{"$", Num}, {"x", Id}} << Ranges{4};
    QTest::addRow("$ hex number") << main << QStringList{"$abc $1Fg"}
                                  << Toks{{"$abc", Num}, {" ", Sp}, {"$1F", Num}, {"g", Id}} << Ranges{4};
    QTest::addRow("numbers") << main << QStringList{"0x1F 1.5e3 12 1.5.6"}
                             << Toks{{"0x1F", Num}, {" ", Sp}, {"1.5e3", Num}, {" ", Sp},
                                     {"12", Num},   {" ", Sp}, {"1.5.6", Num}}
                             << Ranges{4};
    QTest::addRow("number stops before ..")
        << main << QStringList{"1..2"} << Toks{{"1", Num}, {".", Oth}, {".", Oth}, {"2", Num}} << Ranges{4};
    QTest::addRow("x switches to hex digits, X does not")
        << main << QStringList{"1.5x3g 0X1 7x"}
        << Toks{{"1.5x3", Num}, {"g", Id}, {" ", Sp}, {"0", Num}, {"X1", Id}, {" ", Sp}, {"7x", Num}} << Ranges{4};
    QTest::addRow("sign ends a number") << main << QStringList{"1e+5"} << Toks{{"1e", Num}, {"+", Oth}, {"5", Num}}
                                        << Ranges{4};
    QTest::addRow("# is a string without preprocessor lines")
        << main << QStringList{"# comment #12ab"}
        << Toks{{"#", Str}, {" ", Sp}, {"comment", Id}, {" ", Sp}, {"#12", Str}, {"ab", Id}} << Ranges{4};
    QTest::addRow("preprocessor line") << main.withPreprocessor() << QStringList{"a #if x // y"}
                                       << Toks{{"a", Id}, {" ", Sp}, {"#if x // y", Pre}} << Ranges{4};
    QTest::addRow("preprocessor line ends at a line break")
        << main.withPreprocessor() << QStringList{"#x\r\ny"} << Toks{{"#x", Pre}, {"\r\n", Sp}, {"y", Id}} << Ranges{4};
    QTest::addRow("// with C style") << main << QStringList{"a // note /*"}
                                     << Toks{{"a", Id}, {" ", Sp}, {"// note /*", Com}} << Ranges{4};
    QTest::addRow("// without any style") << none << QStringList{"// note"} << Toks{{"// note", Com}} << Ranges{4};
    QTest::addRow("C comment") << main << QStringList{"/* a */b"} << Toks{{"/* a */", Com}, {"b", Id}} << Ranges{4};
    QTest::addRow("empty C comment") << main << QStringList{"/**/"} << Toks{{"/**/", Com}} << Ranges{4};
    QTest::addRow("/*/ stays open") << main << QStringList{"/*/ a", "b */ c"}
                                    << Toks{{"/*/ a", Com}, {"b */", Com}, {" ", Sp}, {"c", Id}} << Ranges{3, 4};
    QTest::addRow("C comment across lines")
        << main << QStringList{"x /* a", "", "b", "*/ c"}
        << Toks{{"x", Id}, {" ", Sp}, {"/* a", Com}, {"b", Com}, {"*/", Com}, {" ", Sp}, {"c", Id}}
        << Ranges{3, 3, 3, 4};
    QTest::addRow("/* without C style") << none << QStringList{"/* a"}
                                        << Toks{{"/", Sym}, {"*", Oth}, {" ", Sp}, {"a", Id}} << Ranges{4};
    QTest::addRow("line break inside a comment")
        << main << QStringList{"/* a\nb */"} << Toks{{"/* a", Com}, {"\n", Sp}, {"b */", Com}} << Ranges{4};
    QTest::addRow("NUL ends an open comment")
        << main << QStringList{withNul("/* a", "*/")} << Toks{{"/* a", Com}} << Ranges{3};
    QTest::addRow("continuation from the low byte of the range")
        << main.from(0x1200 | G::rsCComment) << QStringList{"x */ y"} << Toks{{"x */", Com}, {" ", Sp}, {"y", Id}}
        << Ranges{4};
    QTest::addRow("continuation whatever the styles") << none.from(G::rsAnsiComment) << QStringList{"a *) b"}
                                                      << Toks{{"a *)", Com}, {" ", Sp}, {"b", Id}} << Ranges{4};
    QTest::addRow("ordinary tokens keep an unknown range")
        << main.from(0) << QStringList{"x", "y"} << Toks{{"x", Id}, {"y", Id}} << Ranges{0, 0};
    QTest::addRow("(* comment") << ansi << QStringList{"(* a *) b"} << Toks{{"(* a *)", Com}, {" ", Sp}, {"b", Id}}
                                << Ranges{4};
    QTest::addRow("(*) stays open") << ansi << QStringList{"(*) a", "*)"} << Toks{{"(*) a", Com}, {"*)", Com}}
                                    << Ranges{1, 4};
    QTest::addRow("(* across lines") << ansi << QStringList{"(* a", "b *) c"}
                                     << Toks{{"(* a", Com}, {"b *)", Com}, {" ", Sp}, {"c", Id}} << Ranges{1, 4};
    QTest::addRow("(. with ANSI style") << ansi << QStringList{"(.(x"} << Toks{{"(.", Sym}, {"(", Sym}, {"x", Id}}
                                        << Ranges{4};
    QTest::addRow("( without ANSI style")
        << main << QStringList{"(*(."} << Toks{{"(", Sym}, {"*", Oth}, {"(", Sym}, {".", Oth}} << Ranges{4};
    QTest::addRow("{ comment") << pas << QStringList{"{ a }b{}"} << Toks{{"{ a }", Com}, {"b", Id}, {"{}", Com}}
                               << Ranges{4};
    QTest::addRow("{ across lines") << pas << QStringList{"{ a", "b } c"}
                                    << Toks{{"{ a", Com}, {"b }", Com}, {" ", Sp}, {"c", Id}} << Ranges{2, 4};
    QTest::addRow("{ without Pascal style") << main << QStringList{"{}"} << Toks{{"{", Sym}, {"}", Oth}} << Ranges{4};
    QTest::addRow("; with assembler style") << asmStyle.from(0) << QStringList{"mov ; c", "x"}
                                            << Toks{{"mov", Id}, {" ", Sp}, {"; c", Com}, {"x", Id}} << Ranges{4, 4};
    QTest::addRow("; with Basic style") << basStyle << QStringList{"; c"} << Toks{{"; c", Com}} << Ranges{4};
    QTest::addRow("; without either") << main << QStringList{";;"} << Toks{{";", Sym}, {";", Sym}} << Ranges{4};
    QTest::addRow("double-quoted string")
        << main << QStringList{"\"a b\" c"} << Toks{{"\"a b\"", Str}, {" ", Sp}, {"c", Id}} << Ranges{4};
    QTest::addRow("single quote is no string when double delimits")
        << main << QStringList{"'text'"} << Toks{{"'", Oth}, {"text", Id}, {"'", Oth}} << Ranges{4};
    QTest::addRow("single-quoted string")
        << main.singleQuote() << QStringList{"'text' \"x\""}
        << Toks{{"'text'", Str}, {" ", Sp}, {"\"", Oth}, {"x", Id}, {"\"", Oth}} << Ranges{4};
    QTest::addRow("doubled quote pair splits a string")
        << main.singleQuote() << QStringList{"'it''s'"} << Toks{{"'it'", Str}, {"'s'", Str}} << Ranges{4};
    QTest::addRow("tripled quote at the start")
        << main << QStringList{"\"\"\"x\" y"} << Toks{{"\"\"\"x\"", Str}, {" ", Sp}, {"y", Id}} << Ranges{4};
    QTest::addRow("empty string") << main << QStringList{"\"\"x"} << Toks{{"\"\"", Str}, {"x", Id}} << Ranges{4};
    QTest::addRow("no escapes") << main << QStringList{"\"a\\\"b"} << Toks{{"\"a\\\"", Str}, {"b", Id}} << Ranges{4};
    QTest::addRow("unterminated string ends with its line")
        << main << QStringList{"\"ab", "c\""} << Toks{{"\"ab", Str}, {"c", Id}, {"\"", Str}} << Ranges{4, 4};
    QTest::addRow("string takes the CR that ends it")
        << main << QStringList{"\"ab\r\nc"} << Toks{{"\"ab\r", Str}, {"\n", Sp}, {"c", Id}} << Ranges{4};
    QTest::addRow("string stops at NUL") << main << QStringList{withNul("\"ab", "\"")} << Toks{{"\"ab", Str}}
                                         << Ranges{4};
    QTest::addRow("blanks and line breaks")
        << main << QStringList{"\t \x01x\x1f\r\n\n\ry"}
        << Toks{{"\t \x01", Sp}, {"x", Id}, {"\x1f", Sp}, {"\r\n", Sp}, {"\n", Sp}, {"\r", Sp}, {"y", Id}} << Ranges{4};
    QTest::addRow("NUL ends the line") << main << QStringList{withNul("a", "b")} << Toks{{"a", Id}} << Ranges{4};
    QTest::addRow("other characters one by one")
        << main << QStringList{QString::fromUtf8(")}*,\\`@\x7f\xc3\xbf\xe2\x82\xac")}
        << Toks{{")", Oth},
                {"}", Oth},
                {"*", Oth},
                {",", Oth},
                {"\\", Oth},
                {"`", Oth},
                {"@", Oth},
                {"\x7f", Oth},
                {QString::fromUtf8("\xc3\xbf"), Oth},
                {QString::fromUtf8("\xe2\x82\xac"), Oth}}
        << Ranges{4};
    QTest::addRow("surrogate pair is one character, a lone half one too")
        << main << QStringList{QString::fromUtf8("\xf0\x9f\x98\x80") + QChar(0xDC00) + QChar(0xD800)}
        << Toks{{QString::fromUtf8("\xf0\x9f\x98\x80"), Oth},
                {QString(QChar(0xDC00)), Oth},
                {QString(QChar(0xD800)), Oth}}
        << Ranges{4};
}

void TestGeneralHighlighter::tokens()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, lines);
    QFETCH(Toks, expected);
    QFETCH(Ranges, ranges);
    G g;
    g.AddKeyWords(TestWords);
    configure(g, setup);
    Toks actual;
    Ranges actualRanges;
    for (const QString &line : lines) {
        actual += scan(g, line);
        QVERIFY(g.AtLineEnd());
        actualRanges.append(g.RangeState());
    }
    QCOMPARE(describe(actual), describe(expected));
    QCOMPARE(actualRanges, ranges);
}

void TestGeneralHighlighter::emptyLineKeepsRange_data()
{
    QTest::addColumn<SynRangeState>("range");
    QTest::addRow("normal") << G::rsNormal;
    QTest::addRow("(* comment") << G::rsAnsiComment;
    QTest::addRow("{ comment") << G::rsPasComment;
    QTest::addRow("/* comment") << G::rsCComment;
    QTest::addRow("zero") << SynRangeState(0);
    QTest::addRow("unknown") << SynRangeState(200);
}

void TestGeneralHighlighter::emptyLineKeepsRange()
{
    QFETCH(SynRangeState, range);
    G g;
    g.RestoreRange(range);
    g.BeginLine(u"", 0);
    QVERIFY(g.AtLineEnd());
    QCOMPARE(g.TokenKindId(), int(K::Null));
    QCOMPARE(g.TokenStart(), 0);
    QCOMPARE(g.TokenAttri(), nullptr);
    QCOMPARE(g.RangeState(), range);
}

void TestGeneralHighlighter::stringDelimSwitchesBack()
{
    G g;
    QCOMPARE(g.StringDelim(), G::sdSingleQuote);
    QCOMPARE(describe(scan(g, u"'a'\"")), describe({{"'a'", Str}, {"\"", Oth}}));
    g.SetStringDelim(G::sdDoubleQuote);
    QCOMPARE(describe(scan(g, u"'a'\"")), describe({{"'", Oth}, {"a", Id}, {"'", Oth}, {"\"", Str}}));
    g.SetStringDelim(G::sdSingleQuote);
    QCOMPARE(describe(scan(g, u"'a'\"")), describe({{"'a'", Str}, {"\"", Oth}}));
}

void TestGeneralHighlighter::tokenAttributes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("preprocessor");
    QTest::addColumn<K>("kind");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << "// c" << false << Com << "Comment";
    QTest::addRow("identifier") << "x" << false << Id << "Identifier";
    QTest::addRow("keyword") << "echo" << false << Key << "Reserved word";
    QTest::addRow("number") << "1" << false << Num << "Number";
    QTest::addRow("preprocessor") << "#if" << true << Pre << "Preprocessor";
    QTest::addRow("blank") << " " << false << Sp << "Space";
    QTest::addRow("string") << "'s'" << false << Str << "String";
    QTest::addRow("symbol") << "/" << false << Sym << "Symbol";
    QTest::addRow("other character") << "@" << false << Oth << "Symbol";
}

void TestGeneralHighlighter::tokenAttributes()
{
    QFETCH(QString, line);
    QFETCH(bool, preprocessor);
    QFETCH(K, kind);
    QFETCH(QString, attribute);
    G g;
    g.AddKeyWords(TestWords);
    g.SetDetectPreprocessor(preprocessor);
    g.BeginLine(line, 0);
    QCOMPARE(g.TokenKindId(), int(kind));
    QVERIFY(g.TokenAttri());
    QCOMPARE(g.TokenAttri()->AttriName(), attribute);
}

void TestGeneralHighlighter::attributes_data()
{
    QTest::addColumn<int>("index"); // attributes are listed by name
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::addColumn<SynColor>("mainForeground");
    QTest::addColumn<int>("mainStyle");
    // The constructor leaves every colour none.
    QTest::addRow("Comment") << 0 << "Comment" << int(fsItalic) << SynColor(0x808000) << int(fsItalic);
    QTest::addRow("Identifier") << 1 << "Identifier" << 0 << SynColor(0x800000) << 0;
    QTest::addRow("Number") << 2 << "Number" << 0 << SynColor(0xFF0000) << int(fsBold);
    QTest::addRow("Preprocessor") << 3 << "Preprocessor" << 0 << clNone << int(fsItalic);
    QTest::addRow("Reserved word") << 4 << "Reserved word" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("Space") << 5 << "Space" << 0 << clNone << 0;
    QTest::addRow("String") << 6 << "String" << 0 << SynColor(0x800080) << 0;
    QTest::addRow("Symbol") << 7 << "Symbol" << 0 << clNone << 0;
}

void TestGeneralHighlighter::attributes()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, style);
    QFETCH(SynColor, mainForeground);
    QFETCH(int, mainStyle);
    G g;
    QCOMPARE(g.AttriCount(), 8);
    const SynHighlighterAttributes *attribute = g.AttriAt(index);
    QVERIFY(attribute);
    QCOMPARE(attribute->AttriName(), name);
    QCOMPARE(attribute->Foreground(), clNone);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), style);

    g.ApplyMainFormSettings();
    QCOMPARE(attribute->Foreground(), mainForeground);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), mainStyle);
}

void TestGeneralHighlighter::properties()
{
    G g;
    QCOMPARE(g.Comments(), G::CommentStyles());
    QCOMPARE(g.DetectPreprocessor(), false);
    QCOMPARE(g.StringDelim(), G::sdSingleQuote);
    QVERIFY(g.KeyWords().isEmpty());
    QCOMPARE(g.DefaultFilter(), QString());
    QCOMPARE(g.LanguageTitle(), "General");
    QCOMPARE(g.RangeState(), G::rsNormal);
    const QString identifierChars = g.IdentifierChars();

    g.SetComments(G::csAnsiStyle | G::csBasStyle);
    g.SetDetectPreprocessor(true);
    g.SetIdentifierChars(u"abc");
    g.RestoreRange(G::rsCComment);
    g.ApplyMainFormSettings();
    QCOMPARE(g.Comments(), G::CommentStyles(G::csCStyle));
    QCOMPARE(g.DetectPreprocessor(), false);
    QCOMPARE(g.StringDelim(), G::sdDoubleQuote);
    QCOMPARE(g.IdentifierChars(), identifierChars);
    QCOMPARE(g.DefaultFilter(), QString());
    g.ClearRange();
    QCOMPARE(g.RangeState(), G::rsNormal);
    // The bits the settings store.
    QCOMPARE(int(G::csAnsiStyle | G::csPasStyle | G::csCStyle | G::csAsmStyle | G::csBasStyle), 31);
    QCOMPARE(int(G::csCStyle), 4);
}

void TestGeneralHighlighter::settersNotify()
{
    G g;
    int calls = 0;
    g.HookAttriChange(this, [&calls] { ++calls; });
    const auto callsAfter = [&calls](auto action) {
        calls = 0;
        action();
        return calls;
    };
    QCOMPARE(callsAfter([&] { g.SetComments(G::csPasStyle); }), 1);
    QCOMPARE(callsAfter([&] { g.SetDetectPreprocessor(true); }), 1);
    QCOMPARE(callsAfter([&] { g.SetKeyWords({"a", "b"}); }), 1);
    QCOMPARE(callsAfter([&] { g.AddKeyWords({"c", "d"}); }), 1);
    QCOMPARE(callsAfter([&] { g.ClearKeyWords(); }), 1);
    QCOMPARE(callsAfter([&] { g.SetStringDelim(G::sdDoubleQuote); }), 0);
    QCOMPARE(callsAfter([&] { g.SetIdentifierChars(u"x"); }), 0);

    G fresh;
    fresh.HookAttriChange(this, [&calls] { ++calls; });
    // Six attribute values differ from the constructor's; the two switches always notify.
    QCOMPARE(callsAfter([&] { fresh.ApplyMainFormSettings(); }), 8);
    QCOMPARE(callsAfter([&] { fresh.ApplyMainFormSettings(); }), 2);
}

void TestGeneralHighlighter::standardAttri_data()
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

void TestGeneralHighlighter::standardAttri()
{
    QFETCH(int, index);
    QFETCH(QString, attribute);
    G g;
    const SynHighlighterAttributes *found = g.StandardAttri(index);
    QCOMPARE(found ? found->AttriName() : QString(), attribute);
}

void TestGeneralHighlighter::keyWordsSortedWithoutCaseTwins()
{
    G g;
    g.AddKeyWords({"while", "Echo", "ECHO", "array", "_x"});
    g.AddKeyWords({"Zed", "echo", "WHILE", "strlen()"});
    QCOMPARE(g.KeyWords(), QStringList({"_x", "array", "Echo", "strlen()", "while", "Zed"}));
    g.ClearKeyWords();
    QVERIFY(g.KeyWords().isEmpty());
    QVERIFY(!g.IsKeywordText(u"echo"));
    QCOMPARE(describe(scan(g, u"echo while")), describe({{"echo", Id}, {" ", Sp}, {"while", Id}}));
}

void TestGeneralHighlighter::setKeyWordsUpperCases()
{
    G g;
    g.AddKeyWords({"old"});
    const QStringList given = {"echo", "Print_r", "ECHO", "array"};
    g.SetKeyWords(given);
    QCOMPARE(g.KeyWords(), QStringList({"ARRAY", "ECHO", "PRINT_R"}));
    QCOMPARE(given, QStringList({"echo", "Print_r", "ECHO", "array"}));
    QVERIFY(!g.IsKeywordText(u"old"));
    QCOMPARE(describe(scan(g, u"echo print_R")), describe({{"echo", Key}, {" ", Sp}, {"print_R", Key}}));
}

void TestGeneralHighlighter::isKeywordText_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("keyword");
    // The word list holds "echo", "Print_R", "strlen()", "Straße" and "\u212Aelvin" (Kelvin sign).
    QTest::addRow("same case") << "echo" << true;
    QTest::addRow("upper case") << "ECHO" << true;
    QTest::addRow("mixed case") << "pRiNt_r" << true;
    QTest::addRow("longer") << "echos" << false;
    QTest::addRow("shorter") << "ech" << false;
    QTest::addRow("empty") << "" << false;
    QTest::addRow("entry with parentheses asked directly") << "STRLEN()" << true;
    QTest::addRow("without the parentheses") << "strlen" << false;
    QTest::addRow("non-ASCII letters") << QString::fromUtf8("STRAßE") << true;
    QTest::addRow("a folding letter matches its ASCII twin") << "KELVIN" << true;
    QTest::addRow("and the other way round") << QString(QChar(0x212A)) + "ELVIN" << true;
}

void TestGeneralHighlighter::isKeywordText()
{
    QFETCH(QString, word);
    QFETCH(bool, keyword);
    G g;
    g.AddKeyWords(TestWords + QStringList{QString::fromUtf8("Straße"), QString(QChar(0x212A)) + "elvin"});
    QCOMPARE(g.IsKeywordText(word), keyword);
}

// A list the size the main window gives, against a plain model of case-insensitive membership.
void TestGeneralHighlighter::largeWordList()
{
    QRandomGenerator random(1300);
    QStringList words;
    QSet<QString> model;
    for (int i = 0; i < 1500; ++i) {
        words.append(randomWord(random));
        model.insert(words.last().toLower());
    }
    G g;
    g.AddKeyWords(words);
    QCOMPARE(g.KeyWords().size(), model.size());
    QVERIFY(std::is_sorted(g.KeyWords().begin(), g.KeyWords().end(),
                           [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }));
    for (const QString &word : words) {
        QVERIFY2(g.IsKeywordText(word.toUpper()) && g.IsKeywordText(word.toLower()), qPrintable(word));
        g.BeginLine(word, 0);
        QCOMPARE(g.TokenKindId(), int(Key));
    }
    for (int i = 0; i < 5000; ++i) {
        const QString word = randomWord(random);
        QCOMPARE(g.IsKeywordText(word), model.contains(word.toLower()));
    }
}

void TestGeneralHighlighter::identifierChars()
{
    G g;
    QString all;
    for (char16_t c = 33; c <= 255; ++c)
        all += QChar(c);
    QCOMPARE(g.IdentifierChars(), all);
    QVERIFY(g.WordChars() == CharSet::range(33, 255));

    g.SetIdentifierChars(u"cba_c");
    QCOMPARE(g.IdentifierChars(), "_abc");
    QVERIFY(g.WordChars() == CharSet::of({'_', 'a', 'b', 'c'}));

    g.SetIdentifierChars(QString(QChar(0x4E00)));
    QCOMPARE(g.IdentifierChars(), QString(QChar(255)));
    QVERIFY(g.WordChars().contains(0x4E00));
    QVERIFY(!g.WordChars().contains(u'a'));
}

void TestGeneralHighlighter::identifierCharsDoNotLex()
{
    G g;
    g.SetIdentifierChars(u"$-");
    QCOMPARE(describe(scan(g, u"abc_1 $x a-b")),
             describe({{"abc_1", Id}, {" ", Sp}, {"$", Num}, {"x", Id}, {" ", Sp}, {"a", Id}, {"-", Oth}, {"b", Id}}));
}

void TestGeneralHighlighter::randomTextKeepsProtocol_data()
{
    QTest::addColumn<Setup>("setup");
    const Setup main;
    const std::pair<const char *, G::CommentStyles> styles[] = {
        {"no style", {}},
        {"ANSI", G::csAnsiStyle},
        {"Pascal", G::csPasStyle},
        {"C", G::csCStyle},
        {"assembler", G::csAsmStyle},
        {"Basic", G::csBasStyle},
        {"all", G::csAnsiStyle | G::csPasStyle | G::csCStyle | G::csAsmStyle | G::csBasStyle},
    };
    for (const auto &[name, comments] : styles) {
        QTest::addRow("%s", name) << main.styles(comments);
        QTest::addRow("%s, preprocessor, single quote", name) << main.styles(comments).withPreprocessor().singleQuote();
    }
}

void TestGeneralHighlighter::randomTextKeepsProtocol()
{
    QFETCH(Setup, setup);
    QRandomGenerator random(20240611u + static_cast<quint32>(setup.comments.toInt()) * 2 + setup.preprocessor);
    for (int text = 0; text < 20; ++text) {
        const QString error = checkText(setup, randomLines(random, 20));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
}

void TestGeneralHighlighter::longLinesKeepProtocol_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("tokens"); // how many tokens the line makes, line end left out
    const QString x(100000, u'x');
    QTest::addRow("one word") << x << 1;
    QTest::addRow("unterminated comment") << "/*" + x << 1;
    QTest::addRow("unterminated string") << "\"" + x << 1;
    QTest::addRow("blanks") << QString(100000, u' ') << 1;
    QTest::addRow("preprocessor line") << "#" + x << 1;
    QTest::addRow("other characters") << QString(100000, u'@') << 100000;
    QString mixed;
    QRandomGenerator random(7);
    while (mixed.size() < 100000)
        mixed += randomFragment(random);
    mixed.remove(QChar(0));
    QTest::addRow("random fragments") << mixed << -1;
}

void TestGeneralHighlighter::longLinesKeepProtocol()
{
    QFETCH(QString, line);
    QFETCH(int, tokens);
    const Setup all = Setup().styles(G::csAnsiStyle | G::csPasStyle | G::csCStyle | G::csBasStyle).withPreprocessor();
    const QString error = checkText(all, {line, line});
    QVERIFY2(error.isEmpty(), qPrintable(error));
    if (tokens >= 0) {
        G g;
        configure(g, all);
        QCOMPARE(scan(g, line).size(), tokens);
    }
}

QTEST_GUILESS_MAIN(TestGeneralHighlighter)
#include "tst_general_highlighter.moc"
