// The JavaScript highlighter: its tokens line by line, the block comment it carries between lines,
// its keyword classes, its attributes, and the token protocol on random text.
#include "SynHighlighterJScript.h"

#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

namespace {

using K = SynJScriptSyn::TokenKind;
constexpr K Com = K::Comment, Id = K::Identifier, Key = K::Key, Num = K::Number, Sp = K::Space, Str = K::String,
            Sym = K::Symbol, Oth = K::Unknown, Nrk = K::NonReservedKey, Ev = K::Event;

struct Tok {
    QString text;
    K kind;
};
using Toks = QList<Tok>;
using Ranges = QList<SynRangeState>;

QString kindName(int kind)
{
    static const char *const names[] = {"Comment", "Identifier", "Key",     "Null",           "Number", "Space",
                                        "String",  "Symbol",     "Unknown", "NonReservedKey", "Event"};
    return kind >= 0 && kind < 11 ? QString::fromLatin1(names[kind]) : QStringLiteral("?%1").arg(kind);
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

Toks symbols(const QStringList &texts)
{
    Toks out;
    for (const QString &text : texts)
        out.append({text, Sym});
    return out;
}

QString withNul(const QString &before, const QString &after)
{
    return QString(before).append(QChar(0)).append(after);
}

// The reserved words, event names and object-model names, written out apart from the lexer's
// own tables so that a word lost or misfiled there shows.
const QStringList ReservedWords = QStringLiteral(
    "abstract boolean break byte callee case catch char class const constructor continue debugger default "
    "delete do double else enum export extends false final finally float for function goto if implements "
    "import in instanceof int interface long NaN native new null package private protected prototype public "
    "return short start static super switch synchronized this throw throws transient true try typeof var void "
    "while with").split(u' ');

const QStringList EventNames = QStringLiteral(
    "onAbort onBlur onChange onClick onDblClick onError onFocus onKeyDown onKeyPress onKeyUp onLoad onMouseDown "
    "onMouseMove onMouseOut onMouseOver onMouseUp onReset onSelect onSubmit onUnload").split(u' ');

const QStringList NonReservedWords = QStringLiteral(
    "abs acos action alert align alinkColor All all Anchor anchor anchors appCodeName Applet applets appName "
    "appVersion Area Arguments arguments Array asin atan atan2 back background bgColor big blink blur body bold "
    "Boolean border bottom Button call caller captureEvents ceil charAt charCodeAt Checkbox checked clear "
    "clearInterval clearTimeout click close closed color complete concat confirm cookie cos current Date "
    "defaultChecked defaultSelected defaultStatus defaultValue description display document domain E elements "
    "Embed embeds enabledPlugin encoding escape eval event exp fgColor filename FileUpload find fixed Float "
    "floor focus fontcolor fontsize Form form forms forward Frame frames fromCharCode Function getDate getDay "
    "getElementById getFullYear getHours getMilliseconds getMinutes getMonth getSeconds getTime "
    "getTimezoneOffset getUTCDate getUTCDay getUTCFullYear getUTCHours getUTCMilliseconds getUTCMinutes "
    "getUTCMonth getUTCSeconds getYear Global go handleEvent hash height Hidden History history home host "
    "hostname href hspace Image images index indexOf Infinity innerHeight innerWidth input isFinite isNaN "
    "italics java javaEnabled join lastIndexOf lastModified Layer layers left length Link link linkColor links "
    "LN10 LN2 Location location locationbar log LOG10E LOG2E logon lowsrc match Math max MAX_VALUE menubar "
    "method MimeType mimeTypes min MIN_VALUE moveBy moveTo name Navigator navigator NEGATIVE_INFINITY netscape "
    "next Null Number Object open opener Option options outerHeight outerWidth Packages pageX pageXOffset pageY "
    "pageYOffset parent parse parseFloat parseInt Password pathname personalbar PI platform Plugin plugins port "
    "POSITIVE_INFINITY pow previous print prompt protocol Radio random referrer refresh RegExp releaseEvents "
    "reload replace Reset reset resizeBy resizeTo reverse right round routeEvent screen scroll scrollbars "
    "scrollBy scrollTo search Select select selected selectedIndex self setDate setFullYear setHours "
    "setInterval setMilliseconds setMinutes setMonth setSeconds setTime setTimeout setUTCDate setUTCFullYear "
    "setUTCHours setUTCMilliseconds setUTCMinutes setUTCMonth setUTCSeconds setYear sin slice small sort split "
    "sqrt SQRT1_2 SQRT2 src status statusbar stop strike String style sub Submit submit substr substring "
    "suffixes sup tags taint taintEnabled tan target Text text Textarea title toGMTString toLocaleString "
    "toLowerCase toolbar top toSource toString toUpperCase toUTCString type Undefined undefined unescape "
    "untaint unwatch URL userAgent UTC value valueOf visibility vlinkColor vspace watch width Window window "
    "write writeln zIndex").split(u' ');

struct ScannedToken {
    int start;
    QString text;
    int kind;
    bool operator==(const ScannedToken &) const = default;
};

struct ScannedLine {
    QList<ScannedToken> tokens; // the end-of-line token left out
    int endStart = -1; // where the end-of-line token stands
    bool ended = false; // the end-of-line token came within the line's length
    SynRangeState rangeAfter = 0;
};

// Scans one line from the highlighter's current range. A token that does not move on makes the
// loop stop after more tokens than the line has characters, so an endless scan shows as a failure.
ScannedLine scanLine(SynJScriptSyn &js, QStringView line)
{
    ScannedLine out;
    js.BeginLine(line, 0);
    for (qsizetype n = 0; !js.AtLineEnd() && n <= line.size(); ++n) {
        out.tokens.append({js.TokenStart(), js.TokenText().toString(), js.TokenKindId()});
        js.Advance();
    }
    out.ended = js.AtLineEnd();
    out.endStart = js.TokenStart();
    out.rangeAfter = js.RangeState();
    return out;
}

ScannedLine scanAlone(QStringView line, SynRangeState before)
{
    SynJScriptSyn js;
    js.RestoreRange(before);
    return scanLine(js, line);
}

// Where the line ends for the lexer: at its first NUL.
qsizetype scannedLength(const QString &line)
{
    const qsizetype nul = line.indexOf(QChar(0));
    return nul < 0 ? line.size() : nul;
}

QString checkProtocol(const QString &line, const ScannedLine &scanned)
{
    if (!scanned.ended)
        return QStringLiteral("no end-of-line token");
    int expectedStart = 0;
    for (const ScannedToken &token : scanned.tokens) {
        if (token.start != expectedStart || token.text.isEmpty())
            return QStringLiteral("token %1 at %2, expected a non-empty one at %3")
                .arg(describe(token.text, token.kind))
                .arg(token.start)
                .arg(expectedStart);
        if (token.text != line.mid(token.start, token.text.size()))
            return QStringLiteral("token %1 is not the line's text").arg(describe(token.text, token.kind));
        expectedStart += static_cast<int>(token.text.size());
    }
    if (scanned.endStart != expectedStart || expectedStart != scannedLength(line))
        return QStringLiteral("end of line at %1, tokens end at %2, line at %3")
            .arg(scanned.endStart)
            .arg(expectedStart)
            .arg(scannedLength(line));
    return {};
}

QString randomLine(QRandomGenerator &random)
{
    static const QStringList fragments = {
        "/*",     "*/",     "//",      "'",       "\"",     "\\",      "\\'",    "''",     "'''",    "0x",
        "0xG",    "1.5",    "..",      "...",     "1e5",    "if",      "If",     "NaN",    "onClick", "document",
        "POSITIVE_INFINITY", "atan2",  "$el",     "@",      "#",       "&&",     "|=",     "->",     "/=",
        "\r",     "\n",     "\r\n",    "\t",      " ",      "x += 1.0;", QString(QChar(0)), QString(QChar(0xD83D)),
        QString(QChar(0xDE00)), QString::fromUtf8("\xf0\x9f\x98\x80"), QString::fromUtf8("\xc3\xa9"),
        QString::fromUtf8("\xe2\x82\xac"),
    };
    QString line;
    const int pieces = random.bounded(9);
    for (int p = 0; p < pieces; ++p) {
        switch (random.bounded(4)) {
        case 0: line += fragments[random.bounded(static_cast<int>(fragments.size()))]; break;
        case 1: line += QChar(static_cast<char16_t>(random.bounded(128))); break;
        case 2: line += QChar(static_cast<char16_t>(128 + random.bounded(128))); break;
        default: line += QChar(static_cast<char16_t>(random.bounded(0x10000))); break;
        }
    }
    return line;
}

} // namespace

Q_DECLARE_METATYPE(Toks)

class TestJsHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void everyKeyword_data();
    void everyKeyword();
    void emptyLineKeepsRange_data();
    void emptyLineKeepsRange();
    void advanceAtLineEndStays();
    void longLines_data();
    void longLines();
    void randomTextKeepsProtocol();
    void tokenAttributes_data();
    void tokenAttributes();
    void attributes_data();
    void attributes();
    void mainFormSettingsChangeNoColour();
    void defaultFilterAndTitle();
    void standardAttri_data();
    void standardAttri();
    void wordChars();
    void demoSourceShowsEveryClass();
};

