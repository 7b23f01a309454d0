// The editor's speed on a large file: setting 50 MB of text, one keystroke deep inside it with a
// highlighter attached, painting one screen, and the recovery journal of the file: the snapshot
// taken on the typing path and the write that follows on a thread of its own.
#include "DiskFiles.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "JournalFile.h"
#include "OffscreenBenchmarks.h"
#include "ResidentMemory.h"
#include "TestHighlighter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

#include <unistd.h>

namespace {

constexpr int LargeLineCount = 1'000'000;

// One million lines of real PHP, about 50 MB: the sample file repeated, each copy indented as
// if nested three levels deep.
const QString &largeText()
{
    static const QString text = [] {
        QFile file(QStringLiteral(VELMORA_BENCH_DATA_DIR "/catalogue.php"));
        const QStringList source = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n')
                                                                  : QStringList{QStringLiteral("<?php echo 1; ?>")};
        const QString indent(12, u' ');
        QString out;
        out.reserve(52'000'000);
        for (int i = 0; i < LargeLineCount; ++i) {
            out += indent;
            out += source[i % source.size()];
            out += u'\n';
        }
        return out;
    }();
    return text;
}

// Runs body once per iteration and reports the mean time of one of its steps, scaled to the unit
// (1e6 for microseconds, 1e3 for milliseconds).
template <typename Body>
void timeSteps(benchmark::State &state, const char *counter, double unit, int stepsPerIteration, Body body)
{
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        body();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.counters[counter] = elapsed.count() * unit / (static_cast<double>(state.iterations()) * stepsPerIteration);
}

void BM_SetText_50MB(benchmark::State &state)
{
    const QString &text = largeText();
    const double bytes = static_cast<double>(text.toUtf8().size());
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<EditorModel>();
        state.ResumeTiming();
        model->SetText(text);
        benchmark::DoNotOptimize(model->LineCount());
        state.PauseTiming(); // freeing the lines is not part of setting them
        model.reset();
        state.ResumeTiming();
    }
    state.counters["MBps"] =
        benchmark::Counter(bytes / 1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["MB"] = bytes / 1e6;
}

void BM_Memory_50MB(benchmark::State &state)
{
    const QString &text = largeText();
    const double bytes = static_cast<double>(text.toUtf8().size());
    for (auto _ : state) {
        const qint64 before = residentBytes();
        auto model = std::make_unique<EditorModel>();
        model->SetText(text);
        const qint64 after = residentBytes();
        state.counters["ratio"] = static_cast<double>(after - before) / bytes;
        state.counters["MB"] = static_cast<double>(after - before) / 1e6;
    }
}

void BM_TypeChar_MidFile(benchmark::State &state)
{
    TestHighlighter highlighter;
    EditorModel model;
    model.SetText(largeText());
    model.SetHighlighter(&highlighter);
    model.SetCaretXY({3, 500'000});
    // A character typed and taken back: two edits, each with its rescan.
    timeSteps(state, "us", 1e6, 2, [&] {
        model.ExecuteCommand(EditorCommand::Char, u'x');
        model.ExecuteCommand(EditorCommand::DeleteLastChar);
    });
}

void BM_PaintScreen(benchmark::State &state)
{
    TestHighlighter highlighter;
    EditorWidget editor;
    const int frame = editor.horizontalScrollBar()->sizeHint().height() + 2 * editor.frameWidth();
    editor.resize(900, 60 * editor.lineHeight() + frame);
    editor.model()->SetText(largeText().left(400'000));
    editor.model()->SetHighlighter(&highlighter);
    editor.model()->SetTopLine(1000);
    QImage image(editor.viewport()->size(), QImage::Format_RGB32);
    timeSteps(state, "ms", 1e3, 1, [&] { editor.viewport()->render(&image); });
    state.counters["lines"] = editor.model()->LinesInWindow();
}

void BM_JournalSnapshot_50MB(benchmark::State &state)
{
    EditorModel model;
    model.SetText(largeText());
    // Only the taking is on the typing path: the lines are let go on the journal's thread.
    for (auto _ : state) {
        std::vector<QString> lines = model.LineTexts();
        state.PauseTiming();
        lines = {};
        state.ResumeTiming();
    }
}

void BM_JournalWrite_50MB(benchmark::State &state)
{
    EditorModel model;
    model.SetText(largeText());
    const std::vector<QString> lines = model.LineTexts();
    const QTemporaryDir dir;
    JournalEntry entry;
    entry.fileName = QStringLiteral("/srv/catalogue.php");
    QString reason;
    timeSteps(state, "ms", 1e3, 1, [&] {
        benchmark::DoNotOptimize(replaceDiskFile(dir.filePath("a.vlmj"), encodeJournal(entry, lines), &reason));
    });
}

} // namespace

BENCHMARK(BM_SetText_50MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Memory_50MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TypeChar_MidFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JournalSnapshot_50MB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_JournalWrite_50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
