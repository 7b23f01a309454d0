// The style-sheet highlighter: its tokens line by line, the comment state it carries between
// lines, its keywords, its attributes, and the protocol on hostile text.
#include "SynHighlighterCss.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

using K = SynCssSyn::TokenKind;
constexpr K Com = K::Comment, Id = K::Identifier, Key = K::Key, Num = K::Number, Sp = K::Space, Str = K::String,
            Sym = K::Symbol, Oth = K::Unknown;

struct Tok {
    QString text;
    K kind;
};
using Toks = QList<Tok>;
using Ranges = QList<SynRangeState>;

QString kindName(int kind)
{
    static const char *const names[] = {"Comment", "Identifier", "Key",    "Null",   "Number",
                                        "Space",   "String",     "Symbol", "Unknown"};
    return kind >= 0 && kind < 9 ? QString::fromLatin1(names[kind]) : QStringLiteral("kind%1").arg(kind);
}

QString describe(const QString &text, int kind)
{
    return kindName(kind) + u'"' + text + u'"';
}

QStringList describe(const Toks &tokens)
{
    QStringList out;
    for (const Tok &token : tokens)
        out.append(describe(token.text, static_cast<int>(token.kind)));
    return out;
}

Toks others(const QString &chars)
{
    Toks out;
    for (QChar c : chars)
        out.append({QString(c), Oth});
    return out;
}

// One line's tokens as "start:kind:text" and the range after it; the first protocol fault found
// goes to fault, and the scan stops there.
struct LineScan {
    QStringList tokens;
    SynRangeState range = 0;
    QString fault;
};

LineScan scanChecked(SynCssSyn &css, const QString &line, int index)
{
    LineScan scan;
    const qsizetype nul = line.indexOf(QChar(0));
    const qsizetype end = nul < 0 ? line.size() : nul;
    qsizetype next = 0;
    css.BeginLine(line, index);
    // Every token but the last holds a character, so a line has at most end + 1 of them.
    for (qsizetype n = 0; !css.AtLineEnd(); ++n) {
        const QStringView text = css.TokenText();
        const int kind = css.TokenKindId();
        if (n >= end || css.TokenStart() != next || text.isEmpty() || next + text.size() > end || kind < 0 || kind > 8
            || kind == 3) {
            scan.fault = QStringLiteral("line %1, token %2 at %3 (expected %4): %5")
                             .arg(index)
                             .arg(n)
                             .arg(css.TokenStart())
                             .arg(next)
                             .arg(describe(text.toString(), kind));
            return scan;
        }
        scan.tokens.append(QStringLiteral("%1:%2:%3").arg(next).arg(kind).arg(text));
        next += text.size();
        css.Advance();
    }
    const bool eolSound =
        css.TokenStart() == end && css.TokenText().isEmpty() && !css.TokenAttri() && css.TokenKindId() == int(K::Null);
    scan.range = css.RangeState();
    css.Advance(); // stays at the end of the line
    if (!eolSound || next != end || !css.AtLineEnd() || css.TokenStart() != end || css.RangeState() != scan.range)
        scan.fault =
            QStringLiteral("line %1: tokens end at %2 of %3, end-of-line token unsound").arg(index).arg(next).arg(end);
    return scan;
}

// Scans the lines as the editor does first (one pass from the cleared state), then each line
// again alone from its stored state, as painting does; both must agree.
QString checkLines(const QStringList &lines)
{
    SynCssSyn whole;
    whole.ClearRange();
    QList<SynRangeState> starts;
    QList<LineScan> scans;
    for (int i = 0; i < lines.size(); ++i) {
        starts.append(whole.RangeState());
        scans.append(scanChecked(whole, lines[i], i));
        if (!scans.last().fault.isEmpty())
            return scans.last().fault;
    }
    SynCssSyn alone;
    for (int i = lines.size() - 1; i >= 0; --i) {
        alone.RestoreRange(starts[i]);
        const LineScan again = scanChecked(alone, lines[i], i);
        if (!again.fault.isEmpty())
            return again.fault;
        if (again.tokens != scans[i].tokens || again.range != scans[i].range)
            return QStringLiteral("line %1 scanned alone differs: %2 / %3")
                .arg(i)
                .arg(again.tokens.join(u' '), scans[i].tokens.join(u' '));
    }
    return {};
}