void TestJsHighlighter::tokens_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Toks>("expected"); // the tokens of all lines, end-of-line tokens left out
    QTest::addColumn<Ranges>("ranges"); // the range state after each line

    // Words and their case.
    QTest::addRow("reserved word only in its own case")
        << QStringList{"if If IF"} << Toks{{"if", Key}, {" ", Sp}, {"If", Id}, {" ", Sp}, {"IF", Id}} << Ranges{0};
    QTest::addRow("same slot, other word") << QStringList{"if fi"} << Toks{{"if", Key}, {" ", Sp}, {"fi", Id}}
                                           << Ranges{0};
    QTest::addRow("object model names")
        << QStringList{"document Document Date date"}
        << Toks{{"document", Nrk}, {" ", Sp}, {"Document", Id}, {" ", Sp}, {"Date", Nrk}, {" ", Sp}, {"date", Id}}
        << Ranges{0};
    QTest::addRow("events") << QStringList{"onClick onclick ONCLICK"}
                            << Toks{{"onClick", Ev}, {" ", Sp}, {"onclick", Id}, {" ", Sp}, {"ONCLICK", Id}}
                            << Ranges{0};
    QTest::addRow("NaN reserved, Infinity not") << QStringList{"NaN Infinity nan"}
                                                << Toks{{"NaN", Key}, {" ", Sp}, {"Infinity", Nrk}, {" ", Sp}, {"nan", Id}}
                                                << Ranges{0};
    QTest::addRow("digits and _ belong to the word")
        << QStringList{"atan2 atan3 SQRT1_2 _ x9"}
        << Toks{{"atan2", Nrk}, {" ", Sp}, {"atan3", Id}, {" ", Sp}, {"SQRT1_2", Nrk}, {" ", Sp}, {"_", Id},
                {" ", Sp},      {"x9", Id}}
        << Ranges{0};
    QTest::addRow("last slot and just beyond")
        << QStringList{"POSITIVE_INFINITY POSITIVE_INFINITZ"}
        << Toks{{"POSITIVE_INFINITY", Nrk}, {" ", Sp}, {"POSITIVE_INFINITZ", Id}} << Ranges{0};
    QTest::addRow("letters above 127 end a word")
        << QStringList{QString::fromUtf8("caf\xc3\xa9x")}
        << Toks{{"caf", Id}, {QString::fromUtf8("\xc3\xa9"), Oth}, {"x", Id}} << Ranges{0};
    QTest::addRow("$ before a name") << QStringList{"$el"} << Toks{{"$", Oth}, {"el", Id}} << Ranges{0};

    // Numbers.
    QTest::addRow("assignment") << QStringList{"x += 1.0;"}
                                << Toks{{"x", Id}, {" ", Sp}, {"+=", Sym}, {" ", Sp}, {"1.0", Num}, {";", Sym}}
                                << Ranges{0};
    QTest::addRow("single numbers")
        << QStringList{"0x1F 0XaB 0xFF 1.5 1.5.6 42 7."}
        << Toks{{"0x1F", Num}, {" ", Sp}, {"0XaB", Num}, {" ", Sp}, {"0xFF", Num}, {" ", Sp}, {"1.5", Num},
                {" ", Sp},     {"1.5.6", Num}, {" ", Sp}, {"42", Num}, {" ", Sp}, {"7.", Num}}
        << Ranges{0};
    QTest::addRow("0x without a hex digit") << QStringList{"0xG 0x"}
                                            << Toks{{"0", Num}, {"xG", Id}, {" ", Sp}, {"0", Num}, {"x", Id}}
                                            << Ranges{0};
    QTest::addRow("x only second, after 0")
        << QStringList{"10x1 00x1 2x 0x1x"}
        << Toks{{"10", Num}, {"x1", Id}, {" ", Sp}, {"00", Num}, {"x1", Id}, {" ", Sp},
                {"2", Num},  {"x", Id},  {" ", Sp}, {"0x1", Num}, {"x", Id}}
        << Ranges{0};
    QTest::addRow("hex letters only in hex numbers")
        << QStringList{"1e5 7f 0x1fz"}
        << Toks{{"1", Num}, {"e5", Id}, {" ", Sp}, {"7", Num}, {"f", Id}, {" ", Sp}, {"0x1f", Num}, {"z", Id}}
        << Ranges{0};
    QTest::addRow("number stops before ..")
        << QStringList{"1..5 5...x"}
        << Toks{{"1", Num}, {".", Sym}, {".", Sym}, {"5", Num}, {" ", Sp}, {"5", Num}, {"...", Sym}, {"x", Id}}
        << Ranges{0};

    // Strings.
    QTest::addRow("escaped quote") << QStringList{"'it\\'s' x"} << Toks{{"'it\\'s'", Str}, {" ", Sp}, {"x", Id}}
                                   << Ranges{0};
    QTest::addRow("escaped double quotes")
        << QStringList{"\"say \\\"hi\\\"\";"} << Toks{{"\"say \\\"hi\\\"\"", Str}, {";", Sym}} << Ranges{0};
    QTest::addRow("the other quote inside")
        << QStringList{"\"it's\"+'a\"b'"} << Toks{{"\"it's\"", Str}, {"+", Sym}, {"'a\"b'", Str}} << Ranges{0};
    QTest::addRow("quote after two backslashes runs on")
        << QStringList{"'a\\\\' b", "c"} << Toks{{"'a\\\\' b", Str}, {"c", Id}} << Ranges{0, 0};
    QTest::addRow("unclosed string ends with the line")
        << QStringList{"s = \"abc", "d\""}
        << Toks{{"s", Id}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"\"abc", Str}, {"d", Id}, {"\"", Str}} << Ranges{0, 0};
    QTest::addRow("empty strings") << QStringList{"''+\"\""} << Toks{{"''", Str}, {"+", Sym}, {"\"\"", Str}}
                                   << Ranges{0};
    QTest::addRow("three quotes open a string") << QStringList{"'''a' b"}
                                                << Toks{{"'''a'", Str}, {" ", Sp}, {"b", Id}} << Ranges{0};
    QTest::addRow("line break after an unclosed string is a blank")
        << QStringList{"'ab\r\nc"} << Toks{{"'ab", Str}, {"\r\n", Sp}, {"c", Id}} << Ranges{0};

    // Comments.
    QTest::addRow("block comment across lines")
        << QStringList{"/* start", "", "end */ x"} << Toks{{"/* start", Com}, {"end */", Com}, {" ", Sp}, {"x", Id}}
        << Ranges{1, 1, 0};
    QTest::addRow("/*/ stays open") << QStringList{"/*/ x"} << Toks{{"/*/ x", Com}} << Ranges{1};
    QTest::addRow("block comment closed on its line")
        << QStringList{"a/**/b/* c */"} << Toks{{"a", Id}, {"/**/", Com}, {"b", Id}, {"/* c */", Com}} << Ranges{0};
    QTest::addRow("// hides /*") << QStringList{"// a /* b", "c"} << Toks{{"// a /* b", Com}, {"c", Id}}
                                 << Ranges{0, 0};
    QTest::addRow("// ends before a line break")
        << QStringList{"a // b\r"} << Toks{{"a", Id}, {" ", Sp}, {"// b", Com}, {"\r", Sp}} << Ranges{0};
    QTest::addRow("line break inside an open comment")
        << QStringList{"/*", "\r\n", "*/x"} << Toks{{"/*", Com}, {"\r\n", Sp}, {"*/", Com}, {"x", Id}}
        << Ranges{1, 1, 0};
    QTest::addRow("comment reopened after closing")
        << QStringList{"/* a", "b */ c /* d"} << Toks{{"/* a", Com}, {"b */", Com}, {" ", Sp}, {"c", Id}, {" ", Sp},
                                                      {"/* d", Com}}
        << Ranges{1, 1};

    // Division, and what a regular expression literal turns into: its slashes are symbols.
    QTest::addRow("division") << QStringList{"a / b /= c"}
                              << Toks{{"a", Id}, {" ", Sp}, {"/", Sym}, {" ", Sp}, {"b", Id},
                                      {" ", Sp}, {"/=", Sym}, {" ", Sp}, {"c", Id}}
                              << Ranges{0};
    QTest::addRow("regular expression is symbols and words")
        << QStringList{"s.split(/,/g)"}
        << Toks{{"s", Id},   {".", Sym}, {"split", Nrk}, {"(", Sym}, {"/", Sym},
                {",", Sym},  {"/", Sym}, {"g", Id},      {")", Sym}}
        << Ranges{0};
    QTest::addRow("regular expression ending in *")
        << QStringList{"r = /a*/;"}
        << Toks{{"r", Id}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"/", Sym}, {"a", Id}, {"*", Sym}, {"/", Sym}, {";", Sym}}
        << Ranges{0};
    QTest::addRow("escaped slash opens a comment")
        << QStringList{"/\\/* x"} << Toks{{"/", Sym}, {"\\", Oth}, {"/* x", Com}} << Ranges{1};

    // Symbols.
    QTest::addRow("& and |") << QStringList{"&&&=&|||=|"} << symbols({"&&", "&=", "&", "||", "|=", "|"}) << Ranges{0};
    QTest::addRow("+ and -") << QStringList{"+++=+---=->-"} << symbols({"++", "+=", "+", "--", "-=", "->", "-"})
                             << Ranges{0};
    QTest::addRow("* and %%") << QStringList{"*=*%=%**"} << symbols({"*=", "*", "%=", "%", "*", "*"}) << Ranges{0};
    QTest::addRow("comparisons are two tokens")
        << QStringList{"==!=<=>=<<"} << symbols({"=", "=", "!", "=", "<", "=", ">", "=", "<", "<"}) << Ranges{0};
    QTest::addRow("single symbols") << QStringList{"!(),:;<=>?[]{}~"}
                                    << symbols({"!", "(", ")", ",", ":", ";", "<", "=", ">", "?", "[", "]", "{", "}",
                                                "~"})
                                    << Ranges{0};

    // Characters outside the language.
    QTest::addRow("other ASCII characters")
        << QStringList{"@#\\^`\x7f"}
        << Toks{{"@", Oth}, {"#", Oth}, {"\\", Oth}, {"^", Oth}, {"`", Oth}, {"\x7f", Oth}} << Ranges{0};
    QTest::addRow("surrogate pair is one character, lone halves one each")
        << QStringList{QString::fromUtf8("\xf0\x9f\x98\x80") + QChar(0xD83D) + u'a' + QChar(0xDE00) + QChar(0x4E00)}
        << Toks{{QString::fromUtf8("\xf0\x9f\x98\x80"), Oth},
                {QString(QChar(0xD83D)), Oth},
                {"a", Id},
                {QString(QChar(0xDE00)), Oth},
                {QString(QChar(0x4E00)), Oth}}
        << Ranges{0};

    // Blanks, line breaks and NUL.
    QTest::addRow("blanks and line breaks")
        << QStringList{"\t \x01\x0b\x0c\x1fx\r\n\n\ry"}
        << Toks{{"\t \x01\x0b\x0c\x1f", Sp}, {"x", Id}, {"\r\n", Sp}, {"\n", Sp}, {"\r", Sp}, {"y", Id}} << Ranges{0};
    QTest::addRow("NUL ends the line") << QStringList{withNul("a", "b")} << Toks{{"a", Id}} << Ranges{0};
    QTest::addRow("NUL ends a string") << QStringList{withNul("'ab", "'")} << Toks{{"'ab", Str}} << Ranges{0};
    QTest::addRow("NUL ends an open comment")
        << QStringList{"/*", withNul("x", "*/")} << Toks{{"/*", Com}, {"x", Com}} << Ranges{1, 1};
}

