// Nearly every command ends by writing the settings, so that step must cost next to nothing.
#include "IniFile.h"
#include "SysOptions.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_ApplySettings_Unchanged(benchmark::State &state)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("velmora.ini"));
    ini.load();
    const SysOptions options;
    writeSysOptions(ini, options);
    ini.save(nullptr);
    for (auto _ : state) {
        writeSysOptions(ini, options);
        benchmark::DoNotOptimize(ini.save(nullptr));
    }
}

void BM_ReadSettings(benchmark::State &state)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("velmora.ini"));
    ini.load();
    writeSysOptions(ini, SysOptions());
    ini.save(nullptr);
    for (auto _ : state) {
        IniFile fresh(ini.path());
        fresh.load();
        benchmark::DoNotOptimize(readSysOptions(fresh));
    }
}

} // namespace

BENCHMARK(BM_ApplySettings_Unchanged);
BENCHMARK(BM_ReadSettings);
BENCHMARK_MAIN();
