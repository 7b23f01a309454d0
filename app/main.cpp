#include "ApplicationSetup.h"
#include "DiskFiles.h"
#include "MainWindow.h"
#include "ProgramFiles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <csignal>
#include <cstdio>

namespace {

struct CommandLine {
    QString settingsDir;
    QStringList parameters;
};

// Parsed before the GUI starts, so --help and --version work without a display.
CommandLine parseCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velmora PHP Editor: a desktop editor for PHP, HTML, "
                                                    "JavaScript and CSS projects."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settingsDir(QStringLiteral("settings-dir"),
                                         QStringLiteral("Keep the settings, history and colour files in DIR."),
                                         QStringLiteral("DIR"));
    parser.addOption(settingsDir);
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A project file (.vlmp) to open."),
                                 QStringLiteral("[PROJECT.vlmp]"));
    // From the raw bytes: a project whose name is not UTF-8 still opens.
    parser.process(argumentsOf(argc, argv));
    return {parser.value(settingsDir), parser.positionalArguments()};
}

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
    // Past a file size limit (ulimit -f) a write then fails and the save says so, instead of the
    // signal ending the program with the user's work in it.
    std::signal(SIGXFSZ, SIG_IGN);
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (!haveDisplay()) {
        std::fputs("velmora: no display to open a window on; try: xvfb-run -a velmora\n", stderr);
        return 1;
    }

    // The preview's browser shares its drawing context with the window; it must be said first.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    describeApplication();
    reportHighlighterErrors();
    const QString programDir = QApplication::applicationDirPath();
    ProgramFiles files(
        ProgramFiles::chooseSettingsDir(commandLine.settingsDir, programDir, qEnvironmentVariable("XDG_CONFIG_HOME")),
        ProgramFiles::chooseDataDir(programDir));
    QDir().mkpath(files.settingsDir());

    MainWindow window(files, commandLine.parameters);
    window.show();
    return app.exec();
}