void TestJsHighlighter::tokens()
{
    QFETCH(QStringList, lines);
    QFETCH(Toks, expected);
    QFETCH(Ranges, ranges);
    SynJScriptSyn js;
    js.ClearRange();
    QStringList actual;
    Ranges actualRanges;
    for (const QString &line : lines) {
        const ScannedLine scanned = scanLine(js, line);
        QVERIFY2(checkProtocol(line, scanned).isEmpty(), qPrintable(checkProtocol(line, scanned)));
        for (const ScannedToken &token : scanned.tokens)
            actual.append(describe(token.text, token.kind));
        actualRanges.append(scanned.rangeAfter);
    }
    QCOMPARE(actual.join(u' '), describe(expected).join(u' '));
    QCOMPARE(actualRanges, ranges);
}

void TestJsHighlighter::everyKeyword_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count");
    QTest::addRow("reserved words") << ReservedWords << int(Key) << 63;
    QTest::addRow("events") << EventNames << int(Ev) << 20;
    QTest::addRow("non-reserved keywords") << NonReservedWords << int(Nrk) << 316;
}

void TestJsHighlighter::everyKeyword()
{
    QFETCH(QStringList, words);
    QFETCH(int, kind);
    QFETCH(int, count);
    QCOMPARE(words.size(), count);
    QHash<QString, int> kinds;
    for (const auto &[list, listKind] :
         {std::pair{&ReservedWords, Key}, std::pair{&EventNames, Ev}, std::pair{&NonReservedWords, Nrk}})
        for (const QString &word : *list)
            kinds.insert(word, int(listKind));
    QCOMPARE(kinds.size(), 63 + 20 + 316); // no word in two places

    SynJScriptSyn js;
    for (const QString &word : words) {
        // The word itself, then with its first letter in the other case and with "_" appended:
        // those are identifiers unless they happen to be keywords themselves ("all" and "All").
        QString flipped = word;
        flipped[0] = flipped[0].isUpper() ? flipped[0].toLower() : flipped[0].toUpper();
        const QList<std::pair<QString, int>> cases = {{word, kind},
                                                      {flipped, kinds.value(flipped, int(Id))},
                                                      {word + u'_', int(Id)}};
        for (const auto &[text, expected] : cases) {
            js.BeginLine(text, 0);
            QCOMPARE(js.TokenText().toString(), text);
            QVERIFY2(js.TokenKindId() == expected,
                     qPrintable(describe(text, js.TokenKindId()) + QStringLiteral(" expected ") + kindName(expected)));
        }
    }
}