constexpr char16_t KeywordList[] =
    u"ascent azimuth b-box background background-attachment background-color background-image "
    u"background-position background-position-x background-position-y baseline behavior border border-bottom "
    u"border-bottom-color border-bottom-style border-bottom-width border-collapse border-color border-left "
    u"border-left-color border-left-style border-left-width border-right border-right-color border-right-style "
    u"border-right-width border-spacing border-style border-top border-top-color border-top-style "
    u"border-top-width border-width bottom cap-height caption-side centerline clear clip cm color content "
    u"counter counter-increment counter-reset cue cue-after cue-before cursor definition-src deg descent "
    u"direction display elevation em empty-cells ex filter float font font-family font-size font-size-adjust "
    u"font-stretch font-style font-variant font-weight grad height Hz ime-mode in kHz layout-grid "
    u"layout-grid-line layout-grid-mode layout-grid-type left letter-spacing line-break line-height list-style "
    u"list-style-image list-style-position list-style-type margin margin-bottom margin-left margin-right "
    u"margin-top marker-offset marks mathline max-height max-width min-height min-width mm ms orphans outline "
    u"outline-color outline-style outline-width overflow overflow-x overflow-y padding padding-bottom "
    u"padding-left padding-right padding-top page page-break-after page-break-before page-break-inside "
    u"panose-1 pause pause-after pause-before pc pitch pitch-range play-during position pt px quotes rad "
    u"richness right ruby-align ruby-overhang ruby-position run-in s scrollbar-3d-light-color "
    u"scrollbar-arrow-color scrollbar-base-color scrollbar-dark-shadow-color scrollbar-face-color "
    u"scrollbar-highlight-color scrollbar-shadow-color size slope speak speak-header speak-numeral "
    u"speak-punctuation speech-rate src stemh stemv stress table-layout text-align text-autospace "
    u"text-decoration text-indent text-justify text-kashida-space text-shadow text-transform "
    u"text-underline-position top top-line unicode-bidi unicode-range units-per-em vertical-align visibility "
    u"voice-family volume white-space widows width widths word-break word-spacing word-wrap writing-mode "
    u"x-height z-index zoom";

} // namespace

Q_DECLARE_METATYPE(Toks)

class TestCssHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void everyKeyword();
    void words_data();
    void words();
    void emptyLineKeepsRange_data();
    void emptyLineKeepsRange();
    void restoreRange_data();
    void restoreRange();
    void tokenAttributes_data();
    void tokenAttributes();
    void attributes_data();
    void attributes();
    void defaultFilterAndTitle();
    void mainFormSettingsKeepAttributes();
    void standardAttri_data();
    void standardAttri();
    void wordChars();
    void noKeywordText();
    void demoSource();
    void longLines_data();
    void longLines();
    void randomLines();
};

