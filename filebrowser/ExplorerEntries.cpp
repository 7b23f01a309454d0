#include "ExplorerEntries.h"

#include "CharClasses.h"
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

// The entry's kind, size, time and write permission. Follows links, as opening the entry would,
// so a link to a folder is a folder and a broken link a file.
void readDetails(ExplorerEntry &entry, int dirFd, const char *name)
{
    entry.detailed = true;
    struct stat info;
    if (::fstatat(dirFd, name, &info, 0) != 0)
        return;
    entry.kind = S_ISDIR(info.st_mode) ? ExplorerEntry::Kind::Folder : ExplorerEntry::Kind::File;
    entry.size = info.st_size;
    entry.modified = info.st_mtim.tv_sec;
    if (!(info.st_mode & S_IWUSR))
        entry.attributes |= FileAttribute::ReadOnly;
}

// The details are read now only where the kind or the file types need them: the folder's type
// says which names are folders and which plain files.
ExplorerEntry entryOf(const QString &folder, const dirent &found, int dirFd, bool withDetails)
{
    ExplorerEntry entry;
    entry.name = pathFromBytes(found.d_name);
    if (withDetails || (found.d_type != DT_DIR && found.d_type != DT_REG))
        readDetails(entry, dirFd, found.d_name);
    else
        entry.kind = found.d_type == DT_DIR ? ExplorerEntry::Kind::Folder : ExplorerEntry::Kind::File;
    entry.path = folder + entry.name;
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
    const bool withDetails = !types.testFlag(FileTypeFlag::ftReadOnly);
    int count = 0;
    while (const dirent *found = ::readdir(dir)) {
        if (stop && ++count % StopCheckInterval == 0 && stop())
            break;
        if (std::strcmp(found->d_name, ".") == 0 || (std::strcmp(found->d_name, "..") == 0 && folder == u"/"))
            continue;
        ExplorerEntry entry = entryOf(folder, *found, dirfd(dir), withDetails);
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

void readDetails(const QString &folder, QList<ExplorerEntry> &entries, const std::function<bool()> &stop)
{
    const int dirFd = ::open(pathToBytes(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (stop && i % StopCheckInterval == 0 && stop())
            break;
        if (!entries[i].detailed && entries[i].kind != ExplorerEntry::Kind::Drive)
            readDetails(entries[i], dirFd, pathToBytes(entries[i].name).constData());
    }
    ::close(dirFd);
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
    // Each name is folded once, with its rank in front, so the sort compares plain strings.
    struct Key {
        QString folded;
        qsizetype index;
    };
    std::vector<Key> keys;
    keys.reserve(std::size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString &name = entries[i].name;
        QString folded(name.size() + 1, Qt::Uninitialized);
        folded[0] = QChar(rank(entries[i]));
        for (qsizetype c = 0; c < name.size(); ++c)
            folded[c + 1] = QChar(asciiUpperCase(name[c].unicode()));
        keys.push_back({std::move(folded), i});
    }
    // Stable, so a file listed for two patterns keeps the patterns' order.
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        if (const int order = QStringView(a.folded).compare(b.folded); order != 0)
            return order < 0;
        return std::as_const(entries)[a.index].name < std::as_const(entries)[b.index].name;
    });
    QList<ExplorerEntry> sorted;
    sorted.reserve(entries.size());
    for (const Key &key : keys)
        sorted.append(std::move(entries[key.index]));
    entries = std::move(sorted);
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
