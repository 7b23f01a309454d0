// The file browser on a generated folder of 100,000 files: reading its names in the list's order,
// their details, the order alone, the model's fill in the background until its rows are in and
// until their details are, and the pane's list until the first rows are painted.
#include "ByteNamedFolder.h"
#include "ExplorerModel.h"
#include "FileExplorer.h"
#include "OffscreenBenchmarks.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>

#include <algorithm>

namespace {

constexpr int Files = 100'000;
constexpr int Folders = 100;

// Names of mixed case in no order, with a few folders, made once for every benchmark.
const ByteNamedFolder &largeFolder()
{
    static const ByteNamedFolder *const folder = [] {
        auto *made = new ByteNamedFolder;
        QRandomGenerator random(19);
        const char *const extensions[] = {".php", ".HTML", ".css", ".js", ".inc", ".txt"};
        for (int i = 0; i < Files; ++i) {
            const QByteArray name = (i % 3 ? "Page_" : "page_") + QByteArray::number(random.bounded(1'000'000'000))
                + '_' + QByteArray::number(i) + extensions[i % 6];
            made->write(name, QByteArray());
        }
        for (int i = 0; i < Folders; ++i)
            made->write("Folder" + QByteArray::number(i) + '/');
        return made;
    }();
    return *folder;
}

// Runs until the model has its rows (the names shown), or until it has their details too.
void waitForRows(ExplorerModel &model)
{
    QEventLoop loop;
    QObject::connect(&model, &ExplorerModel::modelReset, &loop, &QEventLoop::quit);
    loop.exec();
}

void waitForDetails(ExplorerModel &model)
{
    QEventLoop loop;
    QObject::connect(&model, &ExplorerModel::filled, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_ListFolder_100k(benchmark::State &state)
{
    const QString path = largeFolder().path();
    for (auto _ : state) {
        const ExplorerListing listing = listFolder(path, {QStringLiteral("*")}, AllFileTypes);
        if (listing.entries.size() != Files + Folders + 1)
            state.SkipWithError("not every entry was listed");
    }
}

void BM_ReadDetails_100k(benchmark::State &state)
{
    const QString path = largeFolder().path();
    const QList<ExplorerEntry> listed = listFolder(path, {QStringLiteral("*")}, AllFileTypes).entries;
    for (auto _ : state) {
        state.PauseTiming();
        QList<ExplorerEntry> entries = listed;
        entries.detach();
        state.ResumeTiming();
        readDetails(path, entries);
    }
}

void BM_SortEntries_100k(benchmark::State &state)
{
    const QList<ExplorerEntry> listed = listFolder(largeFolder().path(), {QStringLiteral("*")}, AllFileTypes).entries;
    for (auto _ : state) {
        state.PauseTiming();
        QList<ExplorerEntry> entries = listed;
        std::shuffle(entries.begin(), entries.end(), *QRandomGenerator::global());
        state.ResumeTiming();
        sortEntries(entries);
    }
}

// From the folder chosen to its rows in the model, and to their details read.
void BM_ModelFill_100k(benchmark::State &state)
{
    const QString path = largeFolder().path();
    const bool details = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        ExplorerModel model;
        state.ResumeTiming();
        model.setDirectory(path);
        details ? waitForDetails(model) : waitForRows(model);
        if (model.rowCount() != Files + Folders + 1)
            state.SkipWithError("not every entry was listed");
    }
}

// The type column of every row, as a full layout of the list asks for each row's icon: the
// desktop's type of each name, found once.
void BM_TypeOfEveryRow_100k(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        ExplorerModel model;
        model.setDirectory(largeFolder().path());
        waitForDetails(model);
        state.ResumeTiming();
        for (int row = 0; row < model.rowCount(); ++row)
            benchmark::DoNotOptimize(model.index(row, ExplorerModel::TypeColumn).data());
    }
}

// From the folder chosen to its first rows painted, in the list style and in the detail style.
void BM_PaneFirstRows_100k(benchmark::State &state)
{
    const QString path = largeFolder().path();
    for (auto _ : state) {
        state.PauseTiming();
        FileExplorer explorer;
        explorer.setViewStyle(FileExplorer::ViewStyle(state.range(0)));
        explorer.resize(250, 400);
        explorer.show();
        waitForDetails(explorer.model());
        state.ResumeTiming();
        explorer.setDirectory(path);
        waitForRows(explorer.model());
        explorer.view()->viewport()->repaint();
    }
}

} // namespace

BENCHMARK(BM_ListFolder_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDetails_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortEntries_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelFill_100k)->ArgName("details")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeOfEveryRow_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaneFirstRows_100k)
    ->Arg(int(FileExplorer::ViewStyle::List))
    ->Arg(int(FileExplorer::ViewStyle::Detail))
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const int result = runOffscreenBenchmarks(argc, argv);
    largeFolder().removeAll();
    return result;
}
