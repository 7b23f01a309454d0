// The VBScript highlighter: its tokens, its keywords in every case, its attributes, and the token
// protocol on any text at all.
#include "SynHighlighterVBScript.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

using K = SynVBScriptSyn::TokenKind;
constexpr K Com = K::Comment, Id = K::Identifier, Key = K::Key, Num = K::Number, Sp = K::Space, Str = K::String,
            Sym = K::Symbol;

struct Tok {
    QString text;
    K kind;
};
using Toks = QList<Tok>;

QString kindName(K kind)
{
    static const char *const names[] = {"Comment", "Identifier", "Key",    "Null",   "Number",
                                        "Space",   "String",     "Symbol", "Unknown"};
    const int index = static_cast<int>(kind);
    return index >= 0 && index <= 8 ? QString::fromLatin1(names[index]) : QStringLiteral("kind %1").arg(index);
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

QString withNul(QStringView before, QStringView after)
{
    return before.toString() + QChar(0) + after.toString();
}

// One token as the protocol reports it.
struct Scanned {
    int start;
    QString text;
    int kind;
    bool operator==(const Scanned &) const = default;
};

// Scans a line and checks the protocol on the way: tokens contiguous from column 0, none empty,
// each a view into the line, kinds and attributes that agree, and the end-of-line token last, at
// the first NUL or the line's end, staying there when advanced. Answers the first broken rule, or
// an empty string.
QString scanChecked(SynVBScriptSyn &vbs, QStringView line, QList<Scanned> *tokens)
{
    const qsizetype nul = line.indexOf(QChar(0));
    const qsizetype end = nul < 0 ? line.size() : nul;
    qsizetype column = 0;
    vbs.BeginLine(line, 0);
    for (; !vbs.AtLineEnd(); vbs.Advance()) {
        const QStringView text = vbs.TokenText();
        const QString where = QStringLiteral(" at column %1").arg(column);
        if (vbs.TokenStart() != column)
            return QStringLiteral("token starts at %1").arg(vbs.TokenStart()) + where;
        if (text.isEmpty() || column + text.size() > end)
            return QStringLiteral("empty token or token past the end") + where;
        if (text.data() != line.data() + column)
            return QStringLiteral("token text is not the line's") + where;
        const int kind = vbs.TokenKindId();
        if (kind < 0 || kind > int(K::Symbol) || kind == int(K::Null))
            return QStringLiteral("unexpected kind %1").arg(kind) + where;
        if (vbs.TokenAttri() == nullptr)
            return QStringLiteral("no attribute") + where;
        if (tokens)
            tokens->append({int(column), text.toString(), kind});
        column += text.size();
    }
    if (column != end)
        return QStringLiteral("line ends at %1 instead of %2").arg(column).arg(end);
    for (int again = 0; again < 2; ++again) {
        if (!vbs.AtLineEnd() || vbs.TokenStart() != end || !vbs.TokenText().isEmpty() || vbs.TokenAttri()
            || vbs.TokenKindId() != int(K::Null))
            return QStringLiteral("bad end-of-line token");
        vbs.Advance();
    }
    if (vbs.RangeState() != SynVBScriptSyn::rsCode)
        return QStringLiteral("range state %1 after the line").arg(vbs.RangeState());
    return {};
}

QString randomCharacter(QRandomGenerator &random)
{
    switch (random.bounded(6)) {
    case 0: return QChar(char16_t(random.bounded(0, 33))); // controls, blanks, line breaks, NUL
    case 1: return QChar(char16_t(random.bounded(128, 256)));
    case 2: return QChar(char16_t(random.bounded(0xD800, 0xE000))); // surrogate halves, alone
    case 3: return QChar(char16_t(random.bounded(0x100, 0x10000)));
    case 4: return QString::fromUcs4(std::array<char32_t, 1>{char32_t(random.bounded(0x10000, 0x110000))}.data(), 1);
    default: return QChar(char16_t(random.bounded(33, 128)));
    }
}

QString randomLine(QRandomGenerator &random)
{
    static const QStringList fragments = {
        "If ",  "Then", "ElseIf", "End If", "End_If", "Rem x", "property",   "ParamArray", "Sub ", "Dim x",
        " = ",  "\"",   "\"\"",   "\"\"\"", "\"ab",   "#",     "#1/1/2000#", "'",          "' c",  "1.5E-3",
        "12",   "<",    ">",      "<>",     "<=",     ">=",    "&H1F",       "_",          "\r",   "\n",
        "\r\n", "\t",   "  ",     "\u00e9", "\u20ac", "(",     ")",          ".",          ":",    "x1",
    };
    QString line;
    const int parts = random.bounded(0, 12);
    for (int i = 0; i < parts; ++i) {
        if (random.bounded(2))
            line += fragments[random.bounded(int(fragments.size()))];
        else
            line += randomCharacter(random);
    }
    return line;
}

QList<Scanned> scan(SynVBScriptSyn &vbs, QStringView line)
{
    QList<Scanned> tokens;
    for (vbs.BeginLine(line, 0); !vbs.AtLineEnd(); vbs.Advance())
        tokens.append({vbs.TokenStart(), vbs.TokenText().toString(), vbs.TokenKindId()});
    return tokens;
}

} // namespace

