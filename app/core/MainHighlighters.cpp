#include "MainHighlighters.h"

#include "IniFile.h"
#include "MainSchemes.h"

#include <QFileInfo>

namespace {

using Pick = SynCustomHighlighter *(*)(MainHighlighters &);

// clang-format off
const std::pair<const char16_t *, Pick> ByName[] = {
    {u"php", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhPHP; }},
    {u"html", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhHTML; }},
    {u"multi", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhMulti; }},
};
// clang-format on

// The colours from the file, or the file from the colours when it is missing; empty when
// all went well.
QString loadOrCreateColours(SynCustomHighlighter &highlighter, const QString &fileName)
{
    IniFile file(fileName);
    if (!file.load())
        return QStringLiteral("Unable to read %1").arg(fileName);
    if (QFileInfo::exists(fileName)) {
        highlighter.LoadColorsFromIni(file);
        return {};
    }
    highlighter.SaveColorsToIni(file);
    QString error;
    file.save(&error);
    return error;
}

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

QStringList LoadHighlighterColours(MainHighlighters &highlighters, const QString &phpFile, const QString &htmlFile)
{
    QStringList errors;
    for (const auto &[highlighter, file] :
         {std::pair<SynCustomHighlighter *, QString>{&highlighters.xhPHP, phpFile}, {&highlighters.xhHTML, htmlFile}})
        if (const QString error = loadOrCreateColours(*highlighter, file); !error.isEmpty())
            errors.append(error);
    return errors;
}
