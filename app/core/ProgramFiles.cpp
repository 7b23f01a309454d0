#include "ProgramFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withSlash(const QString &dir)
{
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

} // namespace

QString programListFileName(const QString &programPath, const QString &extension)
{
    return programPath.toUpper().replace(QStringLiteral(".EXE"), extension);
}

ProgramFiles::ProgramFiles(QString settingsDir, QString dataDir)
    : m_settingsDir(withSlash(settingsDir)),
      m_dataDir(withSlash(dataDir))
{ }

QString ProgramFiles::chooseSettingsDir(const QString &commandLineDir, const QString &programDir,
                                        const QString &xdgConfigHome)
{
    if (!commandLineDir.isEmpty())
        return withSlash(QDir(commandLineDir).absolutePath());
    if (QFileInfo::exists(withSlash(programDir) + BaseName + QStringLiteral(".ini")))
        return withSlash(programDir);
    const QString configHome = xdgConfigHome.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : xdgConfigHome;
    return withSlash(configHome) + BaseName + u'/';
}

QString ProgramFiles::chooseDataDir(const QString &programDir)
{
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../share/velmora"));
    if (QFileInfo(installed).isDir())
        return withSlash(installed);
    return withSlash(QStringLiteral(VELMORA_SOURCE_DATA_DIR));
}

QString ProgramFiles::named(const char *suffix) const
{
    return m_settingsDir + BaseName + QString::fromLatin1(suffix);
}

QString ProgramFiles::dataFile(const QString &name) const
{
    const QString own = userDataFile(name);
    return QFileInfo::exists(own) ? own : m_dataDir + name;
}

QString ProgramFiles::userDataFile(const QString &name) const
{
    return m_settingsDir + name;
}
