// Runs one of the main window's highlighters over a file and prints its tokens, or times it.
#include "MainHighlighters.h"
#include "ProgramFiles.h"
#include "TextEncoding.h"
#include "TokenDump.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <thread>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "velmora-tokens: %s\n", qPrintable(message));
    return 1;
}

// The whole pass, as the editor makes it when a highlighter is attached.
void scanAll(SynCustomHighlighter &highlighter, const std::vector<QStringView> &lines)
{
    highlighter.ClearRange();
    for (size_t n = 0; n < lines.size(); ++n) {
        highlighter.BeginLine(lines[n], static_cast<int>(n));
        highlighter.ScanToLineEnd();
    }
}

int bench(SynCustomHighlighter &highlighter, QStringView text, qint64 fileBytes, int passes)
{
    std::vector<QStringView> lines;
    forEachLine(text, [&lines](QStringView line) { lines.push_back(line); });
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < passes; ++i)
        scanAll(highlighter, lines);
    const double seconds = std::max<qint64>(1, timer.nsecsElapsed()) / 1e9;
    std::printf("MB/s: %.1f\n", static_cast<double>(fileBytes) * passes / 1e6 / seconds);
    return 0;
}

// As many highlighters of that name as count says, each with what it needs; none for an unknown
// name.
std::vector<std::shared_ptr<SynCustomHighlighter>> makeHighlighters(const QString &name, unsigned count)
{
    std::vector<std::shared_ptr<SynCustomHighlighter>> highlighters;
    for (unsigned i = 0; i < count; ++i) {
        auto highlighter = MainHighlighters::make(name);
        if (!highlighter)
            break;
        // Only the custom highlighting needs the word lists.
        if (auto *general = dynamic_cast<SynGeneralSyn *>(highlighter.get()))
            LoadCustomKeywords(*general, ProgramFiles::chooseDataDir(QCoreApplication::applicationDirPath() + u'/'));
        highlighters.push_back(std::move(highlighter));
    }
    return highlighters;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs a highlighter over a file and prints its tokens, or times it."));
    parser.addHelpOption();
    const QCommandLineOption highlighterOption(
        QStringLiteral("highlighter"),
        QStringLiteral("One of: %1 (default multi).").arg(MainHighlighters::names().join(QStringLiteral(", "))),
        QStringLiteral("name"), QStringLiteral("multi"));
    const QCommandLineOption dump(QStringLiteral("dump"), QStringLiteral("Print every token (the default)."));
    const QCommandLineOption benchOption(QStringLiteral("bench"),
                                         QStringLiteral("Highlight the file N times and print the speed."),
                                         QStringLiteral("N"));
    parser.addOptions({highlighterOption, dump, benchOption});
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The file to highlight."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return fail(QStringLiteral("give one file; see --help"));
    const QString name = parser.value(highlighterOption);
    // The dump scans on every core, each thread with a highlighter of its own.
    const auto highlighters =
        makeHighlighters(name, parser.isSet(benchOption) ? 1 : std::clamp(std::thread::hardware_concurrency(), 1U, 4U));
    if (highlighters.empty())
        return fail(QStringLiteral("no highlighter named \"%1\"").arg(name));
    std::vector<SynCustomHighlighter *> scanners;
    for (const auto &highlighter : highlighters)
        scanners.push_back(highlighter.get());
    // Made before the file is read, so that its threads are running by the time the text comes.
    TokenDumper dumper(scanners);
    // A device or a pipe may never end, or never answer.
    if (!QFileInfo(args[0]).isFile())
        return fail(QStringLiteral("%1 is not a regular file").arg(args[0]));
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(args[0], file.errorString()));
    const QByteArray bytes = file.readAll();
    const QString text = decodeText(bytes).text;

    if (parser.isSet(benchOption)) {
        bool ok = false;
        const int passes = parser.value(benchOption).toInt(&ok);
        if (!ok || passes < 1)
            return fail(QStringLiteral("--bench takes a number of passes above 0"));
        return bench(*highlighters.front(), text, bytes.size(), passes);
    }
    dumper.write(text, [](const char *data, size_t size) { std::fwrite(data, 1, size, stdout); });
    // The last buffer is written by the flush, where a full disk shows.
    return std::fflush(stdout) != 0 || std::ferror(stdout) ? fail(QStringLiteral("cannot write the dump")) : 0;
}
