#include "MainHighlighters.h"

#include "DiskFiles.h"
#include "IniFile.h"
#include "MainSchemes.h"
#include "WordListFile.h"

#include <QFileInfo>

namespace {

using Pick = SynCustomHighlighter *(*)(MainHighlighters &);

// clang-format off
const std::pair<const char16_t *, Pick> ByName[] = {
    {u"php", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhPHP; }},
    {u"html", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhHTML; }},
    {u"multi", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhMulti; }},
    {u"js", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhJS; }},
    {u"css", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhCSS; }},
    {u"sql", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhSQL; }},
    {u"vbs", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhVBS; }},
    {u"general", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhGen; }},
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
    xhJS.ApplyMainFormSettings();
    xhCSS.ApplyMainFormSettings();
    xhSQL.ApplyMainFormSettings();
    xhVBS.ApplyMainFormSettings();
    xhGen.ApplyMainFormSettings();
    ConfigureMainSchemes(xhMulti, {&xhHTML, &xhPHP, &xhJS, &xhCSS, &xhVBS});
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
    const auto note = [&errors](const QString &error) {
        if (!error.isEmpty())
            errors.append(error);
    };
    note(loadOrCreateColours(highlighters.xhPHP, phpFile));
    // The PHP file as it now is (read or just written) also colours the custom highlighting.
    if (IniFile shared(phpFile); shared.load())
        highlighters.xhGen.LoadColorsFromIni(shared);
    note(loadOrCreateColours(highlighters.xhHTML, htmlFile));
    return errors;
}

void SetCustomKeywords(SynGeneralSyn &highlighter, const QStringList &keywords, const QStringList &functions)
{
    highlighter.ClearKeyWords();
    highlighter.AddKeyWords(keywords);
    highlighter.AddKeyWords(functions);
}

void LoadCustomKeywords(SynGeneralSyn &highlighter, const QString &dataDir)
{
    const auto entries = [&dataDir](const char *name, QStringView header) {
        QByteArray bytes;
        ReadFailure failure;
        if (!readDiskFile(dataDir + QString::fromLatin1(name), 16 * 1024 * 1024, &bytes, &failure))
            return QStringList();
        return listEntries(dataFileLines(bytes), header);
    };
    SetCustomKeywords(highlighter, entries("phpkw.dat", KeywordsHeader), entries("phpfu.dat", FunctionsHeader));
}