void TestCssHighlighter::tokens_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Toks>("expected"); // the tokens of all lines, end-of-line tokens left out
    QTest::addColumn<Ranges>("ranges"); // the range state after each line

    QTest::addRow("property, keyword in any case")
        << QStringList{"font-size FONT-SIZE font-sizes"}
        << Toks{{"font-size", Key}, {" ", Sp}, {"FONT-SIZE", Key}, {" ", Sp}, {"font-sizes", Id}} << Ranges{0};
    QTest::addRow("declaration") << QStringList{"color:red;colour:1"}
                                 << Toks{{"color", Key}, {":", Oth}, {"red", Id}, {";", Oth},
                                         {"colour", Id}, {":", Oth}, {"1", Num}}
                                 << Ranges{0};
    QTest::addRow("units after numbers") << QStringList{"12px 1.5em 2ex 1e3"}
                                         << Toks{{"12", Num}, {"px", Key}, {" ", Sp},   {"1.5", Num}, {"em", Key},
                                                 {" ", Sp},   {"2", Num},  {"ex", Key}, {" ", Sp},    {"1e3", Num}}
                                         << Ranges{0};
    QTest::addRow("upper-case E never stops a number")
        << QStringList{"1Ex 1Em 2e-1"} << Toks{{"1E", Num}, {"x", Id},   {" ", Sp}, {"1E", Num}, {"m", Id},
                                               {" ", Sp},   {"2e", Num}, {"-", Id}, {"1", Num}}
        << Ranges{0};
    QTest::addRow("number stops before ..")
        << QStringList{"1..5 3."} << Toks{{"1", Num}, {".", Oth}, {".", Oth}, {"5", Num}, {" ", Sp}, {"3.", Num}}
        << Ranges{0};
    QTest::addRow("hex colours") << QStringList{"#FF00cc # #fg $1a"}
                                 << Toks{{"#FF00cc", Num}, {" ", Sp}, {"#", Num}, {" ", Sp},
                                         {"#f", Num},      {"g", Id}, {" ", Sp},  {"$1a", Num}}
                                 << Ranges{0};
    QTest::addRow("minus after a space") << QStringList{" -5px a -.5em"}
                                         << Toks{{" ", Sp}, {"-", Num}, {"5", Num},  {"px", Key}, {" ", Sp},
                                                 {"a", Id}, {" ", Sp},  {"-.", Num}, {"5", Num},  {"em", Key}}
                                         << Ranges{0};
    QTest::addRow("minus after a space before a letter")
        << QStringList{"a -moz-x"} << Toks{{"a", Id}, {" ", Sp}, {"-", Num}, {"moz-x", Id}} << Ranges{0};
    QTest::addRow("minus alone after a space")
        << QStringList{"a - -. -.; -"} << Toks{{"a", Id}, {" ", Sp}, {"-", Id},  {" ", Sp},  {"-", Id}, {".", Oth},
                                               {" ", Sp}, {"-", Id}, {".", Oth}, {";", Oth}, {" ", Sp}, {"-", Id}}
        << Ranges{0};
    QTest::addRow("minus first or after another character")
        << QStringList{"-5 :-5 \t-a"}
        << Toks{{"-", Id}, {"5", Num}, {" ", Sp}, {":", Oth}, {"-", Id}, {"5", Num}, {" \t", Sp}, {"-", Id}, {"a", Id}}
        << Ranges{0};
    QTest::addRow("minus inside a word belongs to it")
        << QStringList{"z-index b-c a-"} << Toks{{"z-index", Key}, {" ", Sp}, {"b-c", Id}, {" ", Sp}, {"a-", Id}}
        << Ranges{0};
    QTest::addRow("braces with digits") << QStringList{"body {", "{12 }3a"}
                                        << Toks{{"body", Id}, {" ", Sp},   {"{", Str}, {"{12", Str},
                                                {" ", Sp},    {"}3", Str}, {"a", Id}}
                                        << Ranges{0, 0};
    QTest::addRow("brackets are symbols")
        << QStringList{"url(x)"} << Toks{{"url", Id}, {"(", Sym}, {"x", Id}, {")", Sym}} << Ranges{0};
    QTest::addRow("double-quoted name is no string")
        << QStringList{"\"Times New\""} << Toks{{"\"", Oth}, {"Times", Id}, {" ", Sp}, {"New", Id}, {"\"", Oth}}
        << Ranges{0};
    QTest::addRow("single-quoted strings")
        << QStringList{"'a b' '' x'\\'y"}
        << Toks{{"'a b'", Str}, {" ", Sp}, {"''", Str}, {" ", Sp}, {"x", Id}, {"'\\'", Str}, {"y", Id}} << Ranges{0};
    QTest::addRow("three quotes open a string")
        << QStringList{"'''x' ''''"} << Toks{{"'''x'", Str}, {" ", Sp}, {"''''", Str}} << Ranges{0};
    QTest::addRow("unclosed string ends with its line")
        << QStringList{"'abc", "def'"} << Toks{{"'abc", Str}, {"def", Id}, {"'", Str}} << Ranges{0, 0};
    QTest::addRow("unclosed string leaves the line break a blank")
        << QStringList{"'ab\r\nc"} << Toks{{"'ab", Str}, {"\r\n", Sp}, {"c", Id}} << Ranges{0};
    QTest::addRow("three quotes at the end") << QStringList{"'''"} << Toks{{"'''", Str}} << Ranges{0};
    QTest::addRow("block comment across lines")
        << QStringList{"/* start", "", "end */ p"} << Toks{{"/* start", Com}, {"end */", Com}, {" ", Sp}, {"p", Id}}
        << Ranges{1, 1, 0};
    QTest::addRow("/*/ stays open") << QStringList{"/*/ x"} << Toks{{"/*/ x", Com}} << Ranges{1};
    QTest::addRow("/* alone stays open") << QStringList{"a/*"} << Toks{{"a", Id}, {"/*", Com}} << Ranges{1};
    QTest::addRow("comment closed on its line")
        << QStringList{"/**/x/* y */"} << Toks{{"/**/", Com}, {"x", Id}, {"/* y */", Com}} << Ranges{0};
    QTest::addRow("slash alone") << QStringList{"a/b"} << Toks{{"a", Id}, {"/", Sym}, {"b", Id}} << Ranges{0};
    QTest::addRow("line breaks inside an open comment")
        << QStringList{"/* a\r\nb\rc */d"}
        << Toks{{"/* a", Com}, {"\r\n", Sp}, {"b", Com}, {"\r", Sp}, {"c */", Com}, {"d", Id}} << Ranges{0};
    QTest::addRow("continued comment starting with a line break")
        << QStringList{"/*", "\nx */"} << Toks{{"/*", Com}, {"\n", Sp}, {"x */", Com}} << Ranges{1, 0};
    QTest::addRow("blanks and line breaks")
        << QStringList{"\t \x01x\r\n\n\ry\x0b\x0c"}
        << Toks{{"\t \x01", Sp}, {"x", Id}, {"\r\n", Sp}, {"\n", Sp}, {"\r", Sp}, {"y", Id}, {"\x0b\x0c", Sp}}
        << Ranges{0};
    QTest::addRow("punctuation and high characters are other characters")
        << QStringList{QString::fromUtf8(":;,.*!%@\x7f\xc3\xa9\xe2\x82\xac")}
        << others(QString::fromUtf8(":;,.*!%@\x7f\xc3\xa9\xe2\x82\xac")) << Ranges{0};
    QTest::addRow("surrogate pair is one character, a lone one too")
        << QStringList{QString::fromUtf8("a\xf0\x9f\x98\x80") + QChar(0xDC00) + QChar(0xD800)}
        << Toks{{"a", Id},
                {QString::fromUtf8("\xf0\x9f\x98\x80"), Oth},
                {QString(QChar(0xDC00)), Oth},
                {QString(QChar(0xD800)), Oth}}
        << Ranges{0};
    QTest::addRow("letters above 127 end a word")
        << QStringList{QString::fromUtf8("col\xc3\xa9or")}
        << Toks{{"col", Id}, {QString::fromUtf8("\xc3\xa9"), Oth}, {"or", Id}} << Ranges{0};
    QTest::addRow("NUL ends the line") << QStringList{QStringLiteral("a").append(QChar(0)).append(u"b")}
                                       << Toks{{"a", Id}} << Ranges{0};
    QTest::addRow("NUL ends an open comment") << QStringList{"/*", QStringLiteral("x").append(QChar(0)).append(u"*/")}
                                              << Toks{{"/*", Com}, {"x", Com}} << Ranges{1, 1};
    QTest::addRow("NUL ends a string") << QStringList{QStringLiteral("'a").append(QChar(0)).append(u"'")}
                                       << Toks{{"'a", Str}} << Ranges{0};
}

