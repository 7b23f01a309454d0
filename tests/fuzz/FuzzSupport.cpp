#include "FuzzSupport.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QTemporaryDir &folder()
{
    static const QTemporaryDir dir;
    return dir;
}

} // namespace

QString scratchPath(const char *name)
{
    return folder().filePath(QString::fromLatin1(name));
}

QString inputFile(const char *name, const uint8_t *data, size_t size)
{
    const QString path = scratchPath(name);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    return path;
}

QStringList inputLines(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(u'\n');
}
