#include "ProjectHistory.h"

#include "TextEncoding.h"

#include <QFile>
#include <QSaveFile>

void ProjectHistory::add(const QString &path)
{
    // Copied first: path may be one of the entries, which the removal below destroys.
    const QString added = path;
    m_paths.removeAll(added);
    m_paths.prepend(added);
}

bool ProjectHistory::load(const QString &fileName)
{
    m_paths.clear();
    QFile file(fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Line by line, so one path in an 8-bit encoding does not turn the UTF-8 ones beside it into
    // Latin-1 as well.
    const QByteArray bytes = file.readAll();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (i > start)
            m_paths.append(decodeText(bytes.mid(start, i - start)).text);
        start = i + 1;
    }
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
