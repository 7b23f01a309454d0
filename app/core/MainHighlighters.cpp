#include "MainHighlighters.h"

#include "MainSchemes.h"

namespace {

using Pick = SynCustomHighlighter *(*)(MainHighlighters &);

// clang-format off
const std::pair<const char16_t *, Pick> ByName[] = {
    {u"php", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhPHP; }},
    {u"html", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhHTML; }},
    {u"multi", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhMulti; }},
};
// clang-format on

} // namespace

MainHighlighters::MainHighlighters()
{
    xhPHP.ApplyMainFormSettings();
    xhHTML.ApplyMainFormSettings();
    ConfigureMainSchemes(xhMulti, {&xhHTML, &xhPHP, nullptr, nullptr, nullptr});
    // Stored switched off: the editor switches it on for the files that need it.
    xhMulti.SetEnabled(false);
}

QStringList MainHighlighters::names()
{
    QStringList names;
    for (const auto &[name, pick] : ByName)
        names.append(QString::fromUtf16(name));
    return names;
}

SynCustomHighlighter *MainHighlighters::byName(QStringView name)
{
    for (const auto &[known, pick] : ByName)
        if (name == QStringView(known))
            return pick(*this);
    return nullptr;
}
