// The completion list with 10,000 entries: opening it at the caret and filtering it again on each
// typed character; and the reload the main window runs after every refresh, with unchanged files.
#include "CompletionData.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "OffscreenBenchmarks.h"
#include "ProgramFiles.h"
#include "SynCompletionProposal.h"
#include "SynHighlighterGeneral.h"
#include "SysOptions.h"
#include "TypingAids.h"

#include <QKeyEvent>
#include <QTemporaryDir>

namespace {

constexpr int Entries = 10'000;

// Names spread over the alphabet as function names are, each one distinct.
QStringList entryNames()
{
    QStringList names;
    names.reserve(Entries);
    for (int i = 0; i < Entries; ++i)
        names.append(QStringLiteral("%1%2_name_%3")
                         .arg(QChar(u'a' + i % 26))
                         .arg(QChar(u'a' + i / 26 % 26))
                         .arg(i));
    return names;
}

struct OpenList {
    EditorWidget editor;
    SynCompletionProposal list;

    OpenList()
    {
        const CompletionLists lists = completionLists({}, entryNames());
        list.setLists(lists.itemList, lists.insertList);
        list.attach(&editor);
        editor.resize(600, 400);
        editor.show();
        editor.model()->SetText(u"s");
        editor.model()->SetCaretXY({2, 1});
    }
    void key(int key, const QString &text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&editor, &press);
    }
};

// After "s" (1/26 of the list), and on an empty word (all of it).
void BM_OpenList(benchmark::State &state)
{
    OpenList open;
    if (state.range(0) == 0)
        open.editor.model()->SetText(u"");
    for (auto _ : state) {
        open.list.ActivateCompletion();
        state.PauseTiming();
        open.list.CancelCompletion();
        state.ResumeTiming();
    }
    state.counters["shown"] = double(open.list.shownItems().size());
}

// Over the whole list, as the first characters narrow it: "s" shows 1/26 of it, "" all of it.
void BM_RefilterOnOneMoreCharacter(benchmark::State &state)
{
    OpenList open;
    if (state.range(0) == 0)
        open.editor.model()->SetText(u"");
    open.list.ActivateCompletion();
    for (auto _ : state) {
        open.key(Qt::Key_A, QStringLiteral("a"));
        state.PauseTiming();
        open.key(Qt::Key_Backspace, QStringLiteral("\b"));
        state.ResumeTiming();
    }
    state.counters["shown_before"] = double(matchingItems(open.list.itemList(), state.range(0) ? u"s" : u"").size());
}

void BM_ReloadCompletionDataUnchanged(benchmark::State &state)
{
    QTemporaryDir dir;
    const ProgramFiles files(dir.filePath(QStringLiteral("settings/")), QStringLiteral(VELMORA_SOURCE_DATA_DIR));
    EditorWidget editor;
    SynGeneralSyn custom;
    TypingAids aids(files, editor, custom);
    const SysOptions options;
    aids.ReloadCompletionData(options);
    for (auto _ : state)
        aids.ReloadCompletionData(options);
    state.counters["entries"] = double(aids.SynCP().itemList().size());
}

} // namespace

BENCHMARK(BM_OpenList)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefilterOnOneMoreCharacter)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReloadCompletionDataUnchanged)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
