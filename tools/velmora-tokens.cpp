// Runs one highlighter over a file and prints its tokens, or times it.
#include "HighlighterFactory.h"
#include "TokenDump.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "velmora-tokens: %s\n", qPrintable(message));
    return 1;
}

QStringList readLines(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int timeScan(SynCustomHighlighter &highlighter, const QStringList &lines, int repeat)
{
    qint64 characters = 0;
    for (const QString &line : lines)
        characters += line.size() + 1;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeat; ++i) {
        highlighter.ClearRange();
        for (int n = 0; n < lines.size(); ++n) {
            highlighter.BeginLine(lines[n], n);
            highlighter.ScanToLineEnd();
        }
    }
    const double seconds = std::max<qint64>(1, timer.nsecsElapsed()) / 1e9;
    std::printf("%lld lines, %.1f MB of text: %.1f MB/s, %.0f lines/s\n", static_cast<long long>(lines.size()) * repeat,
                characters * repeat / 1e6, characters * repeat / 1e6 / seconds, lines.size() * repeat / seconds);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs one highlighter over a file and prints its tokens, or times it."));
    parser.addHelpOption();
    const QCommandLineOption dump(QStringLiteral("dump"), QStringLiteral("Print every token (the default)."));
    const QCommandLineOption time(QStringLiteral("time"), QStringLiteral("Time the scan instead of printing."));
    const QCommandLineOption repeat(QStringLiteral("repeat"), QStringLiteral("Scan the file N times when timing."),
                                    QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the highlighters."));
    parser.addOptions({dump, time, repeat, list});
    parser.addPositionalArgument(QStringLiteral("highlighter"), QStringLiteral("php, html, multi, ..."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The file to scan."));
    parser.process(app);

    if (parser.isSet(list)) {
        std::printf("%s\n", qPrintable(highlighterNames().join(u'\n')));
        return 0;
    }
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return fail(QStringLiteral("give a highlighter and a file; see --help"));
    const auto highlighter = createHighlighter(args[0]);
    if (!highlighter)
        return fail(QStringLiteral("no highlighter named \"%1\" (try --list)").arg(args[0]));
    QString error;
    const QStringList lines = readLines(args[1], &error);
    if (!error.isEmpty())
        return fail(error);
    if (parser.isSet(time))
        return timeScan(*highlighter, lines, std::max(1, parser.value(repeat).toInt()));
    std::fputs(formatTokens(scanLines(*highlighter, lines)).toUtf8().constData(), stdout);
    return 0;
}
