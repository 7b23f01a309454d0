// The main window with large projects: opening one of 10,000 files, and the memory a project with
// a 50 MB file takes above an empty start.
#include "MainWindow.h"
#include "OffscreenBenchmarks.h"
#include "ResidentMemory.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

#include <unistd.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A project in dir listing files files of the given text; the last one is the active file.
QString writeProject(const QTemporaryDir &dir, int files, const QByteArray &text)
{
    QByteArray project = "Name=Big\r\nDescription=\r\nServerURL=\r\nLastFile=" + QByteArray::number(files) + "\r\n";
    for (int i = 0; i < files; ++i) {
        const QString name = QStringLiteral("page%1.php").arg(i);
        writeFile(dir.filePath(name), text);
        project += "ProjectFile=" + name.toUtf8() + ";PHP;1,1:1\r\n";
    }
    writeFile(dir.filePath("big.vlmp"), project);
    return dir.filePath("big.vlmp");
}

std::unique_ptr<MainWindow> openWindow(const QTemporaryDir &settings)
{
    auto window = std::make_unique<MainWindow>(ProgramFiles(settings.path(), QStringLiteral(VELMORA_SOURCE_DATA_DIR)),
                                               QStringList());
    window->show();
    QApplication::processEvents();
    return window;
}

void BM_OpenProject_10000Files(benchmark::State &state)
{
    const QTemporaryDir site;
    const QTemporaryDir settings;
    const QString project = writeProject(site, int(state.range(0)), "<?php echo 1; ?>\n");
    for (auto _ : state) {
        auto window = openWindow(settings);
        const auto start = std::chrono::steady_clock::now();
        window->projects().LoadProject(project);
        QApplication::processEvents();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.counters["s"] = elapsed.count();
        state.counters["rows"] = window->projects().project().Files.size();
    }
}

void BM_Memory_ProjectWith50MBFile(benchmark::State &state)
{
    const QTemporaryDir site;
    const QTemporaryDir settings;
    const QByteArray line("            <?php echo htmlspecialchars($product['name']); ?> -- a catalogue line\n");
    const QByteArray text = line.repeated(50'000'000 / line.size());
    const QString project = writeProject(site, 1, text);
    for (auto _ : state) {
        auto window = openWindow(settings);
        const qint64 before = residentBytes();
        window->projects().LoadProject(project);
        QApplication::processEvents();
        const qint64 after = residentBytes();
        state.counters["ratio"] = double(after - before) / double(text.size());
        state.counters["MB"] = double(after - before) / 1e6;
    }
}

} // namespace

BENCHMARK(BM_OpenProject_10000Files)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Memory_ProjectWith50MBFile)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
