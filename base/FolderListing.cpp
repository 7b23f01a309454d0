#include "FolderListing.h"

#include "CharClasses.h"
#include "FileFilters.h"
#include "NativePath.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool lessWithoutAsciiCase(QStringView a, QStringView b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](QChar x, QChar y) {
        return asciiUpperCase(x.unicode()) < asciiUpperCase(y.unicode());
    });
}

// ".." first, then the folders, then the files.
int rank(const FolderEntry &entry)
{
    return entry.name == u".." ? 0 : entry.isFolder ? 1 : 2;
}

} // namespace

FolderContents readFolder(const QString &folder, const QStringList &patterns, bool withHidden)
{
    FolderContents contents;
    const QString path = withTrailingSlash(folder);
    DIR *dir = ::opendir(pathToBytes(path).constData());
    if (!dir) {
        contents.error = QString::fromLocal8Bit(std::strerror(errno));
        return contents;
    }
    while (const dirent *found = ::readdir(dir)) {
        FolderEntry entry;
        entry.name = pathFromBytes(found->d_name);
        if (entry.name == u"." || (entry.name == u".." && path == u"/"))
            continue;
        if (entry.name.startsWith(u'.') && entry.name != u".." && !withHidden)
            continue;
        // Follows links, as opening the entry would; a broken link lists as a file.
        struct stat info;
        if (::fstatat(dirfd(dir), found->d_name, &info, 0) == 0) {
            entry.isFolder = S_ISDIR(info.st_mode);
            entry.size = info.st_size;
            entry.modified = QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec);
        }
        if (entry.isFolder || matchesAnyPattern(entry.name, patterns))
            contents.entries.append(std::move(entry));
    }
    ::closedir(dir);
    std::sort(contents.entries.begin(), contents.entries.end(), [](const FolderEntry &a, const FolderEntry &b) {
        return rank(a) != rank(b) ? rank(a) < rank(b) : lessWithoutAsciiCase(a.name, b.name);
    });
    return contents;
}

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString parentFolderOf(const QString &folder)
{
    QString path = withTrailingSlash(folder);
    path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash + 1);
}