void TestCssHighlighter::tokens()
{
    QFETCH(QStringList, lines);
    QFETCH(Toks, expected);
    QFETCH(Ranges, ranges);
    SynCssSyn css;
    css.ClearRange();
    QStringList actual;
    Ranges actualRanges;
    for (int i = 0; i < lines.size(); ++i) {
        css.BeginLine(lines[i], i);
        for (int n = 0; !css.AtLineEnd() && n < 1000; ++n) {
            actual.append(describe(css.TokenText().toString(), css.TokenKindId()));
            css.Advance();
        }
        QVERIFY(css.AtLineEnd());
        QVERIFY(css.TokenText().isEmpty());
        actualRanges.append(css.RangeState());
    }
    QCOMPARE(actual.join(u' '), describe(expected).join(u' '));
    QCOMPARE(actualRanges, ranges);
}

void TestCssHighlighter::everyKeyword()
{
    const QStringList keywords = QString::fromUtf16(KeywordList).split(u' ');
    QCOMPARE(keywords.size(), 186);
    QCOMPARE(QSet<QString>(keywords.begin(), keywords.end()).size(), 186);
    SynCssSyn css;
    // No keyword ends in "-", so one appended always makes an identifier of the whole word.
    for (const QString &keyword : keywords) {
        for (const QString &word : {keyword.toLower(), keyword.toUpper(), keyword + u'-'}) {
            css.BeginLine(word, 0);
            QCOMPARE(css.TokenText().toString(), word);
            QCOMPARE(static_cast<K>(css.TokenKindId()), word.endsWith(u'-') ? Id : Key);
        }
    }
}