void TestJsHighlighter::emptyLineKeepsRange_data()
{
    QTest::addColumn<SynRangeState>("restored");
    QTest::addColumn<SynRangeState>("range");
    QTest::addRow("code") << SynJScriptSyn::rsCode << SynJScriptSyn::rsCode;
    QTest::addRow("block comment") << SynJScriptSyn::rsComment << SynJScriptSyn::rsComment;
    QTest::addRow("only the low byte is taken") << SynRangeState(0x301) << SynJScriptSyn::rsComment;
}

void TestJsHighlighter::emptyLineKeepsRange()
{
    QFETCH(SynRangeState, restored);
    QFETCH(SynRangeState, range);
    SynJScriptSyn js;
    js.RestoreRange(restored);
    js.BeginLine(u"", 0);
    QVERIFY(js.AtLineEnd());
    QCOMPARE(js.TokenKindId(), 3);
    QCOMPARE(js.TokenStart(), 0);
    QVERIFY(js.TokenText().isEmpty());
    QCOMPARE(js.TokenAttri(), nullptr);
    QCOMPARE(js.RangeState(), range);
}

void TestJsHighlighter::advanceAtLineEndStays()
{
    SynJScriptSyn js;
    js.BeginLine(u"/* a", 0);
    js.ScanToLineEnd();
    QVERIFY(js.AtLineEnd());
    for (int i = 0; i < 3; ++i) {
        js.Advance();
        QVERIFY(js.AtLineEnd());
        QCOMPARE(js.TokenStart(), 4);
        QCOMPARE(js.RangeState(), SynJScriptSyn::rsComment);
    }
}

