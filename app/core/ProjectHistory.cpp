#include "ProjectHistory.h"

#include "DiskFiles.h"
#include "NativePath.h"

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
    if (!diskEntry(fileName).exists)
        return true;
    // The history holds a few hundred bytes; anything near this is not a history.
    constexpr qint64 MaxHistorySize = 16 * 1024 * 1024;
    QByteArray bytes;
    ReadFailure failure;
    if (!readDiskFile(fileName, MaxHistorySize, &bytes, &failure))
        return false;
    // Paths are bytes: each comes back exactly, whatever encoding its name is in, and one in an
    // 8-bit encoding leaves the UTF-8 ones beside it as they are.
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (i > start)
            m_paths.append(pathFromBytes(QByteArrayView(bytes).sliced(start, i - start)));
        start = i + 1;
    }
    return true;
}

bool ProjectHistory::save(const QString &fileName) const
{
    QByteArray bytes;
    for (const QString &path : m_paths)
        bytes += pathToBytes(path) + "\r\n";
    QString reason;
    return replaceDiskFile(fileName, bytes, &reason);
}
