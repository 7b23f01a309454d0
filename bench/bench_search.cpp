// Search and replace in a 50 MB file of 1,000,000 lines: finding the one match at its end, and
// replacing a match on every line as one undo step.
#include "EditorModel.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace {

constexpr int Lines = 1'000'000;

// 50 characters a line, with "item" once in each and "NEEDLE" only on the last.
const QString &largeText()
{
    static const QString text = [] {
        const QString line = QStringLiteral("        $total += price_of($item, $quantity);   \n");
        QString out;
        out.reserve(qsizetype(line.size()) * Lines + 16);
        for (int i = 1; i < Lines; ++i)
            out += line;
        out += QStringLiteral("        $total += NEEDLE;\n");
        return out;
    }();
    return text;
}

void BM_FindAtTheEnd(benchmark::State &state)
{
    EditorModel model;
    model.SetText(largeText());
    for (auto _ : state) {
        model.SetCaretXY({1, 1});
        if (model.SearchReplace(QStringLiteral("needle"), {}, 0) != 1)
            state.SkipWithError("the match was not found");
    }
    state.counters["MB"] = double(largeText().size()) / 1e6;
}

void BM_ReplaceAll_1M(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        EditorModel model;
        model.SetText(largeText());
        const QString before = model.Text();
        state.ResumeTiming();
        const int replaced = model.SearchReplace(QStringLiteral("item"), QStringLiteral("entry"), ssoReplaceAll);
        state.PauseTiming();
        state.counters["replaced"] = replaced;
        // One undo step gives the text back as it was.
        model.Undo();
        if (replaced != Lines - 1 || model.CanUndo() || model.Text() != before)
            state.SkipWithError("Replace All did not undo in one step");
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_FindAtTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll_1M)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_MAIN();