void TestJsHighlighter::longLines_data()
{
    constexpr int n = 100000;
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("tokenCount");
    QTest::addColumn<int>("firstKind");
    QTest::addColumn<SynRangeState>("rangeAfter");
    QTest::addRow("word") << QString(n, u'z') << 1 << int(Id) << SynJScriptSyn::rsCode;
    QTest::addRow("number") << QString(n, u'7') << 1 << int(Num) << SynJScriptSyn::rsCode;
    QTest::addRow("blank") << QString(n, u' ') << 1 << int(Sp) << SynJScriptSyn::rsCode;
    QTest::addRow("open comment") << QStringLiteral("/*") + QString(n, u'*') << 1 << int(Com) << SynJScriptSyn::rsComment;
    QTest::addRow("open string") << QStringLiteral("'") + QString(n, u'\\') << 1 << int(Str) << SynJScriptSyn::rsCode;
    QTest::addRow("line comment") << QStringLiteral("//") + QString(n, u'/') << 1 << int(Com) << SynJScriptSyn::rsCode;
    QTest::addRow("other characters") << QString(n, u'$') << n << int(Oth) << SynJScriptSyn::rsCode;
    QTest::addRow("symbols") << QString(n, u'.') << (n + 2) / 3 << int(Sym) << SynJScriptSyn::rsCode;
}

