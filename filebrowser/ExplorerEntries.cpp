#include "ExplorerEntries.h"

#include "DiskFiles.h"
#include "FileFilters.h"
#include "FolderListing.h"
#include "NativePath.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// How often the listing asks whether to give up: often enough to stop at once when the user has
// already gone elsewhere, seldom enough to cost nothing.
constexpr int StopCheckInterval = 4096;

ExplorerEntry entryOf(const QString &folder, const dirent &found, int dirFd)
{
    ExplorerEntry entry;
    entry.name = pathFromBytes(found.d_name);
    entry.path = folder + entry.name;
    // Follows links, as opening the entry would; a broken link lists as a file.
    struct stat info;
    if (::fstatat(dirFd, found.d_name, &info, 0) == 0) {
        entry.kind = S_ISDIR(info.st_mode) ? ExplorerEntry::Kind::Folder : ExplorerEntry::Kind::File;
        entry.size = info.st_size;
        entry.modified = info.st_mtim.tv_sec;
        if (!(info.st_mode & S_IWUSR))
            entry.attributes |= FileAttribute::ReadOnly;
    }
    if (entry.kind == ExplorerEntry::Kind::Folder)
        entry.path += u'/';
    if (entry.name.startsWith(u'.') && entry.name != u"..")
        entry.attributes |= FileAttribute::Hidden;
    return entry;
}

bool allowed(const ExplorerEntry &entry, FileType types)
{
    const auto shown = [&](FileAttribute attribute, FileTypeFlag type) {
        return !entry.attributes.testFlag(attribute) || types.testFlag(type);
    };
    return shown(FileAttribute::ReadOnly, FileTypeFlag::ftReadOnly)
        && shown(FileAttribute::Hidden, FileTypeFlag::ftHidden);
}

// ".." first, then the folders, then the files.
int rank(const ExplorerEntry &entry)
{
    return entry.name == u".." ? 0 : entry.kind == ExplorerEntry::Kind::File ? 2 : 1;
}

// clang-format off
// The file systems that hold no files of the user's: the kernel's views of itself and the
// containers' layers.
const char *const PseudoFileSystems[] = {
    "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts", "devtmpfs",
    "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "overlay", "proc", "pstore", "rpc_pipefs",
    "securityfs", "selinuxfs", "squashfs", "sysfs", "tracefs",
};
// Mount points below these are the system's own, except where desktops mount removable disks.
const char *const SystemFolders[] = {"/proc/", "/sys/", "/dev/", "/run/", "/snap/", "/boot/efi/"};
const char *const RemovableFolders[] = {"/media/", "/run/media/", "/mnt/"};
struct DriveType {
    const char *fileSystem;
    const char *text;
};
const DriveType DriveTypes[] = {
    {"nfs", "Remote"}, {"nfs4", "Remote"}, {"cifs", "Remote"}, {"smb3", "Remote"}, {"smbfs", "Remote"},
    {"fuse.sshfs", "Remote"}, {"fuse.davfs2", "Remote"}, {"9p", "Remote"},
    {"iso9660", "CDROM"}, {"udf", "CDROM"},
    {"tmpfs", "RAM"}, {"ramfs", "RAM"},
};
// clang-format on

bool startsWithAny(const QString &path, const auto &folders)
{
    return std::any_of(std::begin(folders), std::end(folders),
                       [&](const char *folder) { return path.startsWith(QLatin1StringView(folder)); });
}

bool isBrowsable(const QStorageInfo &volume)
{
    const QByteArray type = volume.fileSystemType();
    const QString root = withTrailingSlash(volume.rootPath());
    const bool pseudo = std::any_of(std::begin(PseudoFileSystems), std::end(PseudoFileSystems),
                                    [&](const char *name) { return type == name; });
    return !pseudo && diskEntry(root).isFolder
        && (!startsWithAny(root, SystemFolders) || startsWithAny(root, RemovableFolders));
}

QString driveTypeOf(const QStorageInfo &volume)
{
    if (!volume.isValid())
        return QStringLiteral("<not exists>");
    const QByteArray type = volume.fileSystemType();
    for (const DriveType &known : DriveTypes)
        if (type == known.fileSystem)
            return QString::fromLatin1(known.text);
    if (startsWithAny(withTrailingSlash(volume.rootPath()), RemovableFolders))
        return QStringLiteral("Removable");
    return type.isEmpty() ? QStringLiteral("<unknown>") : QStringLiteral("Fixed");
}

