#include "EditorModel.h"
#include "MainHighlighters.h"
#include "MainSchemes.h"
#include "ModelTestSupport.h"
#include "SynHighlighterMulti.h"
#include "TestHighlighter.h"
#include "TokenDump.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// "text" / "Attribute" pairs of a line's tokens, the end-of-line token left out.
QStringList tokensOf(SynCustomHighlighter &h, QStringView line, SynRangeState range)
{
    QStringList out;
    for (const DumpedToken &token : scanLine(h, line, 0, range).tokens)
        if (!token.text.isEmpty())
            out.append(token.text + u'/' + token.attribute);
    return out;
}

// A multi-language highlighter over two test lexers: "{{" .. "}}" (case-sensitive) and
// "<x" .. "</x>" (any case), with the default lexer outside.
struct Fixture {
    TestHighlighter outer;
    TestHighlighter braces;
    TestHighlighter tags;
    SynMultiSyn multi;

    Fixture()
    {
        multi.SetDefaultHighlighter(&outer);
        add(u"\\{\\{", u"\\}\\}", &braces, true);
        add(u"<x", u"</x>", &tags, false);
        multi.ClearRange();
    }
    SynMultiScheme &add(const char16_t *start, const char16_t *end, SynCustomHighlighter *h, bool caseSensitive)
    {
        SynMultiScheme &scheme = multi.AddScheme();
        scheme.SetCaseSensitive(caseSensitive);
        scheme.SetStartExpr(QString::fromUtf16(start));
        scheme.SetEndExpr(QString::fromUtf16(end));
        scheme.SetHighlighter(h);
        return scheme;
    }
    SynRangeState rangeAfter(QStringView line, SynRangeState range)
    {
        return scanLine(multi, line, 0, range).rangeAfter;
    }
};

constexpr SynRangeState DefaultActive = 1; // scheme bits of "no scheme"

} // namespace

class TestMultiHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void sectionsGoToTheirHighlighters_data();
    void sectionsGoToTheirHighlighters();
    void rangePacksSchemeInnerAndOuterState();
    void sectionSpanningLinesEndsWithTheOuterStateItHad();
    void restoreRangeOfZeroChangesNothing();
    void markerChecksMayMoveOrDropMarkers();
    void unusableSchemesAreNeverEntered();
    void expressionsThatCannotMatchSafely();
    void defaultHighlighterRules();
    void destroyedHighlightersAreForgotten();
    void changesReachListeners();
    void withoutDefaultTheLineIsOneToken();
    void mainSchemes();
    void phpInsideHtml();
    void bracketsSkipQuotesOfTheirSection_data();
    void bracketsSkipQuotesOfTheirSection();
};

void TestMultiHighlighter::sectionsGoToTheirHighlighters_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("tokens");
    QTest::addRow("plain text") << "a b" << QStringList{"a/Identifier", " /", "b/Identifier"};
    QTest::addRow("one section") << "a{{b}}c"
                                 << QStringList{"a/Identifier", "{{/Marker", "b/Identifier", "}}/Marker",
                                                "c/Identifier"};
    QTest::addRow("marker first") << "{{b}}" << QStringList{"{{/Marker", "b/Identifier", "}}/Marker"};
    QTest::addRow("empty section") << "{{}}c" << QStringList{"{{/Marker", "}}/Marker", "c/Identifier"};
    QTest::addRow("two sections back to back")
        << "{{}}{{a}}" << QStringList{"{{/Marker", "}}/Marker", "{{/Marker", "a/Identifier", "}}/Marker"};
    QTest::addRow("case-insensitive markers keep their own case")
        << "<X y</x>" << QStringList{"<X/Marker", " /", "y/Identifier", "</x>/Marker"};
    QTest::addRow("first scheme in order wins over an earlier start")
        << "<x {{" << QStringList{"</Symbol", "x/Identifier", " /", "{{/Marker"};
    QTest::addRow("sections are lexed on their own")
        << "\"a{{b\"}}" << QStringList{"\"a/String", "{{/Marker", "b/Identifier", "\"/String", "}}/Marker"};
}

void TestMultiHighlighter::sectionsGoToTheirHighlighters()
{
    QFETCH(QString, line);
    QFETCH(QStringList, tokens);
    Fixture f;
    QCOMPARE(tokensOf(f.multi, line, f.multi.RangeState()), tokens);
}

void TestMultiHighlighter::rangePacksSchemeInnerAndOuterState()
{
    Fixture f;
    // The outer lexer is inside a comment when the section starts, the section's lexer when the
    // line ends.
    const SynRangeState range = f.rangeAfter(u"/* {{ /* x", DefaultActive);
    QCOMPARE(range & 31, 2u); // scheme 0
    QCOMPARE((range >> 5) & 0xFFF, TestHighlighter::InComment);
    QCOMPARE((range >> 17) & 0xFFF, TestHighlighter::InComment);
}