Q_DECLARE_METATYPE(Toks)

class TestVbsHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void everyKeyword();
    void everySingleCharacter();
    void tokenAttributes_data();
    void tokenAttributes();
    void attributes_data();
    void attributes();
    void mainFormSettings();
    void standardAttri_data();
    void standardAttri();
    void wordChars();
    void titleKeywordTextAndRange();
    void demoSource();
    void longLines_data();
    void longLines();
    void randomLines();
};

void TestVbsHighlighter::tokens_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Toks>("expected"); // end-of-line token left out

    QTest::addRow("keywords in any case")
        << "If IF if iF" << Toks{{"If", Key}, {" ", Sp}, {"IF", Key}, {" ", Sp}, {"if", Key}, {" ", Sp}, {"iF", Key}};
    QTest::addRow("Rem is a keyword, not a comment")
        << "Rem this is x" << Toks{{"Rem", Key}, {" ", Sp}, {"this", Id}, {" ", Sp}, {"is", Key}, {" ", Sp}, {"x", Id}};
    QTest::addRow("quote comment takes the rest")
        << "x = 1 ' note \"q\" #d# Rem"
        << Toks{{"x", Id}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"1", Num}, {" ", Sp}, {"' note \"q\" #d# Rem", Com}};
    QTest::addRow("comment stops at a line break") << "'c\r\nx" << Toks{{"'c", Com}, {"\r\n", Sp}, {"x", Id}};
    QTest::addRow("doubled quote gives two strings")
        << "x = \"a\"\"b\"" << Toks{{"x", Id}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"\"a\"", Str}, {"\"b\"", Str}};
    QTest::addRow("empty string") << "\"\" x" << Toks{{"\"\"", Str}, {" ", Sp}, {"x", Id}};
    QTest::addRow("three quotes open a string") << "\"\"\"abc\" x" << Toks{{"\"\"\"abc\"", Str}, {" ", Sp}, {"x", Id}};
    QTest::addRow("four quotes") << "\"\"\"\"x" << Toks{{"\"\"\"\"", Str}, {"x", Id}};
    QTest::addRow("three quotes at the end") << "\"\"\"" << Toks{{"\"\"\"", Str}};
    QTest::addRow("unterminated string") << "s = \"abc"
                                         << Toks{{"s", Id}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"\"abc", Str}};
    QTest::addRow("quote alone at the end") << "x\"" << Toks{{"x", Id}, {"\"", Str}};
    QTest::addRow("string stops at a line break")
        << "\"ab\rc\"" << Toks{{"\"ab", Str}, {"\r", Sp}, {"c", Id}, {"\"", Str}};
    QTest::addRow("date literal") << "d = #1/1/2000#;"
                                  << Toks{{"d", Id}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"#1/1/2000#", Str}, {";", Sym}};
    QTest::addRow("unclosed date") << "#1/1 x" << Toks{{"#1/1 x", Str}};
    QTest::addRow("hash alone") << "#" << Toks{{"#", Str}};
    QTest::addRow("date stops at a line break") << "#1\n#" << Toks{{"#1", Str}, {"\n", Sp}, {"#", Str}};
    QTest::addRow("number with exponent") << "1.5E3" << Toks{{"1.5E3", Num}};
    QTest::addRow("exponent sign splits") << "1.5E-3" << Toks{{"1.5E", Num}, {"-", Sym}, {"3", Num}};
    QTest::addRow("number takes dots and e") << "1..2e5e" << Toks{{"1..2e5e", Num}};
    QTest::addRow("number stops at other letters") << "12abc" << Toks{{"12", Num}, {"abc", Id}};
    QTest::addRow("hex prefix is a symbol and a word") << "&H1F" << Toks{{"&", Sym}, {"H1F", Id}};
    QTest::addRow("leading dot") << ".5" << Toks{{".", Sym}, {"5", Num}};
    QTest::addRow("underscore joins words")
        << "End_If EndIf End If"
        << Toks{{"End_If", Id}, {" ", Sp}, {"EndIf", Key}, {" ", Sp}, {"End", Key}, {" ", Sp}, {"If", Key}};
    QTest::addRow("words with digits and underscores")
        << "_x1 If2 x_" << Toks{{"_x1", Id}, {" ", Sp}, {"If2", Id}, {" ", Sp}, {"x_", Id}};
    QTest::addRow("same hash, other letters")
        << "Dan sI fI Propertz"
        << Toks{{"Dan", Id}, {" ", Sp}, {"sI", Id}, {" ", Sp}, {"fI", Id}, {" ", Sp}, {"Propertz", Id}};
    QTest::addRow("every keyword of a shared slot")
        << "Call Case Is" << Toks{{"Call", Key}, {" ", Sp}, {"Case", Key}, {" ", Sp}, {"Is", Key}};
    QTest::addRow("longest keywords and longer")
        << "ParamArray ParamArrays" << Toks{{"ParamArray", Key}, {" ", Sp}, {"ParamArrays", Id}};
    QTest::addRow("less-than pairs") << "<<=<>>" << symbols({"<", "<=", "<>", ">"});
    QTest::addRow("greater-than pairs") << "><>=>>" << symbols({">", "<>", "=", ">", ">"});
    QTest::addRow("=< and => split") << "=<=>" << symbols({"=", "<=", ">"});
    QTest::addRow("single symbols") << "&()*+,-./:;=^{}"
                                    << symbols(
                                           {"&", "(", ")", "*", "+", ",", "-", ".", "/", ":", ";", "=", "^", "{", "}"});
    QTest::addRow("others are one-character identifiers")
        << "!$%?[\\]`~@|\x7f" << Toks{{"!", Id}, {"$", Id}, {"%", Id}, {"?", Id}, {"[", Id}, {"\\", Id},
                                      {"]", Id}, {"`", Id}, {"~", Id}, {"@", Id}, {"|", Id}, {"\x7f", Id}};
    QTest::addRow("letters above ASCII end a word") << QString::fromUtf8("caf\xc3\xa9s \xe2\x82\xac")
                                                    << Toks{{"caf", Id},
                                                            {QString::fromUtf8("\xc3\xa9"), Id},
                                                            {"s", Id},
                                                            {" ", Sp},
                                                            {QString::fromUtf8("\xe2\x82\xac"), Id}};
    QTest::addRow("surrogate pair is one character")
        << QString::fromUtf8("a\xf0\x9f\x98\x80") << Toks{{"a", Id}, {QString::fromUtf8("\xf0\x9f\x98\x80"), Id}};
    QTest::addRow("lone surrogates one by one")
        << QString(QChar(0xD800)) + QChar(0xD800) + u'a' + QChar(0xDC00)
        << Toks{{QString(QChar(0xD800)), Id}, {QString(QChar(0xD800)), Id}, {"a", Id}, {QString(QChar(0xDC00)), Id}};
    QTest::addRow("blank runs and line breaks")
        << "\t \x01x\x0b\x0c\x1f\r\n\n\r\ry" << Toks{{"\t \x01", Sp}, {"x", Id},  {"\x0b\x0c\x1f", Sp}, {"\r\n", Sp},
                                                     {"\n", Sp},      {"\r", Sp}, {"\r", Sp},           {"y", Id}};
    QTest::addRow("NUL ends the line") << withNul(u"a", u"b") << Toks{{"a", Id}};
    QTest::addRow("NUL ends a comment") << withNul(u"'x", u"y") << Toks{{"'x", Com}};
    QTest::addRow("NUL ends a string") << withNul(u"\"a", u"\"") << Toks{{"\"a", Str}};
    QTest::addRow("NUL ends a date") << withNul(u"#1", u"#") << Toks{{"#1", Str}};
    QTest::addRow("NUL ends a blank run") << withNul(u"  ", u" ") << Toks{{"  ", Sp}};
    QTest::addRow("NUL after <") << withNul(u"<", u"=") << Toks{{"<", Sym}};
    QTest::addRow("NUL after CR") << withNul(u"\r", u"\n") << Toks{{"\r", Sp}};
    QTest::addRow("empty line") << "" << Toks{};
}

