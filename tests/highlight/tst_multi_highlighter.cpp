#include "EditorModel.h"
#include "MainHighlighters.h"
#include "MainSchemes.h"
#include "ModelTestSupport.h"
#include "RaisedErrors.h"
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

// The test lexer with its comment state above the bits the multi-language highlighter keeps for
// an inner state; restoring anything else leaves the comment.
class WideStateHighlighter : public TestHighlighter
{
public:
    static constexpr SynRangeState WideComment = 0x1000 | InComment;

    SynRangeState RangeState() const override { return TestHighlighter::RangeState() ? WideComment : 0; }
    void RestoreRange(SynRangeState range) override
    {
        TestHighlighter::RestoreRange(range == WideComment ? InComment : 0);
    }
    QString LanguageTitle() const override { return QStringLiteral("Wide"); }
};

// Scans the lines one after another without restoring the range between them, as a rescan in the
// editor does.
std::vector<DumpedLine> continuedScan(SynCustomHighlighter &h, const QStringList &lines)
{
    std::vector<DumpedLine> out;
    h.ClearRange();
    for (int i = 0; i < lines.size(); ++i) {
        DumpedLine line;
        line.rangeBefore = h.RangeState();
        h.BeginLine(lines[i], i);
        for (int n = 0; n < 1000; ++n) {
            const SynHighlighterAttributes *attribute = h.TokenAttri();
            line.tokens.push_back({h.TokenStart(), h.TokenText().toString(), h.TokenKindId(),
                                   attribute ? attribute->AttriName() : QString()});
            if (h.AtLineEnd())
                break;
            h.Advance();
        }
        line.rangeAfter = h.RangeState();
        out.push_back(std::move(line));
    }
    return out;
}

// The ways the highlighter is misused in errorsAreRaisedAndScanningGoesOn.
enum class Misuse { BadStartExpr, BadEndExpr, TooManySchemes, WideInnerState, WideOuterState, WideDefaultState, Self };

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
    void errorsAreRaisedAndScanningGoesOn_data();
    void errorsAreRaisedAndScanningGoesOn();
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
    // Script blocks are found in any case, and handed to the script highlighter.
    QCOMPARE(tokensOf(multi, u"<Script>var x;", html),
             QStringList({"<Script/Marker", ">/Symbol", "var/Reserved word", " /Space", "x/Identifier", ";/Symbol"}));
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

void TestMultiHighlighter::errorsAreRaisedAndScanningGoesOn_data()
{
    QTest::addColumn<int>("misuse");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    // The tokens of every line, "|" between lines.
    QTest::addColumn<QStringList>("tokens");
    const QString wide = QStringLiteral("Range state 4097 of the Wide highlighter does not fit in the 12 bits the "
                                        "multi-language highlighter keeps for it: it is kept as 0");
    QTest::addRow("start expression does not compile")
        << int(Misuse::BadStartExpr) << QStringList{"a(unclosed{{b"}
        << u"TRegExpr(comp): missing closing parenthesis at offset 9 of \"(unclosed\""_s
        << QStringList{"a/Identifier", "(/Symbol", "unclosed/Identifier", "{/Symbol", "{/Symbol", "b/Identifier"};
    // Entering the scheme would colour the rest of the text with it: it could never be left.
    QTest::addRow("end expression does not compile")
        << int(Misuse::BadEndExpr) << QStringList{"a{{b", "c"}
        << u"TRegExpr(comp): missing closing parenthesis at offset 5 of \"\\}\\}(\""_s
        << QStringList{"a/Identifier", "{/Symbol", "{/Symbol", "b/Identifier", "|", "c/Identifier"};
    QTest::addRow("a 31st scheme")
        << int(Misuse::TooManySchemes) << QStringList{"@@ /* x", "y */ z"}
        << u"At most 30 schemes fit the range state of the multi-language highlighter: scheme 31 and those "
           "after it are never entered"_s
        << QStringList{"@/Symbol", "@/Symbol", " /", "/* x/Comment", "|", "y *//Comment", " /", "z/Identifier"};
    QTest::addRow("inner state too big") << int(Misuse::WideInnerState) << QStringList{"{{ /* a", "b */ }} c"} << wide
                                         << QStringList{"{{/Marker",    " /",        "/* a/Comment", "|",
                                                        "b/Identifier", " /",        "*/Symbol",     "//Symbol",
                                                        " /",           "}}/Marker", " /",           "c/Identifier"};
    QTest::addRow("outer state too big when a scheme starts")
        << int(Misuse::WideOuterState) << QStringList{"/* {{ x", "}} y"} << wide
        << QStringList{"/* /Comment", "{{/Marker", " /", "x/Identifier", "|", "}}/Marker", " /", "y/Identifier"};
    QTest::addRow("default state too big")
        << int(Misuse::WideDefaultState) << QStringList{"/* a", "b */ c"} << wide
        << QStringList{"/* a/Comment", "|", "b/Identifier", " /", "*/Symbol", "//Symbol", " /", "c/Identifier"};
    QTest::addRow("itself as its default highlighter")
        << int(Misuse::Self) << QStringList{"a{{b}}"}
        << u"It is not good to set the DefaultHighlighter of a SynMultiSyn to the SynMultiSyn itself. Please do not "
           "try this again"_s
        << QStringList{"a/Identifier", "{{/Marker", "b/Identifier", "}}/Marker"};
}

