// The HTML highlighter: its tokens line by line, the states it carries between lines, and its
// attributes as built and as the main window sets them.
#include "MainHighlighters.h"
#include "SynHighlighterHtml.h"

#include <QtTest>

namespace {

using H = SynHTMLSyn;
constexpr int Amp = H::tkAmpersand, Asp = H::tkASP, Com = H::tkComment, Id = H::tkIdentifier, Key = H::tkKey,
              Eol = H::tkNull, Sp = H::tkSpace, Str = H::tkString, Sym = H::tkSymbol, Txt = H::tkText,
              Undef = H::tkUndefKey, Val = H::tkValue;

struct Tok {
    QString text;
    int kind;
};
using Toks = QList<Tok>;
using Ranges = QList<SynRangeState>;

// The end-of-line token, listed in the expectations so that line ends are checked too.
const Tok eol{QString(), Eol};

QString describe(const Toks &tokens)
{
    static const char *const names[] = {"Amp",   "Asp",    "Comment", "Ident", "Key",   "Eol",
                                        "Space", "String", "Symbol",  "Text",  "Undef", "Value"};
    QStringList out;
    for (const Tok &token : tokens) {
        QString text = token.text;
        text.replace(u'\t', QStringLiteral("\\t"))
            .replace(u'\r', QStringLiteral("\\r"))
            .replace(u'\n', QStringLiteral("\\n"));
        out.append(QString::fromLatin1(names[token.kind]) + u'"' + text + u'"');
    }
    return out.join(u' ');
}

// Every token of the lines, each line's end-of-line token included, and the state after each.
Toks scan(H &html, const QStringList &lines, SynRangeState start, Ranges *after)
{
    Toks tokens;
    html.RestoreRange(start);
    for (int i = 0; i < lines.size(); ++i) {
        html.BeginLine(lines[i], i);
        for (int guard = 0; guard < 1000; ++guard) {
            tokens.append({html.TokenText().toString(), html.TokenKindId()});
            if (html.AtLineEnd())
                break;
            html.Advance();
        }
        after->append(html.RangeState());
    }
    return tokens;
}

Tok tab(int blanks = 0)
{
    return {u'\t' + QString(blanks, u' '), Sp};
}

} // namespace

Q_DECLARE_METATYPE(Toks)

class TestHtmlHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void tokenAttributes_data();
    void tokenAttributes();
    void constructorAttributes_data();
    void constructorAttributes();
    void mainFormAttributes_data();
    void mainFormAttributes();
    void standardAttributes();
    void languageValues();
    void rangeStates();
    void attributeChangesReachListeners();
    void interruptedScanLeavesNoEntityBehind();
    void demoSourceShowsTheMainKinds();
};