void TestVbsHighlighter::tokens()
{
    QFETCH(QString, line);
    QFETCH(Toks, expected);
    SynVBScriptSyn vbs;
    QList<Scanned> scanned;
    const QString broken = scanChecked(vbs, line, &scanned);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QStringList actual;
    for (const Scanned &token : scanned)
        actual.append(describe(token.text, static_cast<K>(token.kind)));
    QCOMPARE(actual.join(u' '), describe(expected).join(u' '));
}

void TestVbsHighlighter::everyKeyword()
{
    const QStringList keywords =
        QStringLiteral("And As Boolean ByRef Byte ByVal Call Case Class Const Currency Debug Dim Do "
                       "Double Each Else ElseIf Empty End EndIf Enum Eqv Erase Error Event Exit Explicit "
                       "False For Function Get GoTo If Imp Implements In Integer Is Let Like Long Loop "
                       "LSet Me Mod New Next Not Nothing Null On Option Optional Or ParamArray Preserve "
                       "Private property Public RaiseEvent Randomize ReDim Rem Resume RSet Select Set "
                       "Shared Single Static Stop Sub Then To True Type TypeOf Until Variant Wend While "
                       "With Xor")
            .split(u' ');
    QCOMPARE(keywords.size(), 84);
    SynVBScriptSyn vbs;
    for (const QString &keyword : keywords) {
        // A digit or "_" joins the word and makes it something else.
        for (const QString &word :
             {keyword, keyword.toLower(), keyword.toUpper(), keyword + u'0', keyword + u'_', u'_' + keyword}) {
            vbs.BeginLine(word, 0);
            QCOMPARE(vbs.TokenText().toString(), word);
            const bool isKeyword = word.front() != u'_' && word.back() != u'_' && word.back() != u'0';
            QVERIFY2(vbs.TokenKindId() == int(isKeyword ? Key : Id), qPrintable(word));
            vbs.Advance();
            QVERIFY(vbs.AtLineEnd());
        }
    }
}