ExplorerEntry driveEntry(const QString &name, const QString &root, const QStorageInfo &volume)
{
    ExplorerEntry entry;
    entry.name = name;
    entry.path = withTrailingSlash(root);
    entry.kind = ExplorerEntry::Kind::Drive;
    entry.driveType = driveTypeOf(volume);
    if (volume.isReady()) {
        entry.size = volume.bytesTotal();
        entry.free = volume.bytesAvailable();
    }
    return entry;
}

} // namespace

QStringList maskPatterns(const QString &mask)
{
    QStringList patterns;
    for (const QString &pattern : mask.split(u';', Qt::SkipEmptyParts))
        if (const QString trimmed = pattern.trimmed(); !trimmed.isEmpty())
            patterns.append(trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
    return patterns;
}

ExplorerListing listFolder(const QString &folder, const QStringList &patterns, FileType types,
                           const std::function<bool()> &stop)
{
    ExplorerListing listing;
    DIR *dir = ::opendir(pathToBytes(folder).constData());
    if (!dir) {
        listing.error = QString::fromLocal8Bit(std::strerror(errno));
        return listing;
    }
    int count = 0;
    while (const dirent *found = ::readdir(dir)) {
        if (stop && ++count % StopCheckInterval == 0 && stop())
            break;
        if (std::strcmp(found->d_name, ".") == 0 || (std::strcmp(found->d_name, "..") == 0 && folder == u"/"))
            continue;
        ExplorerEntry entry = entryOf(folder, *found, dirfd(dir));
        if (!allowed(entry, types))
            continue;
        if (entry.kind == ExplorerEntry::Kind::Folder) {
            listing.entries.append(std::move(entry));
            continue;
        }
        for (const QString &pattern : patterns)
            if (matchesPattern(entry.name, pattern))
                listing.entries.append(entry);
    }
    ::closedir(dir);
    sortEntries(listing.entries);
    return listing;
}

QList<ExplorerEntry> listDrives()
{
    QList<ExplorerEntry> drives{driveEntry(QStringLiteral("/"), QStringLiteral("/"), QStorageInfo(QStringLiteral("/"))),
                                driveEntry(QDir::homePath(), QDir::homePath(), QStorageInfo(QDir::homePath()))};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = withTrailingSlash(volume.rootPath());
        const bool listed =
            std::any_of(drives.begin(), drives.end(), [&](const ExplorerEntry &d) { return d.path == root; });
        if (!listed && isBrowsable(volume))
            drives.append(driveEntry(volume.displayName(), root, volume));
    }
    return drives;
}

void sortEntries(QList<ExplorerEntry> &entries)
{
    // Stable, so a file listed for two patterns keeps the patterns' order.
    std::stable_sort(entries.begin(), entries.end(), [](const ExplorerEntry &a, const ExplorerEntry &b) {
        if (rank(a) != rank(b))
            return rank(a) < rank(b);
        if (lessWithoutAsciiCase(a.name, b.name))
            return true;
        return !lessWithoutAsciiCase(b.name, a.name) && a.name < b.name;
    });
}

QString attributeLetters(FileAttributes attributes)
{
    QString letters;
    if (attributes.testFlag(FileAttribute::ReadOnly))
        letters += u'R';
    if (attributes.testFlag(FileAttribute::Hidden))
        letters += u'H';
    return letters;
}

QString groupedSize(qint64 bytes)
{
    QString digits = QString::number(bytes);
    for (qsizetype at = digits.size() - 3; at > 0 && digits[at - 1].isDigit(); at -= 3)
        digits.insert(at, u',');
    return digits;
}

int driveOf(const QList<ExplorerEntry> &drives, const QString &path)
{
    const QString folder = withTrailingSlash(path);
    int best = -1;
    for (int i = 0; i < drives.size(); ++i)
        if (folder.startsWith(drives[i].path) && (best < 0 || drives[i].path.size() > drives[best].path.size()))
            best = i;
    return best;
}
