#include "MainWindow.h"
#include "ProgramFiles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ProgramFiles::BaseName));
    QApplication::setApplicationDisplayName(QString::fromLatin1(MainWindow::Title));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A desktop editor for PHP, HTML, JavaScript and CSS projects."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settingsDir(QStringLiteral("settings-dir"),
                                         QStringLiteral("Keep the settings, history and colour files in DIR."),
                                         QStringLiteral("DIR"));
    parser.addOption(settingsDir);
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A project file (.vlmp) to open."),
                                 QStringLiteral("[PROJECT.vlmp]"));
    parser.process(app);

    const QString programDir = QApplication::applicationDirPath();
    ProgramFiles files(ProgramFiles::chooseSettingsDir(parser.value(settingsDir), programDir,
                                                       qEnvironmentVariable("XDG_CONFIG_HOME")),
                       ProgramFiles::chooseDataDir(programDir));
    QDir().mkpath(files.settingsDir());

    MainWindow window(files, parser.positionalArguments());
    window.show();
    return app.exec();
}