void TestVbsHighlighter::everySingleCharacter()
{
    // Every character code alone on a line, against the character table the lexer is built from.
    const QString symbolChars = QStringLiteral("<>&()*+,-./:;=^{}");
    SynVBScriptSyn vbs;
    for (int c = 1; c < 256; ++c) {
        K expected = Id;
        if (c <= 32)
            expected = Sp;
        else if (c == '\'')
            expected = Com;
        else if (c == '"' || c == '#')
            expected = Str;
        else if (c >= '0' && c <= '9')
            expected = Num;
        else if (symbolChars.contains(QChar(c)))
            expected = Sym;
        const QString line{QChar(char16_t(c))};
        vbs.BeginLine(line, 0);
        QVERIFY2(vbs.TokenKindId() == int(expected), qPrintable(QString::number(c)));
        QCOMPARE(vbs.TokenText().size(), 1);
        vbs.Advance();
        QVERIFY(vbs.AtLineEnd());
    }
}

void TestVbsHighlighter::tokenAttributes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << "' c" << 0 << "Comment";
    QTest::addRow("identifier") << "x" << 1 << "Identifier";
    QTest::addRow("keyword") << "Sub" << 2 << "Reserved word";
    QTest::addRow("number") << "1" << 4 << "Number";
    QTest::addRow("blank") << " " << 5 << "Space";
    QTest::addRow("string") << "\"s\"" << 6 << "String";
    QTest::addRow("date") << "#1/1#" << 6 << "String";
    QTest::addRow("symbol") << ";" << 7 << "Symbol";
    QTest::addRow("other character") << "$" << 1 << "Identifier";
}