void TestJsHighlighter::longLines()
{
    QFETCH(QString, line);
    QFETCH(int, tokenCount);
    QFETCH(int, firstKind);
    QFETCH(SynRangeState, rangeAfter);
    SynJScriptSyn js;
    const ScannedLine scanned = scanLine(js, line);
    QVERIFY2(checkProtocol(line, scanned).isEmpty(), qPrintable(checkProtocol(line, scanned)));
    QCOMPARE(scanned.tokens.size(), tokenCount);
    QCOMPARE(scanned.tokens.first().kind, firstKind);
    QCOMPARE(scanned.rangeAfter, rangeAfter);
}

// Random lines of random characters and pieces of JavaScript, scanned as one text; then every
// line alone from its stored range, as a view into a longer buffer whose tail would change the
// tokens if the lexer read past the line, and again with a CR appended.
void TestJsHighlighter::randomTextKeepsProtocol()
{
    QRandomGenerator random(20240611);
    QStringList lines;
    for (int i = 0; i < 4000; ++i)
        lines.append(randomLine(random));

    SynJScriptSyn js;
    js.ClearRange();
    Ranges before;
    QList<ScannedLine> whole;
    for (const QString &line : lines) {
        before.append(js.RangeState());
        whole.append(scanLine(js, line));
    }
    int openComments = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const QString where = QStringLiteral("line %1: ").arg(i);
        const QString fault = checkProtocol(line, whole[i]);
        QVERIFY2(fault.isEmpty(), qPrintable(where + fault));
        openComments += whole[i].rangeAfter == SynJScriptSyn::rsComment;

        const QString buffer = line + QStringLiteral("*/'\"x1.");
        const ScannedLine alone = scanAlone(QStringView(buffer).left(line.size()), before[i]);
        QVERIFY2(alone.tokens == whole[i].tokens, qPrintable(where + QStringLiteral("alone differs")));
        QCOMPARE(alone.rangeAfter, whole[i].rangeAfter);

        if (line.contains(QChar(0)))
            continue;
        const ScannedLine withCr = scanAlone(QString(line + u'\r'), before[i]);
        QVERIFY2(withCr.tokens.size() == whole[i].tokens.size() + 1, qPrintable(where + QStringLiteral("CR changes the tokens")));
        QVERIFY(std::equal(whole[i].tokens.begin(), whole[i].tokens.end(), withCr.tokens.begin()));
        QCOMPARE(withCr.tokens.last().text, QStringLiteral("\r"));
        QCOMPARE(withCr.tokens.last().kind, int(Sp));
        QCOMPARE(withCr.rangeAfter, whole[i].rangeAfter);
    }
    // The fragments open and close comments often enough that both states are exercised.
    QVERIFY(openComments > 100);
    QVERIFY(openComments < lines.size() - 100);
}

