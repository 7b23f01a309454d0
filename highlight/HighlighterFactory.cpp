#include "HighlighterFactory.h"
#include "SynHighlighterPHP.h"

#include <functional>
#include <vector>

namespace {

struct Entry {
    const char16_t *name;
    std::function<std::unique_ptr<SynCustomHighlighter>()> create;
};

const std::vector<Entry> &entries()
{
    static const std::vector<Entry> table = {
        {u"php", [] {
             auto php = std::make_unique<SynPHPSyn>();
             php->ApplyMainFormSettings();
             return std::unique_ptr<SynCustomHighlighter>(std::move(php));
         }},
    };
    return table;
}

} // namespace

QStringList highlighterNames()
{
    QStringList names;
    for (const Entry &entry : entries())
        names.append(QString::fromUtf16(entry.name));
    return names;
}

std::unique_ptr<SynCustomHighlighter> createHighlighter(QStringView name)
{
    for (const Entry &entry : entries())
        if (name == QStringView(entry.name))
            return entry.create();
    return nullptr;
}
