#include "DiskFiles.h"

#include "NativePath.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Where the bytes go for a path that may be a symbolic link: to the file it points to, as the
// editor is asked to change the file, not to replace the link with a copy.
QByteArray linkTarget(const QByteArray &path)
{
    struct stat info;
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The one entry of folder whose name, decoded the way the file dialogs show names, is shown.
QString matchShownEntry(const QString &folder, const QString &shown)
{
    DIR *dir = ::opendir(pathToBytes(folder.isEmpty() ? QStringLiteral("/") : folder).constData());
    if (!dir)
        return shown;
    QString match;
    int matches = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (QFile::decodeName(entry->d_name) == shown) {
            match = pathFromBytes(entry->d_name);
            ++matches;
        }
    }
    ::closedir(dir);
    return matches == 1 ? match : shown;
}

} // namespace

DiskEntry diskEntry(const QString &path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(pathToBytes(path).constData(), &info) != 0)
        return {};
    return {true, S_ISREG(info.st_mode), S_ISDIR(info.st_mode), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

bool isRegularFile(const QString &path)
{
    return diskEntry(path).isFile;
}

bool readDiskFile(const QString &path, qint64 maxSize, QByteArray *bytes, ReadFailure *failure)
{
    // Not blocking, so a FIFO is refused below instead of waiting for a writer.
    const int fd = ::open(pathToBytes(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        failure->reason = systemError(errno);
        return false;
    }
    const auto refuse = [&](ReadFailure refused) {
        ::close(fd);
        *failure = std::move(refused);
        return false;
    };
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return refuse({systemError(errno)});
    // A device could never end.
    if (!S_ISREG(info.st_mode))
        return refuse({QStringLiteral("Not a regular file")});
    // Checked before reading, so a huge (or sparse) file is refused rather than exhausting memory.
    if (info.st_size > maxSize)
        return refuse({{}, true, qint64(info.st_size)});
    QByteArray read(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == read.size()) {
            // The file grew since it was measured.
            if (read.size() > maxSize)
                return refuse({{}, true, read.size()});
            read.resize(read.size() + 65536);
        }
        const ssize_t got = ::read(fd, read.data() + filled, size_t(read.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refuse({systemError(errno)});
        if (got == 0)
            break;
        filled += got;
    }
    ::close(fd);
    read.truncate(filled);
    *bytes = std::move(read);
    return true;
}

ReplacingFile::ReplacingFile(QString path) : m_path(std::move(path)) { }

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::open()
{
    m_target = linkTarget(pathToBytes(m_path));
    struct stat existing;
    const bool exists = ::stat(m_target.constData(), &existing) == 0;
    // A new name each try, seven characters longer than the target's; created with 0666 so the
    // umask decides, as for any new file.
    constexpr quint32 Names = 36u * 36 * 36 * 36 * 36 * 36;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint32 name = QRandomGenerator::global()->bounded(Names);
        m_temporary = m_target + '.' + QByteArray::number(name, 36).rightJustified(6, '0');
        m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0 || errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        m_temporary.clear();
        return fail();
    }
    if (exists && ::fchmod(m_fd, existing.st_mode & 07777) != 0)
        return fail();
    return true;
}

bool ReplacingFile::write(const QByteArray &bytes)
{
    return m_fd >= 0 && (writeAll(m_fd, bytes.constData(), bytes.size()) || fail());
}

bool ReplacingFile::commit()
{
    // Flushed to the disk before it replaces the old file, so a power cut leaves one of the two.
    if (m_fd < 0 || ::fsync(m_fd) != 0)
        return fail();
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_temporary.constData(), m_target.constData()) != 0)
        return fail();
    m_temporary.clear();
    return true;
}

bool ReplacingFile::fail()
{
    m_error = systemError(errno);
    discard();
    return false;
}

void ReplacingFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
}

bool replaceDiskFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    ReplacingFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    *reason = file.errorString();
    return false;
}

QString currentFolder()
{
    char folder[PATH_MAX];
    return ::getcwd(folder, sizeof folder) ? pathFromBytes(folder) : QDir::currentPath();
}

bool setCurrentFolder(const QString &folder)
{
    return ::chdir(pathToBytes(folder).constData()) == 0;
}

QString absolutePathOf(const QString &path)
{
    return QDir::cleanPath(path.startsWith(u'/') ? path : currentFolder() + u'/' + path);
}

QString pathOfShownName(const QString &shown)
{
    if (!shown.contains(QChar::ReplacementCharacter) || diskEntry(shown).exists)
        return shown;
    const QStringList parts = shown.split(u'/');
    QString path = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString &part = parts[i];
        const QString asShown = path + u'/' + part;
        const bool found = !part.contains(QChar::ReplacementCharacter) || diskEntry(asShown).exists;
        path = found ? asShown : path + u'/' + matchShownEntry(path, part);
    }
    return path;
}

QString localPathOf(const QUrl &url)
{
    return pathFromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(pathFromBytes(argv[i]));
    return arguments;
}

bool renameDiskEntry(const QString &from, const QString &to, QString *reason)
{
    const QByteArray source = pathToBytes(from);
    const QByteArray target = pathToBytes(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // File systems without the no-replace rename get the check and the rename in two steps.
    if (errno == EINVAL || errno == ENOSYS) {
        struct stat info;
        if (::lstat(target.constData(), &info) == 0)
            errno = EEXIST;
        else if (::rename(source.constData(), target.constData()) == 0)
            return true;
    }
    *reason = systemError(errno);
    return false;
}