void TestVbsHighlighter::tokenAttributes()
{
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(QString, attribute);
    SynVBScriptSyn vbs;
    vbs.BeginLine(line, 0);
    QCOMPARE(vbs.TokenKindId(), kind);
    QCOMPARE(vbs.TokenText().size(), line.size());
    QVERIFY(vbs.TokenAttri());
    QCOMPARE(vbs.TokenAttri()->AttriName(), attribute);
}

void TestVbsHighlighter::attributes_data()
{
    QTest::addColumn<int>("index"); // attributes are listed by name
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::addRow("Comment") << 0 << "Comment" << int(fsItalic);
    QTest::addRow("Identifier") << 1 << "Identifier" << 0;
    QTest::addRow("Number") << 2 << "Number" << 0;
    QTest::addRow("Reserved word") << 3 << "Reserved word" << int(fsBold);
    QTest::addRow("Space") << 4 << "Space" << 0;
    QTest::addRow("String") << 5 << "String" << 0;
    QTest::addRow("Symbol") << 6 << "Symbol" << 0;
}

void TestVbsHighlighter::attributes()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, style);
    SynVBScriptSyn vbs;
    QCOMPARE(vbs.AttriCount(), 7);
    QCOMPARE(vbs.AttriAt(7), nullptr);
    const SynHighlighterAttributes *attribute = vbs.AttriAt(index);
    QVERIFY(attribute);
    QCOMPARE(attribute->AttriName(), name);
    QCOMPARE(attribute->Foreground(), clNone);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), style);

    const SynHighlighterAttributes *accessors[] = {vbs.CommentAttri(), vbs.IdentifierAttri(), vbs.NumberAttri(),
                                                   vbs.KeyAttri(),     vbs.SpaceAttri(),      vbs.StringAttri(),
                                                   vbs.SymbolAttri()};
    QCOMPARE(accessors[index], attribute);
}

void TestVbsHighlighter::mainFormSettings()
{
    SynVBScriptSyn vbs;
    QCOMPARE(vbs.DefaultFilter(), "VBScript Files (*.vbs)|*.vbs");
    int calls = 0;
    vbs.HookAttriChange(this, [&calls] { ++calls; });
    vbs.SetDefaultFilter(QStringLiteral("x|*.x"));
    vbs.ApplyMainFormSettings();
    QCOMPARE(vbs.DefaultFilter(), "VBScript Files (*.vbs)|*.vbs");
    QCOMPARE(calls, 0); // the main window keeps the constructor's colours
    QCOMPARE(int(vbs.CommentAttri()->Style()), int(fsItalic));

    vbs.KeyAttri()->SetForeground(0xFF0000); // and a change still reaches the listeners
    QCOMPARE(calls, 1);
    vbs.UnhookAttriChange(this);
}

void TestVbsHighlighter::standardAttri_data()
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

void TestVbsHighlighter::standardAttri()
{
    QFETCH(int, index);
    QFETCH(QString, attribute);
    SynVBScriptSyn vbs;
    const SynHighlighterAttributes *found = vbs.StandardAttri(index);
    QCOMPARE(found ? found->AttriName() : QString(), attribute);
}

void TestVbsHighlighter::wordChars()
{
    SynVBScriptSyn vbs;
    const CharSet chars = vbs.WordChars();
    QCOMPARE(chars.count(), 10 + 26 + 1 + 26 + 64 - 2);
    for (char16_t c :
         {u'0', u'9', u'A', u'Z', u'_', u'a', u'z', char16_t(192), char16_t(214), char16_t(216), char16_t(255)})
        QVERIFY2(chars.contains(c), qPrintable(QString::number(c)));
    for (char16_t c :
         {u' ', u'$', u'-', u'#', u'\'', u'"', u'`', u'{', char16_t(127), char16_t(191), char16_t(215), char16_t(247)})
        QVERIFY2(!chars.contains(c), qPrintable(QString::number(c)));
}

