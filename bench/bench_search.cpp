// Search and replace in a 50 MB file of 1,000,000 lines: finding the one match at its end, and
// replacing a match on every line as one undo step; and Search in Project over the wordpress
// site, for plain text and for a regular expression.
#include "EditorModel.h"
#include "ProjectSearch.h"
#include "WordpressSite.h"

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

void searchSite(benchmark::State &state, const ProjectQuery &query)
{
    const WordpressSite &site = wordpressSite();
    if (!site.error.isEmpty()) {
        state.SkipWithError(qPrintable(site.error));
        return;
    }
    qsizetype found = 0;
    for (auto _ : state)
        found = searchProject(site.files, query).matches.size();
    state.counters["files"] = double(site.files.size());
    state.counters["text_MB"] = double(site.textBytes) / 1e6;
    state.counters["found"] = double(found);
}

void BM_SearchInProject_Plain(benchmark::State &state)
{
    searchSite(state, {QStringLiteral("wp_cache_get"), false, false, false});
}

void BM_SearchInProject_Expression(benchmark::State &state)
{
    searchSite(state, {QStringLiteral("\\$wp_[a-z]+_query"), false, false, true});
}

} // namespace

BENCHMARK(BM_FindAtTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll_1M)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SearchInProject_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchInProject_Expression)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
