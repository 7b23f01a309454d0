#include "FileNames.h"

#include <QDir>

namespace {

qsizetype nameStart(const QString &path)
{
    return path.lastIndexOf(u'/') + 1;
}

} // namespace

QString fileExtension(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < nameStart(path) ? QString() : path.mid(dot);
}

QString folderOf(const QString &path)
{
    return path.left(nameStart(path));
}

QString nameOf(const QString &path)
{
    return path.mid(nameStart(path));
}

QString fileTypeOf(const QString &path)
{
    return fileExtension(path).toUpper().remove(u'.');
}

QString resolvePath(const QString &folder, const QString &path)
{
    return QDir(folder).filePath(path);
}

QString backupFileName(const QString &path)
{
    const QString extension = fileExtension(path);
    if (extension.isEmpty())
        return path;
    const QString backupExtension = QStringLiteral(".~") + extension.mid(1);
    return folderOf(path) + nameOf(path).replace(extension, backupExtension);
}

QString withProjectExtension(const QString &name)
{
    return name.toUpper().contains(QStringLiteral(".VLMP")) ? name : name + QStringLiteral(".vlmp");
}
