// The word list files (keywords, functions, templates): any bytes give entries that the custom
// highlighting and the completion lists take, and the entries written read back the same.
#include "CompletionData.h"
#include "FuzzSupport.h"
#include "MainHighlighters.h"
#include "WordListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = dataFileLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QStringList keywords = listEntries(lines, KeywordsHeader);
    const QStringList functions = listEntries(lines, FunctionsHeader);
    for (const auto &[header, entries] : {std::pair{KeywordsHeader, keywords}, std::pair{FunctionsHeader, functions}})
        FUZZ_CHECK(listEntries(dataFileLines(wordListFileBytes(header, entries)), header) == entries);

    MainHighlighters highlighters;
    SetCustomKeywords(highlighters.xhGen, keywords, functions);
    const CompletionLists lists = completionLists(keywords, functions);
    for (const QString &word : keywords.mid(0, 8))
        matchingItems(lists.insertList, word.left(3));
    return 0;
}
