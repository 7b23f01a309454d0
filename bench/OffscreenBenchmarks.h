#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark program that needs widgets: runs every benchmark on the offscreen
// platform, so no display is needed.
inline int runOffscreenBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
