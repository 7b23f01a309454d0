// The history file: any file loads, and the list saved loads back the same.
#include "FuzzSupport.h"
#include "ProjectHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ProjectHistory history;
    FUZZ_CHECK(history.load(inputFile("fuzz.his", data, size)));
    for (const QString &path : history.paths())
        FUZZ_CHECK(!path.isEmpty());
    FUZZ_CHECK(history.save(scratchPath("saved.his")));
    ProjectHistory again;
    FUZZ_CHECK(again.load(scratchPath("saved.his")));
    FUZZ_CHECK(again.paths() == history.paths());
    return 0;
}