void TestHtmlHighlighter::tokens_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<SynRangeState>("start");
    QTest::addColumn<Toks>("expected");
    QTest::addColumn<Ranges>("after");

    const SynRangeState text = H::rsText, tag = H::rsInTag;
    auto row = [](const char *name, const QStringList &lines, SynRangeState start, const Toks &expected,
                  const Ranges &after) { QTest::newRow(name) << lines << start << expected << after; };

    // Text and entities.
    row("Hello world &amp; more", {"Hello world &amp; more"}, text,
        {{"Hello world ", Txt}, {"&amp;", Amp}, {" more", Txt}, eol}, {text});
    row("a & b", {"a & b"}, text, {{"a & b", Txt}, eol}, {text});
    row("&AMP; ignores case", {"&AMP;"}, text, {{"", Txt}, {"&AMP;", Amp}, eol}, {text});
    row("&amp without ;", {"x &amp y"}, text, {{"x &amp y", Txt}, eol}, {text});
    row("&bogus;", {"&bogus;"}, text, {{"&bogus;", Txt}, eol}, {text});
    row("&#169;", {"&#169;"}, text, {{"", Txt}, {"&#169;", Amp}, eol}, {text});
    row("&#169 x", {"&#169 x"}, text, {{"&#169", Txt}, {" x", Txt}, eol}, {text});
    row("a&lt;&gt;", {"a&lt;&gt;"}, text, {{"a", Txt}, {"&lt;", Amp}, {"", Txt}, {"&gt;", Amp}, eol}, {text});
    row("> and = in text", {"a > b = c"}, text, {{"a > b = c", Txt}, eol}, {text});
    row("tab then blanks in text", {"\t  x"}, text, {tab(2), {"x", Txt}, eol}, {text});
    row("blank then tab in text", {"x \ty"}, text, {{"x ", Txt}, tab(), {"y", Txt}, eol}, {text});

    // Tags.
    row("<b>bold</b>", {"<b>bold</b>"}, text,
        {{"<", Sym}, {"b", Key}, {">", Sym}, {"bold", Txt}, {"<", Sym}, {"/b", Key}, {">", Sym}, eol}, {text});
    row("<foo bar=1>", {"<foo bar=1>"}, text,
        {{"<", Sym}, {"foo", Undef}, {" ", Sp}, {"bar", Id}, {"=", Sym}, {"1", Val}, {">", Sym}, eol}, {text});
    row("<!DOCTYPE html>", {"<!DOCTYPE html>"}, text,
        {{"<", Sym}, {"!DOCTYPE", Key}, {" ", Sp}, {"html", Id}, {">", Sym}, eol}, {text});
    row("</BR> has no closing name", {"</BR></P>"}, text,
        {{"<", Sym}, {"/BR", Undef}, {">", Sym}, {"<", Sym}, {"/P", Key}, {">", Sym}, eol}, {text});
    row("</blockquote> hash 243", {"</blockquote>"}, text, {{"<", Sym}, {"/blockquote", Key}, {">", Sym}, eol}, {text});
    row("unknown name of hash 243", {"<zzzzzzzzzi>"}, text, {{"<", Sym}, {"zzzzzzzzzi", Undef}, {">", Sym}, eol},
        {text});
    row("name of hash 244", {"<zzzzzzzzzj>"}, text, {{"<", Sym}, {"zzzzzzzzzj", Id}, {">", Sym}, eol}, {text});
    row("digits count in the hash", {"<zzzzzzzzzi1>"}, text, {{"<", Sym}, {"zzzzzzzzzi1", Id}, {">", Sym}, eol},
        {text});
    row("<h1x>", {"<h1x>"}, text, {{"<", Sym}, {"h1", Key}, {"x", Id}, {">", Sym}, eol}, {text});
    row("<h7> and <ha>", {"<h7><ha>"}, text,
        {{"<", Sym}, {"h7", Undef}, {">", Sym}, {"<", Sym}, {"ha", Undef}, {">", Sym}, eol}, {text});
    row("<?", {"<?xml ?>"}, text, {{"<", Sym}, {"", Undef}, {"?xml", Id}, {" ", Sp}, {"?", Id}, {">", Sym}, eol},
        {text});
    row("character above 255 in a tag", {"<a \u20ac=1>"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"\u20ac", Id}, {"=", Sym}, {"1", Val}, {">", Sym}, eol}, {text});
    row("< inside a tag", {"<a<b>"}, text, {{"<", Sym}, {"a", Key}, {"<", Sym}, {"b", Key}, {">", Sym}, eol}, {text});
    row("blanks then tab in a tag", {"<a  \tb>"}, text,
        {{"<", Sym}, {"a", Key}, {"  ", Sp}, tab(), {"b", Id}, {">", Sym}, eol}, {text});

    // Attribute values and strings.
    row("<img src=\"a.gif\">", {"<img src=\"a b.gif\">"}, text,
        {{"<", Sym}, {"img", Key}, {" ", Sp}, {"src", Id}, {"=", Sym}, {"\"a b.gif\"", Val}, {">", Sym}, eol}, {text});
    row("quoted string outside a value", {"<a \"x\" y>"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"\"x\"", Str}, {" ", Sp}, {"y", Id}, {">", Sym}, eol}, {text});
    row("unclosed value ends with the line", {"<a title=\"x y"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"title", Id}, {"=", Sym}, {"\"x y", Val}, eol}, {tag});
    row("unquoted value runs to blank or >", {"<a b=x\"y=z>"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"b", Id}, {"=", Sym}, {"x\"y=z", Val}, {">", Sym}, eol}, {text});
    row("attribute name stops at quote and =", {"<a b\"c\"d=e>"}, text,
        {{"<", Sym},
         {"a", Key},
         {" ", Sp},
         {"b", Id},
         {"\"c\"", Str},
         {"d", Id},
         {"=", Sym},
         {"e", Val},
         {">", Sym},
         eol},
        {text});
    row("= then > ends the tag", {"<a b=>c"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"b", Id}, {"=", Sym}, {">", Sym}, {"c", Txt}, eol}, {text});
    row("value after a blank", {"<a b= c d>"}, text,
        {{"<", Sym},
         {"a", Key},
         {" ", Sp},
         {"b", Id},
         {"=", Sym},
         {" ", Sp},
         {"c", Val},
         {" ", Sp},
         {"d", Id},
         {">", Sym},
         eol},
        {text});

    // & inside a tag leaves it.
    row("& in a tag", {"<a &x>"}, text, {{"<", Sym}, {"a", Key}, {" ", Sp}, {"", Sp}, {"&x>", Txt}, eol}, {text});
    row("numeric entity in a tag", {"<a &#65;>"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"&#65;", Amp}, {">", Txt}, eol}, {text});
    row("&# without ; in a tag", {"<a &#65 b"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"&#65", Txt}, {" b", Txt}, eol}, {text});
    // The empty token has no previous token to take its kind from; it must not pose as the line end.
    row("& starting a line inside a tag", {"<a", "&x>b"}, text,
        {{"<", Sym}, {"a", Key}, eol, {"", Txt}, {"&x>b", Txt}, eol}, {tag, text});

    // Constructs spanning lines.
    row("tag continues on the next line", {"<img", "src=x>"}, text,
        {{"<", Sym}, {"img", Key}, eol, {"src", Id}, {"=", Sym}, {"x", Val}, {">", Sym}, eol}, {tag, text});
    row("tag name on the next line", {"<", "p>"}, text, {{"<", Sym}, eol, {"p", Key}, {">", Sym}, eol},
        {H::rsTagOpen, text});
    row("value on the next line", {"<a b=", "c>"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"b", Id}, {"=", Sym}, eol, {"c", Val}, {">", Sym}, eol},
        {H::rsBeforeValue, text});
    row("comment across lines", {"<!-- a", "b --> c"}, text,
        {{"<!--", Com}, {" a", Com}, eol, {"b -->", Com}, {" c", Txt}, eol}, {H::rsComment, text});
    row("<!-->", {"<!-->x"}, text, {{"<!--", Com}, {">", Com}, {"x", Txt}, eol}, {text});
    row("comment needs two dashes", {"<!-- a -> b"}, text, {{"<!--", Com}, {" a -> b", Com}, eol}, {H::rsComment});
    row("comment close never reaches the previous line", {"<!-- --", ">x"}, text,
        {{"<!--", Com}, {" --", Com}, eol, {">x", Com}, eol}, {H::rsComment, H::rsComment});
    row("comment keeps tabs", {"\t<!--\tx-->"}, text, {tab(), {"<!--", Com}, {"\tx-->", Com}, eol}, {text});
    row("empty line keeps the state", {""}, H::rsComment, {eol}, {H::rsComment});
    row("<% x %>", {"<% x %>"}, text, {{"<%", Asp}, {" x %>", Asp}, eol}, {text});
    row("<%>", {"<%>"}, text, {{"<%", Asp}, {">", Asp}, eol}, {text});
    row("server script across lines", {"<% a", "b %>c"}, text,
        {{"<%", Asp}, {" a", Asp}, eol, {"b %>", Asp}, {"c", Txt}, eol}, {H::rsAsp, text});
    row("server script close never reaches the previous line", {"<% a %", ">"}, text,
        {{"<%", Asp}, {" a %", Asp}, eol, {">", Asp}, eol}, {H::rsAsp, H::rsAsp});

    // Line ends and NUL.
    row("CR LF is one blank", {"a\r\nb"}, text, {{"a", Txt}, {"\r\n", Sp}, {"b", Txt}, eol}, {text});
    row("LF alone in a tag", {"<a\n"}, text, {{"<", Sym}, {"a", Key}, {"\n", Sp}, eol}, {tag});
    row("CR ends a string", {"<a \"x\ry"}, text,
        {{"<", Sym}, {"a", Key}, {" ", Sp}, {"\"x", Str}, {"\r", Sp}, {"y", Id}, eol}, {tag});
    row("NUL ends the line in text", {QStringLiteral("ab") + QChar(0) + QStringLiteral("<cd")}, text,
        {{"ab", Txt}, eol}, {text});
    row("NUL ends a comment line", {QStringLiteral("x") + QChar(0) + QStringLiteral("-->")}, H::rsComment,
        {{"x", Com}, eol}, {H::rsComment});
    row("NUL ends an entity", {QStringLiteral("&amp") + QChar(0) + u';'}, text, {{"&amp", Txt}, eol}, {text});
}

