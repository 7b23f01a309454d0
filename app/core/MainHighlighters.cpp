#include "MainHighlighters.h"

#include "DiskFiles.h"
#include "IniFile.h"
#include "MainSchemes.h"
#include "WordListFile.h"

#include <QFileInfo>

namespace {

using Pick = SynCustomHighlighter *(*)(MainHighlighters &);
using Make = std::shared_ptr<SynCustomHighlighter> (*)();

template <typename Highlighter>
std::shared_ptr<SynCustomHighlighter> alone()
{
    auto highlighter = std::make_shared<Highlighter>();
    highlighter->ApplyMainFormSettings();
    return highlighter;
}

// The multi-language highlighter embeds the others, so it comes with the whole set.
std::shared_ptr<SynCustomHighlighter> withTheSet()
{
    auto set = std::make_shared<MainHighlighters>();
    return {set, &set->xhMulti};
}

struct Named {
    const char16_t *name;
    Pick pick;
    Make make;
};

// clang-format off
const Named ByName[] = {
    {u"php", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhPHP; }, alone<SynPHPSyn>},
    {u"html", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhHTML; }, alone<SynHTMLSyn>},
    {u"multi", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhMulti; }, withTheSet},
    {u"js", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhJS; }, alone<SynJScriptSyn>},
    {u"css", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhCSS; }, alone<SynCssSyn>},
    {u"sql", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhSQL; }, alone<SynSQLSyn>},
    {u"vbs", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhVBS; }, alone<SynVBScriptSyn>},
    {u"general", [](MainHighlighters &h) -> SynCustomHighlighter * { return &h.xhGen; }, alone<SynGeneralSyn>},
};
// clang-format on

const Named *named(QStringView name)
{
    for (const Named &entry : ByName)
        if (name == QStringView(entry.name))
            return &entry;
    return nullptr;
}

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
    for (const Named &entry : ByName)
        names.append(QString::fromUtf16(entry.name));
    return names;
}

SynCustomHighlighter *MainHighlighters::byName(QStringView name)
{
    const Named *entry = named(name);
    return entry ? entry->pick(*this) : nullptr;
}

std::shared_ptr<SynCustomHighlighter> MainHighlighters::make(QStringView name)
{
    const Named *entry = named(name);
    return entry ? entry->make() : nullptr;
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