void TestCssHighlighter::words_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("kind");
    QTest::addRow("digits match each other") << "panose-7" << int(Key);
    QTest::addRow("digit inside a keyword") << "scrollbar-0d-light-color" << int(Key);
    QTest::addRow("same slot as color") << "z-index" << int(Key);
    QTest::addRow("shares a slot, other letters") << "colro" << int(Id);
    QTest::addRow("digit is no letter, same hash as cm") << "p0" << int(Id);
    QTest::addRow("negative hash") << "b-c" << int(Id);
    QTest::addRow("dashes only after a letter") << "a----------" << int(Id);
    QTest::addRow("hash 255") << "zzzzzzzzzu" << int(Id);
    QTest::addRow("hash far beyond the table") << QString(300, u'z') << int(Id);
    QTest::addRow("one-letter unit") << "S" << int(Key);
    QTest::addRow("one letter") << "t" << int(Id);
}

void TestCssHighlighter::words()
{
    QFETCH(QString, word);
    QFETCH(int, kind);
    SynCssSyn css;
    css.BeginLine(word, 0);
    QCOMPARE(css.TokenText().toString(), word);
    QCOMPARE(css.TokenKindId(), kind);
    css.Advance();
    QVERIFY(css.AtLineEnd());
}

void TestCssHighlighter::emptyLineKeepsRange_data()
{
    QTest::addColumn<SynRangeState>("range");
    QTest::addRow("normal") << SynCssSyn::rsNormal;
    QTest::addRow("block comment") << SynCssSyn::rsComment;
}

void TestCssHighlighter::emptyLineKeepsRange()
{
    QFETCH(SynRangeState, range);
    SynCssSyn css;
    css.RestoreRange(range);
    css.BeginLine(u"", 0);
    QVERIFY(css.AtLineEnd());
    QCOMPARE(css.TokenKindId(), 3);
    QCOMPARE(css.TokenStart(), 0);
    QCOMPARE(css.TokenAttri(), nullptr);
    QCOMPARE(css.RangeState(), range);
}

void TestCssHighlighter::restoreRange_data()
{
    QTest::addColumn<SynRangeState>("given");
    QTest::addColumn<SynRangeState>("kept");
    QTest::addRow("normal") << SynRangeState(0) << SynCssSyn::rsNormal;
    QTest::addRow("comment") << SynRangeState(1) << SynCssSyn::rsComment;
    QTest::addRow("comment in the low byte") << SynRangeState(0x301) << SynCssSyn::rsComment;
    QTest::addRow("normal in the low byte") << SynRangeState(0x100) << SynCssSyn::rsNormal;
    QTest::addRow("not ours") << SynRangeState(7) << SynCssSyn::rsNormal;
}

void TestCssHighlighter::restoreRange()
{
    QFETCH(SynRangeState, given);
    QFETCH(SynRangeState, kept);
    SynCssSyn css;
    css.RestoreRange(given);
    QCOMPARE(css.RangeState(), kept);
    css.BeginLine(u"x", 0);
    QCOMPARE(static_cast<K>(css.TokenKindId()), kept == SynCssSyn::rsComment ? Com : Id);
    css.ClearRange();
    QCOMPARE(css.RangeState(), SynCssSyn::rsNormal);
}

void TestCssHighlighter::tokenAttributes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << "/* c */" << 0 << "Comment";
    QTest::addRow("identifier") << "x" << 1 << "Identifier";
    QTest::addRow("keyword") << "color" << 2 << "Key";
    QTest::addRow("number") << "1" << 4 << "Number";
    QTest::addRow("blank") << " " << 5 << "Space";
    QTest::addRow("string") << "'s'" << 6 << "String";
    QTest::addRow("brace") << "}" << 6 << "String";
    QTest::addRow("symbol") << "(" << 7 << "Symbol";
    QTest::addRow("other character") << ":" << 8 << "Identifier";
}