// The error is raised once, and the highlighter stays whole: tokens cover each line end to end,
// the range keeps a valid scheme, and a line painted from its stored range looks as it did in
// the scan that stored it.
void TestMultiHighlighter::errorsAreRaisedAndScanningGoesOn()
{
    QFETCH(int, misuse);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    QFETCH(QStringList, tokens);
    RaisedErrors errors;
    Fixture f;
    WideStateHighlighter wideHighlighter;
    switch (Misuse(misuse)) {
    case Misuse::BadStartExpr: f.multi.Scheme(0).SetStartExpr(u"(unclosed"_s); break;
    case Misuse::BadEndExpr: f.multi.Scheme(0).SetEndExpr(u"\\}\\}("_s); break;
    case Misuse::TooManySchemes:
        for (int i = f.multi.SchemeCount(); i < SynMultiSyn::MaxSchemes; ++i) {
            SynMultiScheme &filler = f.multi.AddScheme();
            filler.SetStartExpr(u"~%1~"_s.arg(i));
            filler.SetEndExpr(u"~~"_s);
            filler.SetHighlighter(&f.braces);
        }
        f.add(u"@@", u"##", &f.braces, true);
        break;
    case Misuse::WideInnerState: f.multi.Scheme(0).SetHighlighter(&wideHighlighter); break;
    case Misuse::WideOuterState:
    case Misuse::WideDefaultState: f.multi.SetDefaultHighlighter(&wideHighlighter); break;
    case Misuse::Self: f.multi.SetDefaultHighlighter(&f.multi); break;
    }

    const std::vector<DumpedLine> scanned = continuedScan(f.multi, lines);
    QStringList seen;
    for (int i = 0; i < lines.size(); ++i) {
        const DumpedLine &line = scanned[size_t(i)];
        if (i > 0)
            seen.append(u"|"_s);
        int end = 0;
        for (const DumpedToken &token : line.tokens) {
            QCOMPARE(token.start, end);
            end += int(token.text.size());
            if (!token.text.isEmpty())
                seen.append(token.text + u'/' + token.attribute);
        }
        QCOMPARE(end, int(lines[i].size()));
        QVERIFY(line.tokens.back().text.isEmpty());
        QVERIFY2((line.rangeAfter & 31) != 0, "the range names no scheme");
        const DumpedLine painted = scanLine(f.multi, lines[i], i, line.rangeBefore);
        QVERIFY2(painted.tokens == line.tokens, qPrintable(u"line %1 paints otherwise on its own"_s.arg(i)));
        QCOMPARE(painted.rangeAfter, line.rangeAfter);
    }
    QCOMPARE(seen, tokens);
    QCOMPARE(errors.messages, QStringList{message});
}

QTEST_GUILESS_MAIN(TestMultiHighlighter)
#include "tst_multi_highlighter.moc"