void TestMultiHighlighter::sectionSpanningLinesEndsWithTheOuterStateItHad()
{
    Fixture f;
    const SynRangeState inside = f.rangeAfter(u"/* {{ /* x", DefaultActive);
    // Scanned on its own, as a repaint does: the outer comment still resumes after the marker.
    QCOMPARE(tokensOf(f.multi, u"a }} b", inside), QStringList({"a /Comment", "}}/Marker", " b/Comment"}));
    QCOMPARE(f.rangeAfter(u"a }} b", inside), DefaultActive | TestHighlighter::InComment << 5);
    QCOMPARE(f.rangeAfter(u"a }} b */ c", inside), DefaultActive);
}

void TestMultiHighlighter::restoreRangeOfZeroChangesNothing()
{
    Fixture f;
    const SynRangeState inside = f.rangeAfter(u"{{ /* a", DefaultActive);
    f.multi.RestoreRange(inside);
    f.multi.RestoreRange(0);
    QCOMPARE(f.multi.RangeState(), inside);
}

void TestMultiHighlighter::markerChecksMayMoveOrDropMarkers()
{
    Fixture f;
    int calls = 0;
    f.multi.Scheme(0).OnCheckStartMarker = [&](SynMultiSyn *sender, int &, int &length, QString &text) {
        QCOMPARE(sender, &f.multi);
        ++calls;
        if (text == u"{{") {
            length = 0; // dropped: the text stays with the outer lexer
        }
    };
    QCOMPARE(tokensOf(f.multi, u"a{{b", DefaultActive),
             QStringList({"a/Identifier", "{/Symbol", "{/Symbol", "b/Identifier"}));
    QCOMPARE(calls, 1);
}

void TestMultiHighlighter::unusableSchemesAreNeverEntered()
{
    Fixture f;
    f.braces.SetEnabled(false);
    QCOMPARE(tokensOf(f.multi, u"{{b}}", DefaultActive).size(), 5); // five symbols and identifiers
    f.braces.SetEnabled(true);
    f.multi.Scheme(0).SetEndExpr(QString());
    QCOMPARE(tokensOf(f.multi, u"{{b}}", DefaultActive).first(), QStringLiteral("{/Symbol"));
}

void TestMultiHighlighter::expressionsThatCannotMatchSafely()
{
    Fixture f;
    f.multi.Scheme(0).SetStartExpr(QStringLiteral("(unclosed"));
    QVERIFY(f.multi.Scheme(0).StartRegExpr().ErrorString().startsWith(u"TRegExpr(comp): "));
    QVERIFY(f.multi.Scheme(0).EndRegExpr().ErrorString().isEmpty());
    QCOMPARE(tokensOf(f.multi, u"a(unclosed", DefaultActive).first(), QStringLiteral("a/Identifier"));
    // An expression that can match nothing would never move the scan along.
    f.multi.Scheme(0).SetStartExpr(QStringLiteral("z*"));
    QCOMPARE(tokensOf(f.multi, u"abc", DefaultActive), QStringList({"abc/Identifier"}));
}

void TestMultiHighlighter::defaultHighlighterRules()
{
    Fixture f;
    QString error;
    QVERIFY(!f.multi.SetDefaultHighlighter(&f.multi, &error));
    QCOMPARE(error,
             QStringLiteral("It is not good to set the DefaultHighlighter of a SynMultiSyn to the SynMultiSyn "
                            "itself. Please do not try this again"));
    QCOMPARE(f.multi.DefaultHighlighter(), &f.outer);
    QCOMPARE(f.multi.AttriCount(), 2);
    QCOMPARE(f.multi.AttriAt(1)->AttriName(), QStringLiteral("Marker"));
    QVERIFY(!f.multi.AttriAt(2));
    QCOMPARE(f.multi.LanguageTitle(), QStringLiteral("General Multi-Highlighter"));
}

void TestMultiHighlighter::destroyedHighlightersAreForgotten()
{
    SynMultiSyn multi;
    auto inner = std::make_unique<TestHighlighter>();
    auto outer = std::make_unique<TestHighlighter>();
    multi.SetDefaultHighlighter(outer.get());
    multi.AddScheme().SetHighlighter(inner.get());
    inner.reset();
    QVERIFY(!multi.Scheme(0).Highlighter());
    outer.reset();
    QVERIFY(!multi.DefaultHighlighter());
}

void TestMultiHighlighter::changesReachListeners()
{
    Fixture f;
    int told = 0;
    f.multi.HookAttriChange(this, [&] { ++told; });
    f.braces.AttriAt(0)->SetStyle(fsBold); // an embedded highlighter's colours
    f.multi.Scheme(0).MarkerAttri()->SetStyle(0); // a marker's
    f.multi.Scheme(0).SetStartExpr(QStringLiteral("\\{\\{")); // unchanged expression: no news
    f.multi.Scheme(1).SetStartExpr(QStringLiteral("<X")); // same after upper-casing: no news
    f.multi.Scheme(1).SetCaseSensitive(true);
    QCOMPARE(told, 3);
}

