#include "MainSchemes.h"

#include "SynHighlighterMulti.h"

namespace {

struct SchemeSetting {
    const char16_t *name;
    bool caseSensitive;
    const char16_t *start;
    const char16_t *end;
    SynCustomHighlighter *EmbeddedHighlighters::*highlighter;
};

// In the order they are tried: a line's first PHP marker wins over a script tag before it.
// clang-format off
constexpr SchemeSetting Schemes[] = {
    {u"PHPScheme", false, u"<\\?", u"\\?>", &EmbeddedHighlighters::php},
    {u"JSScheme", false, u"<SCRIPT", u"</SCRIPT>", &EmbeddedHighlighters::js},
    {u"CSSScheme", false, u"<STYLE", u"</STYLE>", &EmbeddedHighlighters::css},
    {u"ASPScheme", true, u"<\\%", u"\\%>", &EmbeddedHighlighters::asp},
};
// clang-format on

constexpr SynColor Red = 0x0000FF;

} // namespace

void ConfigureMainSchemes(SynMultiSyn &multi, const EmbeddedHighlighters &highlighters)
{
    multi.SetDefaultHighlighter(highlighters.html);
    multi.SetDefaultLanguageName(QStringLiteral("PHP"));
    for (const SchemeSetting &setting : Schemes) {
        SynMultiScheme &scheme = multi.AddScheme();
        scheme.SetSchemeName(QString::fromUtf16(setting.name));
        scheme.SetCaseSensitive(setting.caseSensitive);
        scheme.SetStartExpr(QString::fromUtf16(setting.start));
        scheme.SetEndExpr(QString::fromUtf16(setting.end));
        scheme.SetHighlighter(highlighters.*setting.highlighter);
        scheme.MarkerAttri()->SetBackground(clNone);
        scheme.MarkerAttri()->SetForeground(Red);
    }
}