void TestHtmlHighlighter::tokens()
{
    QFETCH(QStringList, lines);
    QFETCH(SynRangeState, start);
    QFETCH(Toks, expected);
    QFETCH(Ranges, after);
    H html;
    Ranges actualAfter;
    const Toks actual = scan(html, lines, start, &actualAfter);
    QCOMPARE(describe(actual), describe(expected));
    QCOMPARE(actualAfter, after);
}

void TestHtmlHighlighter::tokenAttributes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("attribute");
    QTest::newRow("entity") << "&amp;" << Amp << "Escape ampersand";
    QTest::newRow("server script") << "<%" << Asp << "Asp";
    QTest::newRow("comment") << "<!--" << Com << "Comment";
    QTest::newRow("attribute name") << "<a b" << Id << "Identifier";
    QTest::newRow("known tag") << "<a" << Key << "Reserved word";
    QTest::newRow("blank") << "<a " << Sp << "Space";
    QTest::newRow("quoted string") << "<a \"x\"" << Str << "Value";
    QTest::newRow("symbol") << "<" << Sym << "Symbol";
    QTest::newRow("text") << "x" << Txt << "Text";
    QTest::newRow("undefined tag") << "<x" << Undef << "Unknown word";
    QTest::newRow("value") << "<a b=c" << Val << "Value";
}