void TestJsHighlighter::tokenAttributes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("attribute"); // empty for none
    QTest::addRow("comment") << "// c" << 0 << "Comment";
    QTest::addRow("identifier") << "x" << 1 << "Identifier";
    QTest::addRow("reserved word") << "if" << 2 << "Reserved word";
    QTest::addRow("number") << "1" << 4 << "Number";
    QTest::addRow("blank") << " " << 5 << "Space";
    QTest::addRow("string") << "'s'" << 6 << "String";
    QTest::addRow("symbol") << ";" << 7 << "Symbol";
    QTest::addRow("other character") << "@" << 8 << QString();
    QTest::addRow("non-reserved keyword") << "alert" << 9 << "Non-reserved keyword";
    QTest::addRow("event") << "onLoad" << 10 << "Event";
}

void TestJsHighlighter::tokenAttributes()
{
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(QString, attribute);
    SynJScriptSyn js;
    js.BeginLine(line, 0);
    QCOMPARE(js.TokenKindId(), kind);
    const SynHighlighterAttributes *found = js.TokenAttri();
    QCOMPARE(found ? found->AttriName() : QString(), attribute);
}

void TestJsHighlighter::attributes_data()
{
    QTest::addColumn<int>("index"); // attributes are listed by name
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::addRow("Comment") << 0 << "Comment" << int(fsItalic);
    QTest::addRow("Event") << 1 << "Event" << 0;
    QTest::addRow("Identifier") << 2 << "Identifier" << 0;
    QTest::addRow("Non-reserved keyword") << 3 << "Non-reserved keyword" << 0;
    QTest::addRow("Number") << 4 << "Number" << 0;
    QTest::addRow("Reserved word") << 5 << "Reserved word" << int(fsBold);
    QTest::addRow("Space") << 6 << "Space" << 0;
    QTest::addRow("String") << 7 << "String" << 0;
    QTest::addRow("Symbol") << 8 << "Symbol" << 0;
}