void TestVbsHighlighter::titleKeywordTextAndRange()
{
    SynVBScriptSyn vbs;
    QCOMPARE(vbs.LanguageTitle(), "MS VBScript");
    QVERIFY(!vbs.IsKeywordText(u"If"));
    QVERIFY(vbs.Enabled());
    // Nothing carries over between lines, so a stored state changes nothing.
    vbs.RestoreRange(3);
    QCOMPARE(vbs.RangeState(), SynVBScriptSyn::rsCode);
    vbs.BeginLine(u"\"open", 0);
    vbs.ScanToLineEnd();
    QCOMPARE(vbs.RangeState(), SynVBScriptSyn::rsCode);
    vbs.BeginLine(u"x", 1);
    QCOMPARE(vbs.TokenKindId(), int(Id));
    vbs.ClearRange();
    QCOMPARE(vbs.RangeState(), SynVBScriptSyn::rsCode);
}

void TestVbsHighlighter::demoSource()
{
    SynVBScriptSyn vbs;
    QStringList lines = vbs.DemoSource().split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    QCOMPARE(lines.size(), 8);
    vbs.BeginLine(lines[0], 0);
    QCOMPARE(vbs.TokenText().toString(), QStringLiteral("' Syntax highlighting"));
    QCOMPARE(vbs.TokenKindId(), int(Com));
    QSet<int> kinds;
    for (int i = 0; i < lines.size(); ++i)
        for (vbs.BeginLine(lines[i], i); !vbs.AtLineEnd(); vbs.Advance())
            kinds.insert(vbs.TokenKindId());
    for (K kind : {Com, Id, Key, Num, Sp, Str, Sym})
        QVERIFY2(kinds.contains(int(kind)), qPrintable(kindName(kind)));
}

void TestVbsHighlighter::longLines_data()
{
    constexpr int n = 100000;
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("tokenCount");
    QTest::addColumn<int>("firstKind");
    QTest::addRow("one word") << QString(n, u'a') << 1 << int(Id);
    QTest::addRow("one number") << QString(n, u'9') << 1 << int(Num);
    QTest::addRow("one blank run") << QString(n, u' ') << 1 << int(Sp);
    QTest::addRow("unterminated string") << u'"' + QString(n - 1, u'x') << 1 << int(Str);
    QTest::addRow("unterminated date") << u'#' + QString(n - 1, u'1') << 1 << int(Str);
    QTest::addRow("comment") << u'\'' + QString(n - 1, u'"') << 1 << int(Com);
    QTest::addRow("quote pairs") << QString(n, u'"') << n / 4 << int(Str);
    QTest::addRow("symbols") << QString(n, u'<') << n << int(Sym);
    QTest::addRow("lone surrogates") << QString(n, QChar(0xDBFF)) << n << int(Id);
    QTest::addRow("words and blanks") << QStringLiteral("If x ").repeated(n / 5) << n / 5 * 4 << int(Key);
}

void TestVbsHighlighter::longLines()
{
    QFETCH(QString, line);
    QFETCH(int, tokenCount);
    QFETCH(int, firstKind);
    SynVBScriptSyn vbs;
    QList<Scanned> scanned;
    const QString broken = scanChecked(vbs, line, &scanned);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QCOMPARE(scanned.size(), tokenCount);
    QCOMPARE(scanned.first().kind, firstKind);
}

void TestVbsHighlighter::randomLines()
{
    // A document of random lines scanned in order, then every line again alone, out of order, by
    // another instance whose previous scan stopped in the middle of a line.
    QRandomGenerator random(20240611);
    QStringList lines;
    for (int i = 0; i < 4000; ++i)
        lines.append(randomLine(random));

    SynVBScriptSyn whole;
    whole.ClearRange();
    QList<QList<Scanned>> wholeTokens;
    QList<SynRangeState> ranges;
    for (const QString &line : lines) {
        ranges.append(whole.RangeState());
        QList<Scanned> tokens;
        const QString broken = scanChecked(whole, line, &tokens);
        QVERIFY2(broken.isEmpty(), qPrintable(broken + QStringLiteral(" in line ") + line));
        wholeTokens.append(tokens);
    }

    SynVBScriptSyn alone;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        alone.BeginLine(lines[(i * 7) % lines.size()], 0); // left unfinished
        alone.RestoreRange(ranges[i]);
        QCOMPARE(scan(alone, lines[i]), wholeTokens[i]);
    }
}

QTEST_GUILESS_MAIN(TestVbsHighlighter)
#include "tst_vbs_highlighter.moc"