void TestHtmlHighlighter::tokenAttributes()
{
    // The last token of the line has the kind; its attribute follows from the kind.
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(QString, attribute);
    H html;
    html.ClearRange();
    html.BeginLine(line, 0);
    SynHighlighterAttributes *last = nullptr;
    int lastKind = -1;
    for (; !html.AtLineEnd(); html.Advance()) {
        last = html.TokenAttri();
        lastKind = html.TokenKindId();
    }
    QCOMPARE(lastKind, kind);
    QVERIFY(last);
    QCOMPARE(last->AttriName(), attribute);
    QCOMPARE(html.TokenAttri(), nullptr);
}

namespace {

void attributeColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<SynColor>("foreground");
    QTest::addColumn<SynColor>("background");
    QTest::addColumn<int>("style");
}

void checkAttribute(const SynCustomHighlighter &html)
{
    QFETCH(QString, name);
    QFETCH(SynColor, foreground);
    QFETCH(SynColor, background);
    QFETCH(int, style);
    SynHighlighterAttributes *found = nullptr;
    for (int i = 0; i < html.AttriCount(); ++i)
        if (html.AttriAt(i)->AttriName() == name)
            found = html.AttriAt(i);
    QVERIFY(found);
    QCOMPARE(found->Foreground(), foreground);
    QCOMPARE(found->Background(), background);
    QCOMPARE(int(found->Style()), style);
}

} // namespace

void TestHtmlHighlighter::constructorAttributes_data()
{
    attributeColumns();
    QTest::newRow("Asp") << "Asp" << SynColor(0x000000) << SynColor(0x00FFFF) << 0;
    QTest::newRow("Comment") << "Comment" << clNone << clNone << 0;
    QTest::newRow("Identifier") << "Identifier" << clNone << clNone << int(fsBold);
    QTest::newRow("Reserved word") << "Reserved word" << SynColor(0xFF0080) << clNone << int(fsBold);
    QTest::newRow("Space") << "Space" << clNone << clNone << 0;
    QTest::newRow("Symbol") << "Symbol" << clNone << clNone << int(fsBold);
    QTest::newRow("Text") << "Text" << clNone << clNone << 0;
    QTest::newRow("Unknown word") << "Unknown word" << SynColor(0x0000FF) << clNone << int(fsBold);
    QTest::newRow("Value") << "Value" << SynColor(0xFF8000) << clNone << 0;
    QTest::newRow("Escape ampersand") << "Escape ampersand" << SynColor(0x00FF00) << clNone << int(fsBold);
}

void TestHtmlHighlighter::constructorAttributes()
{
    const H html;
    checkAttribute(html);
}

void TestHtmlHighlighter::mainFormAttributes_data()
{
    attributeColumns();
    QTest::newRow("Asp") << "Asp" << SynColor(0x000000) << SynColor(0x00FFFF) << 0;
    QTest::newRow("Identifier") << "Identifier" << SynColor(0x808000) << clNone << 0;
    QTest::newRow("Reserved word") << "Reserved word" << SynColor(0x800000) << clNone << int(fsBold);
    QTest::newRow("Symbol") << "Symbol" << clNone << clNone << 0;
    QTest::newRow("Unknown word") << "Unknown word" << SynColor(0x0000FF) << clNone << int(fsBold | fsUnderline);
    QTest::newRow("Value") << "Value" << SynColor(0x800080) << clNone << 0;
    QTest::newRow("Escape ampersand") << "Escape ampersand" << SynColor(0x000080) << clNone << int(fsBold);
}