void TestMultiHighlighter::withoutDefaultTheLineIsOneToken()
{
    SynMultiSyn multi;
    const DumpedLine line = scanLine(multi, u"a {{ b", 0, 0);
    QCOMPARE(line.tokens.size(), size_t(2));
    QCOMPARE(line.tokens[0].text, QStringLiteral("a {{ b"));
    QVERIFY(line.tokens[1].text.isEmpty());
    QCOMPARE(scanLine(multi, u"", 0, 0).tokens.size(), size_t(1));
}

void TestMultiHighlighter::mainSchemes()
{
    TestHighlighter html, php;
    SynMultiSyn multi;
    ConfigureMainSchemes(multi, {&html, &php, nullptr, nullptr, nullptr});
    QCOMPARE(multi.SchemeCount(), 4);
    QCOMPARE(multi.Scheme(0).SchemeName(), QStringLiteral("PHPScheme"));
    QCOMPARE(multi.Scheme(3).StartExpr(), QStringLiteral("<\\%"));
    QVERIFY(!multi.Scheme(1).CaseSensitive());
    QCOMPARE(multi.Scheme(0).MarkerAttri()->Foreground(), SynColor(0x0000FF));
    QCOMPARE(multi.Scheme(0).MarkerAttri()->Background(), clNone);
    QCOMPARE(multi.Scheme(0).MarkerAttri()->Style(), std::uint8_t(fsBold));
    multi.ClearRange();
    // No script highlighter: the script scheme is never entered.
    QCOMPARE(tokensOf(multi, u"<script>{?>", multi.RangeState()).size(), 6);
}

void TestMultiHighlighter::phpInsideHtml()
{
    MainHighlighters main;
    SynMultiSyn &multi = main.xhMulti;
    multi.ClearRange();
    const SynRangeState html = multi.RangeState();
    QCOMPARE(tokensOf(multi, u"text <?php echo 1; ?> more", html),
             QStringList({"text /Text", "<?/Marker", "php/Identifier", " /Space", "echo/Reserved word", " /Space",
                          "1/Number", ";/Symbol", " /Space", "?>/Marker", " more/Text"}));
    // A PHP block left open carries the PHP scheme, and the page's own state, to the next line.
    const SynRangeState open = scanLine(multi, u"<p><?php", 0, html).rangeAfter;
    QCOMPARE(open & 31, 2u);
    QCOMPARE(tokensOf(multi, u"?> x", open), QStringList({"?>/Marker", " x/Text"}));
    // Script blocks are found in any case; with no script highlighter the page keeps them.
    QCOMPARE(tokensOf(multi, u"<Script>", html).first(), QStringLiteral("</Symbol"));
}

void TestMultiHighlighter::bracketsSkipQuotesOfTheirSection_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    // '|' marks the caret.
    QTest::addRow("PHP string in a page")
        << u"<?php if |(strpos($s, \")\") > 0) { } ?>"_s << u"<?php if (strpos($s, \")\") > 0|) { } ?>"_s;
    QTest::addRow("backward over a PHP string")
        << u"<?php if (strpos($s, \")\") > 0|) { } ?>"_s << u"<?php if |(strpos($s, \")\") > 0) { } ?>"_s;
    QTest::addRow("PHP comment in a page") << u"<p><?php |{ /* } */ } ?>"_s << u"<p><?php { /* } */ |} ?>"_s;
    QTest::addRow("HTML comment before a PHP block left open")
        << u"<p>|( <!-- ( --> ) <?php\n$a = \")\";"_s << u"<p>( <!-- ( --> |) <?php\n$a = \")\";"_s;
    QTest::addRow("HTML comment between PHP blocks")
        << u"<?php if ($a) |{\n?><!-- } -->\n<?php } ?>"_s << u"<?php if ($a) {\n?><!-- } -->\n<?php |} ?>"_s;
    QTest::addRow("HTML comment after a PHP block")
        << u"<?php $a = '{'; ?>|(<!-- ( -->)"_s << u"<?php $a = '{'; ?>(<!-- ( -->|)"_s;
}

// Matching a bracket skips the strings and comments of the language each bracket is written in.
void TestMultiHighlighter::bracketsSkipQuotesOfTheirSection()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    MainHighlighters main;
    EditorModel model;
    model.SetHighlighter(&main.xhMulti);
    LoadMarked(model, before);
    model.ExecuteCommand(EditorCommand::MatchBracket);
    QCOMPARE(Marked(model), after);
    model.SetHighlighter(nullptr);
}

QTEST_GUILESS_MAIN(TestMultiHighlighter)
#include "tst_multi_highlighter.moc"