void TestCssHighlighter::tokenAttributes()
{
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(QString, attribute);
    SynCssSyn css;
    css.BeginLine(line, 0);
    QCOMPARE(css.TokenKindId(), kind);
    QVERIFY(css.TokenAttri());
    QCOMPARE(css.TokenAttri()->AttriName(), attribute);
}

void TestCssHighlighter::attributes_data()
{
    QTest::addColumn<int>("index"); // attributes are listed by name
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::addRow("Comment") << 0 << "Comment" << int(fsItalic);
    QTest::addRow("Identifier") << 1 << "Identifier" << 0;
    QTest::addRow("Key") << 2 << "Key" << int(fsBold);
    QTest::addRow("Number") << 3 << "Number" << 0;
    QTest::addRow("Space") << 4 << "Space" << 0;
    QTest::addRow("String") << 5 << "String" << 0;
    QTest::addRow("Symbol") << 6 << "Symbol" << 0;
}

void TestCssHighlighter::attributes()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, style);
    SynCssSyn css;
    QCOMPARE(css.AttriCount(), 7);
    const SynHighlighterAttributes *attribute = css.AttriAt(index);
    QVERIFY(attribute);
    QCOMPARE(attribute->AttriName(), name);
    QCOMPARE(attribute->Foreground(), clNone);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), style);
    const SynHighlighterAttributes *published[] = {css.CommentAttri(), css.IdentifierAttri(), css.KeyAttri(),
                                                   css.NumberAttri(),  css.SpaceAttri(),      css.StringAttri(),
                                                   css.SymbolAttri()};
    QCOMPARE(published[index], attribute);
}

void TestCssHighlighter::defaultFilterAndTitle()
{
    SynCssSyn css;
    const QString filter = QStringLiteral("Cascading Stylesheets (*.css)|*.css");
    QCOMPARE(css.DefaultFilter(), filter);
    css.SetDefaultFilter(QStringLiteral("x|*.x"));
    css.ApplyMainFormSettings();
    QCOMPARE(css.DefaultFilter(), filter);
    QCOMPARE(css.LanguageTitle(), "Cascading style sheets");
}

void TestCssHighlighter::mainFormSettingsKeepAttributes()
{
    SynCssSyn css;
    int calls = 0;
    css.HookAttriChange(this, [&calls] { ++calls; });
    css.ApplyMainFormSettings();
    QCOMPARE(calls, 0);
    css.KeyAttri()->SetForeground(0x0000FF); // the hook is live, so the zero above means something
    QCOMPARE(calls, 1);
    css.UnhookAttriChange(this);
}

void TestCssHighlighter::standardAttri_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << 0 << "Comment";
    QTest::addRow("identifier") << 1 << "Identifier";
    QTest::addRow("keyword") << 2 << "Key";
    QTest::addRow("string") << 3 << "String";
    QTest::addRow("whitespace") << 4 << "Space";
    QTest::addRow("symbol") << 5 << "Symbol";
    QTest::addRow("below") << -1 << QString();
    QTest::addRow("beyond") << 6 << QString();
}

void TestCssHighlighter::standardAttri()
{
    QFETCH(int, index);
    QFETCH(QString, attribute);
    SynCssSyn css;
    const SynHighlighterAttributes *found = css.StandardAttri(index);
    QCOMPARE(found ? found->AttriName() : QString(), attribute);
}

void TestCssHighlighter::wordChars()
{
    SynCssSyn css;
    const CharSet chars = css.WordChars();
    QCOMPARE(chars.count(), 10 + 26 + 1 + 26 + 64 - 2);
    for (char16_t c : {u'0', u'9', u'A', u'Z', u'_', u'a', u'z', char16_t(192), char16_t(255), char16_t(0x4E00)})
        QVERIFY2(chars.contains(c), qPrintable(QString::number(c)));
    for (char16_t c : {u'-', u'#', u'@', u'`', u'{', char16_t(191), char16_t(215), char16_t(247)})
        QVERIFY2(!chars.contains(c), qPrintable(QString::number(c)));
}

void TestCssHighlighter::noKeywordText()
{
    SynCssSyn css;
    QVERIFY(!css.IsKeywordText(u"color"));
    QVERIFY(!css.IsKeywordText(u"x"));
}

