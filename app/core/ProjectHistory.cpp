#include "ProjectHistory.h"

#include "TextEncoding.h"

#include <QFile>
#include <QSaveFile>

void ProjectHistory::add(const QString &path)
{
    m_paths.removeIf([&](const QString &p) { return p.compare(path, Qt::CaseInsensitive) == 0; });
    m_paths.prepend(path);
}

bool ProjectHistory::load(const QString &fileName)
{
    m_paths.clear();
    QFile file(fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_paths = splitLines(decodeText(file.readAll()).text);
    m_paths.removeAll(QString());
    return true;
}

bool ProjectHistory::save(const QString &fileName) const
{
    QByteArray bytes;
    for (const QString &path : m_paths)
        bytes += path.toUtf8() + "\r\n";
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