void TestHtmlHighlighter::mainFormAttributes()
{
    // The factory gives the main window's configuration.
    MainHighlighters main;
    checkAttribute(main.xhHTML);
}

void TestHtmlHighlighter::standardAttributes()
{
    const H html;
    QCOMPARE(html.StandardAttri(H::siComment), html.CommentAttri());
    QCOMPARE(html.StandardAttri(H::siIdentifier), html.IdentifierAttri());
    QCOMPARE(html.StandardAttri(H::siKeyword), html.KeyAttri());
    QCOMPARE(html.StandardAttri(H::siString), nullptr);
    QCOMPARE(html.StandardAttri(H::siWhitespace), html.SpaceAttri());
    QCOMPARE(html.StandardAttri(H::siSymbol), html.SymbolAttri());
    QCOMPARE(html.StandardAttri(-1), nullptr);
    QCOMPARE(html.StandardAttri(6), nullptr);
}

void TestHtmlHighlighter::languageValues()
{
    const H html;
    QCOMPARE(html.LanguageTitle(), QStringLiteral("HTML document"));
    const QString filter = QStringLiteral("HTML Document (*.htm,*.html)|*.htm;*.html");
    QCOMPARE(html.DefaultFilter(), filter);
    QCOMPARE(MainHighlighters().xhHTML.DefaultFilter(), filter);

    QStringList names;
    for (int i = 0; i < html.AttriCount(); ++i)
        names.append(html.AttriAt(i)->AttriName());
    QCOMPARE(names,
             QStringList({"Asp", "Comment", "Escape ampersand", "Identifier", "Reserved word", "Space", "Symbol",
                          "Text", "Unknown word", "Value"}));

    const CharSet words = html.WordChars();
    QCOMPARE(words.count(), 10 + 26 + 1 + 26 + 64 - 2);
    for (char16_t c : {u'0', u'9', u'A', u'Z', u'_', u'a', u'z', char16_t(192), char16_t(255), char16_t(0x20AC)})
        QVERIFY2(words.contains(c), qPrintable(QString::number(c)));
    for (char16_t c : {u' ', u'-', u'/', u'@', u'`', u'{', char16_t(191), char16_t(215), char16_t(247)})
        QVERIFY2(!words.contains(c), qPrintable(QString::number(c)));
}

void TestHtmlHighlighter::rangeStates()
{
    H html;
    QCOMPARE(html.RangeState(), H::rsText);
    html.RestoreRange(0x1202);
    QCOMPARE(html.RangeState(), H::rsComment);
    html.ClearRange();
    QCOMPARE(html.RangeState(), H::rsText);
}

void TestHtmlHighlighter::attributeChangesReachListeners()
{
    H html;
    int told = 0;
    html.HookAttriChange(this, [&told] { ++told; });
    html.AndAttri()->SetForeground(0x123456);
    html.ValueAttri()->SetForeground(0xFF8000); // unchanged: nobody is told
    QCOMPARE(told, 1);
}

void TestHtmlHighlighter::interruptedScanLeavesNoEntityBehind()
{
    // A scan stopped right after the text rule found "&thetasym;" (as the bracket matcher stops):
    // the next line's "&" must not be taken for that entity, which is longer than the line.
    H html;
    html.ClearRange();
    html.BeginLine(u"a&thetasym;", 0);
    QCOMPARE(html.TokenText(), QStringView(u"a"));
    html.RestoreRange(H::rsInTag);
    const QString next = QStringLiteral("&x");
    html.BeginLine(next, 1);
    QCOMPARE(html.TokenText(), QStringView());
    html.Advance();
    QCOMPARE(html.TokenText(), QStringView(u"&x"));
    QCOMPARE(html.TokenKindId(), Txt);
    html.Advance();
    QVERIFY(html.AtLineEnd());
    QCOMPARE(html.TokenStart(), 2);
}

void TestHtmlHighlighter::demoSourceShowsTheMainKinds()
{
    H html;
    QSet<int> kinds;
    html.ClearRange();
    const QStringList lines = html.DemoSource().split(u'\n');
    for (int i = 0; i < lines.size(); ++i)
        for (html.BeginLine(lines[i], i); !html.AtLineEnd(); html.Advance())
            kinds.insert(html.TokenKindId());
    QCOMPARE(kinds, QSet<int>({Amp, Asp, Com, Id, Key, Sp, Str, Sym, Txt, Undef, Val}));
}

QTEST_GUILESS_MAIN(TestHtmlHighlighter)
#include "tst_html_highlighter.moc"
