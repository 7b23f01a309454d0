// Code insight on a real site (the PHP files of the installed WordPress package): the Code
// Explorer model against the plain transcription the tests compare it with, and the function,
// class and variable scans over 50 MB of PHP.
#include "CodeExplorerModel.h"
#include "EditorLines.h"
#include "EditorModel.h"
#include "Project.h"
#include "ReferenceExplorer.h"
#include "ResidentMemory.h"
#include "Scanners.h"
#include "TextEncoding.h"
#include "WordpressSite.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>

#include <malloc.h>

namespace {

// The site as the Code Explorer takes it.
struct Site {
    QString error;
    QList<ExplorerSource> files;
    qint64 textBytes = 0;
};

const Site &site()
{
    static const Site sources = [] {
        const WordpressSite &wordpress = wordpressSite();
        Site site{wordpress.error, {}, wordpress.textBytes};
        for (const ProjectFile &file : wordpress.files)
            site.files.append({file.FileName, file.FileType, file.Text});
        return site;
    }();
    return sources;
}

bool skipWithoutSite(benchmark::State &state)
{
    if (site().error.isEmpty())
        return false;
    state.SkipWithError(qPrintable(site().error));
    return true;
}

void siteCounters(benchmark::State &state)
{
    state.counters["files"] = double(site().files.size());
    state.counters["text_MB"] = double(site().textBytes) / 1e6;
}

qsizetype entryCount(const CodeExplorerModel &model)
{
    qsizetype entries = 0;
    for (qsizetype file = 0; file < model.fileCount(); ++file)
        for (ExplorerGroup group : ExplorerGroups)
            entries += model.entries(file, group).size();
    return entries;
}

// Every node the tree shows once all of it is open: what the plain transcription builds.
QStringList wholeTree(const CodeExplorerModel &model)
{
    QStringList nodes;
    for (qsizetype file = 0; file < model.fileCount(); ++file) {
        nodes.append(model.fileName(file));
        for (ExplorerGroup group : ExplorerGroups) {
            nodes.append(model.groupCaption(file, group));
            const ScanResults &entries = model.entries(file, group);
            for (qsizetype entry = 0; entry < entries.size(); ++entry) {
                nodes.append(entries[entry]);
                for (int line : model.occurrenceLines(file, group, entry))
                    nodes.append(model.occurrenceCaption(file, group, line));
            }
        }
    }
    return nodes;
}

QStringList wholeTree(const QList<reference::FileNode> &tree)
{
    QStringList nodes;
    for (const reference::FileNode &file : tree) {
        nodes.append(file.name);
        for (const reference::Group &group : file.groups) {
            nodes.append(group.caption);
            for (const reference::Entry &entry : group.entries) {
                nodes.append(entry.name);
                nodes.append(entry.lines);
            }
        }
    }
    return nodes;
}

void BM_CodeExplorerModel(benchmark::State &state)
{
    if (skipWithoutSite(state))
        return;
    // Measured once: freed memory that the allocator keeps would hide a second model.
    malloc_trim(0);
    const qint64 before = residentBytes();
    qsizetype entries = 0;
    {
        const CodeExplorerModel model(site().files);
        entries = entryCount(model);
        state.counters["memory_ratio"] = double(residentBytes() - before) / double(site().textBytes);
    }
    for (auto _ : state) {
        const CodeExplorerModel model(site().files);
        benchmark::DoNotOptimize(&model);
    }
    siteCounters(state);
    state.counters["entries"] = double(entries);
}

// The model and every entry's lines, as the tree needs them with every node open.
void BM_CodeExplorerModelWholeTree(benchmark::State &state)
{
    if (skipWithoutSite(state))
        return;
    qsizetype nodes = 0;
    for (auto _ : state) {
        const CodeExplorerModel model(site().files);
        nodes = wholeTree(model).size();
    }
    siteCounters(state);
    state.counters["nodes"] = double(nodes);
}

void BM_ReferenceExplorer(benchmark::State &state)
{
    if (skipWithoutSite(state))
        return;
    QList<reference::SourceFile> files;
    for (const ExplorerSource &file : site().files)
        files.append({file.FileName, file.FileType, file.Text});
    QList<reference::FileNode> tree;
    for (auto _ : state)
        tree = reference::BuildTree(files);
    siteCounters(state);

    // The two must agree on every node of the real files too.
    int differing = 0;
    for (qsizetype file = 0; file < tree.size(); ++file) {
        const QStringList modelNodes = wholeTree(CodeExplorerModel({site().files[file]}));
        const QStringList referenceNodes = wholeTree(QList<reference::FileNode>{tree[file]});
        if (modelNodes != referenceNodes) {
            if (++differing <= 5)
                std::fprintf(stderr, "the model differs from the reference in %s\n", qPrintable(tree[file].name));
        }
    }
    state.counters["nodes"] = double(wholeTree(tree).size());
    state.counters["differing_files"] = differing;
}

// 50 MB of PHP: the site's files one after another, as often as it takes.
const QStringList &lines50MB()
{
    static const QStringList lines = [] {
        QString text;
        for (qsizetype i = 0; text.size() < 50'000'000; i = (i + 1) % site().files.size())
            text += site().files[i].Text;
        return splitLines(text);
    }();
    return lines;
}

void scanCounters(benchmark::State &state, qsizetype names)
{
    qint64 characters = 0;
    for (const QString &line : lines50MB())
        characters += line.size() + 2;
    state.SetBytesProcessed(state.iterations() * characters);
    state.counters["lines"] = double(lines50MB().size());
    state.counters["names"] = double(names);
}

// The 50 MB in an editor, whose lines the panes and the picker read in place.
const EditorModel &editor50MB()
{
    static const EditorModel *editor = [] {
        auto *model = new EditorModel;
        model->SetText(lines50MB().join(QStringLiteral("\r\n")));
        return model;
    }();
    return *editor;
}

void declarationPane(benchmark::State &state, QStringView keyword)
{
    if (skipWithoutSite(state))
        return;
    const EditorModel &editor = editor50MB();
    qsizetype names = 0;
    for (auto _ : state)
        names = DeclaredNames(editorLines(editor), keyword).size();
    scanCounters(state, names);
}

void BM_FunctionPane_50MB(benchmark::State &state)
{
    declarationPane(state, u"function");
}

void BM_ClassPane_50MB(benchmark::State &state)
{
    declarationPane(state, u"class");
}

void BM_VariablesPicker_50MB(benchmark::State &state)
{
    if (skipWithoutSite(state))
        return;
    const EditorModel &editor = editor50MB();
    qsizetype names = 0;
    for (auto _ : state)
        names = ScanVariables(editorLines(editor)).size();
    scanCounters(state, names);
}

} // namespace

BENCHMARK(BM_CodeExplorerModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CodeExplorerModelWholeTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceExplorer)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FunctionPane_50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassPane_50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VariablesPicker_50MB)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