void TestCssHighlighter::demoSource()
{
    SynCssSyn css;
    const QStringList lines = css.DemoSource().split(u'\n');
    QVERIFY(lines.size() > 3);
    QSet<int> kinds;
    for (int i = 0; i < lines.size(); ++i) {
        css.BeginLine(lines[i], i);
        for (; !css.AtLineEnd(); css.Advance())
            kinds.insert(css.TokenKindId());
    }
    QCOMPARE(css.RangeState(), SynCssSyn::rsNormal);
    for (K kind : {Com, Id, Key, Num, Sp, Str, Oth})
        QVERIFY2(kinds.contains(int(kind)), qPrintable(kindName(int(kind))));
    QCOMPARE(checkLines(lines), QString());
}

void TestCssHighlighter::longLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("tokens"); // without the end-of-line token
    QTest::addColumn<SynRangeState>("range");
    constexpr int n = 100000;
    QTest::addRow("unclosed comment") << "/*" + QString(n, u'x') << 1 << SynCssSyn::rsComment;
    QTest::addRow("comment closed at the end") << "/*" + QString(n, u'*') + u'/' << 1 << SynCssSyn::rsNormal;
    QTest::addRow("unclosed string") << u'\'' + QString(n, u'a') << 1 << SynCssSyn::rsNormal;
    QTest::addRow("one word") << QString(n, u'z') << 1 << SynCssSyn::rsNormal;
    QTest::addRow("one dashed word") << u'a' + QString(n, u'-') << 1 << SynCssSyn::rsNormal;
    QTest::addRow("one number") << QString(n, u'9') << 1 << SynCssSyn::rsNormal;
    QTest::addRow("one blank") << QString(n, u' ') << 1 << SynCssSyn::rsNormal;
    QTest::addRow("dashes") << QString(n, u'-') << n << SynCssSyn::rsNormal;
    QTest::addRow("lone surrogates") << QString(n, QChar(0xD800)) << n << SynCssSyn::rsNormal;
}

void TestCssHighlighter::longLines()
{
    QFETCH(QString, line);
    QFETCH(int, tokens);
    QFETCH(SynRangeState, range);
    SynCssSyn css;
    const LineScan scan = scanChecked(css, line, 0);
    QCOMPARE(scan.fault, QString());
    QCOMPARE(scan.tokens.size(), tokens);
    QCOMPARE(scan.range, range);
}

// Short lines of random characters and CSS fragments: the protocol holds and each line scanned
// alone from its stored state gives what the whole scan gave.
void TestCssHighlighter::randomLines()
{
    static const QStringList fragments = {
        "/*",
        "*/",
        "*",
        "/",
        "'",
        "''",
        "'''",
        "{",
        "}",
        "{12",
        "(",
        ")",
        " ",
        "\t",
        "-",
        " -",
        "-.",
        " -.",
        ".",
        "..",
        "#",
        "#fF0",
        "$",
        "1",
        "1.5",
        "e",
        "em",
        "ex",
        "1e",
        "E",
        "color",
        "FONT-SIZE",
        "z-index",
        "b-c",
        "px",
        ":",
        ";",
        "\"",
        "\r",
        "\n",
        "\r\n",
        QString(QChar(0)),
        QString(QChar(0xD800)),
        QString(QChar(0xDC00)),
        QString::fromUtf8("\xf0\x9f\x98\x80"),
        QString::fromUtf8("\xc3\xa9"),
        QString(QChar(0xFFFF)),
        QString(QChar(0x00FF)),
        QString(QChar(0x7F)),
        QString(QChar(0x01)),
    };
    QRandomGenerator random(20240611);
    QStringList lines;
    for (int i = 0; i < 4000; ++i) {
        QString line;
        const int parts = int(random.bounded(12));
        for (int p = 0; p < parts; ++p) {
            if (random.bounded(3) == 0)
                line += QChar(char16_t(random.bounded(0x10000)));
            else
                line += fragments[random.bounded(int(fragments.size()))];
        }
        lines.append(line);
    }
    QCOMPARE(checkLines(lines), QString());
}

QTEST_GUILESS_MAIN(TestCssHighlighter)
#include "tst_css_highlighter.moc"