void TestJsHighlighter::attributes()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, style);
    SynJScriptSyn js;
    QCOMPARE(js.AttriCount(), 9);
    const SynHighlighterAttributes *attribute = js.AttriAt(index);
    QVERIFY(attribute);
    QCOMPARE(attribute->AttriName(), name);
    QCOMPARE(attribute->Foreground(), clNone);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), style);

    const SynHighlighterAttributes *const accessors[] = {js.CommentAttri(),       js.EventAttri(),  js.IdentifierAttri(),
                                                         js.NonReservedKeyAttri(), js.NumberAttri(), js.KeyAttri(),
                                                         js.SpaceAttri(),         js.StringAttri(), js.SymbolAttri()};
    QCOMPARE(accessors[index], attribute);
}

void TestJsHighlighter::mainFormSettingsChangeNoColour()
{
    SynJScriptSyn js;
    int calls = 0;
    js.HookAttriChange(this, [&calls] { ++calls; });
    js.ApplyMainFormSettings();
    QCOMPARE(calls, 0);
    QCOMPARE(js.DefaultFilter(), "Javascript Files (*.js)|*.js");
    QCOMPARE(int(js.CommentAttri()->Style()), int(fsItalic));
    QCOMPARE(int(js.KeyAttri()->Style()), int(fsBold));

    // The attributes do tell their listeners when they really change.
    js.NumberAttri()->SetForeground(0xFF0000);
    QCOMPARE(calls, 1);
    js.NumberAttri()->SetForeground(0xFF0000);
    QCOMPARE(calls, 1);
}

void TestJsHighlighter::defaultFilterAndTitle()
{
    SynJScriptSyn js;
    QCOMPARE(js.DefaultFilter(), "Javascript Files (*.js)|*.js");
    QCOMPARE(js.LanguageTitle(), "Javascript");
    QVERIFY(!js.IsKeywordText(u"if"));
    QVERIFY(!js.IsKeywordText(u"document"));
}

void TestJsHighlighter::standardAttri_data()
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

void TestJsHighlighter::standardAttri()
{
    QFETCH(int, index);
    QFETCH(QString, attribute);
    SynJScriptSyn js;
    const SynHighlighterAttributes *found = js.StandardAttri(index);
    QCOMPARE(found ? found->AttriName() : QString(), attribute);
}

void TestJsHighlighter::wordChars()
{
    SynJScriptSyn js;
    const CharSet chars = js.WordChars();
    QCOMPARE(chars.count(), 10 + 26 + 1 + 26 + 64 - 2);
    for (char16_t c : {u'0', u'9', u'A', u'Z', u'_', u'a', u'z', char16_t(192), char16_t(214), char16_t(216),
                       char16_t(255), char16_t(0x4E00)})
        QVERIFY2(chars.contains(c), qPrintable(QString::number(c)));
    for (char16_t c : {u'$', u'-', u'@', u'`', u'/', u'{', char16_t(127), char16_t(191), char16_t(215), char16_t(247)})
        QVERIFY2(!chars.contains(c), qPrintable(QString::number(c)));
}

void TestJsHighlighter::demoSourceShowsEveryClass()
{
    SynJScriptSyn js;
    js.ClearRange();
    const QStringList lines = js.DemoSource().split(u'\n');
    QSet<int> kinds;
    for (int i = 0; i < lines.size(); ++i) {
        js.BeginLine(lines[i], i);
        for (; !js.AtLineEnd(); js.Advance())
            kinds.insert(js.TokenKindId());
    }
    QCOMPARE(js.RangeState(), SynJScriptSyn::rsCode);
    for (K kind : {Com, Id, Key, Num, Sp, Str, Sym, Oth, Nrk, Ev})
        QVERIFY2(kinds.contains(int(kind)), qPrintable(kindName(int(kind))));
}

QTEST_GUILESS_MAIN(TestJsHighlighter)
#include "tst_js_highlighter.moc"
