#pragma once

#include <QString>

// The naming rule for the files kept beside the program (portable use): the program's full path upper-cased,
// with every ".EXE" in it replaced by the given extension (".INI", ".HIS", ".COP", ".COH").
QString programListFileName(const QString &programPath, const QString &extension);

// Where the program keeps its files: the settings folder holds the settings, history and colour
// files (and user copies of the word lists); the data folder holds the shipped word lists and
// help page.
class ProgramFiles
{
public:
    static constexpr const char *BaseName = "velmora";

    ProgramFiles(QString settingsDir, QString dataDir);

    // The settings folder: the one given on the command line; else the program's own folder when a
    // settings file already sits there (portable use); else $XDG_CONFIG_HOME/velmora.
    static QString chooseSettingsDir(const QString &commandLineDir, const QString &programDir,
                                     const QString &xdgConfigHome);
    // The shipped data: <prefix>/share/velmora beside an installed program, else the source tree's
    // data/ folder when run from the build tree.
    static QString chooseDataDir(const QString &programDir);

    const QString &settingsDir() const { return m_settingsDir; }
    const QString &dataDir() const { return m_dataDir; }

    QString settingsFile() const { return named(".ini"); }
    QString historyFile() const { return named(".his"); }
    QString phpColourFile() const { return named(".cop"); }
    QString htmlColourFile() const { return named(".coh"); }
    QString placementFile() const { return named("-placement.ini"); }
    // Where the journals of unsaved work are kept.
    QString recoveryDir() const { return m_settingsDir + QStringLiteral("recovery/"); }

    // A word list or the help page: the settings folder's copy when there is one, else the
    // shipped one.
    QString dataFile(const QString &name) const;
    // Where the Options dialog writes its edited word lists.
    QString userDataFile(const QString &name) const;

private:
    QString named(const char *suffix) const;

    QString m_settingsDir;
    QString m_dataDir;
};
