// The colour files of the PHP and HTML highlighters: any file loads, and the colours then saved
// read back to the same file.
#include "FuzzSupport.h"
#include "IniFile.h"
#include "MainHighlighters.h"

namespace {

QByteArray savedColours(SynCustomHighlighter &highlighter, const char *name)
{
    IniFile file(scratchPath(name));
    highlighter.SaveColorsToIni(file);
    return file.toBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MainHighlighters loaded;
    const QString php = inputFile("fuzz.cop", data, size);
    const QString html = inputFile("fuzz.coh", data, size);
    // A file that exists is only read, so no error can come of it.
    FUZZ_CHECK(LoadHighlighterColours(loaded, php, html).isEmpty());
    for (SynCustomHighlighter *highlighter :
         {static_cast<SynCustomHighlighter *>(&loaded.xhPHP), static_cast<SynCustomHighlighter *>(&loaded.xhHTML)}) {
        const QByteArray saved = savedColours(*highlighter, "saved.ini");
        const QString path =
            inputFile("saved.ini", reinterpret_cast<const uint8_t *>(saved.constData()), size_t(saved.size()));
        IniFile file(path);
        FUZZ_CHECK(file.load());
        MainHighlighters fresh;
        SynCustomHighlighter &same =
            highlighter == &loaded.xhPHP ? static_cast<SynCustomHighlighter &>(fresh.xhPHP) : fresh.xhHTML;
        same.LoadColorsFromIni(file);
        FUZZ_CHECK(savedColours(same, "again.ini") == saved);
    }
    return 0;
}
