#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

// The file system reached by a name's exact bytes (see NativePath.h), so a file whose name is
// not UTF-8 can be found, read and written like any other. Symbolic links are followed.

struct DiskEntry {
    bool exists = false;
    bool isFile = false; // a regular file
    bool isFolder = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // since the epoch
};
DiskEntry diskEntry(const QString &path);
bool isRegularFile(const QString &path);

// Reads a whole regular file of at most maxSize bytes. On failure *reason holds why: the
// system's text, "Not a regular file", or *tooLarge is set with *size the file's size.
struct ReadFailure {
    QString reason;
    bool tooLarge = false;
    qint64 size = 0;
};
bool readDiskFile(const QString &path, qint64 maxSize, QByteArray *bytes, ReadFailure *failure);

// A file written without ever leaving it half-written: the bytes go to a new file beside the
// target (with the target's permissions), which replaces the target on commit. Dropped without
// commit, the target stays as it was and the new file is removed.
class ReplacingFile
{
public:
    explicit ReplacingFile(QString path);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    bool open();
    bool write(const QByteArray &bytes);
    bool commit();
    // The system's text for the last failure.
    QString errorString() const { return m_error; }

private:
    bool fail();
    void discard();

    QString m_path;
    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    QString m_error;
};
// Opens, writes and commits; false with the system's text in *reason.
bool replaceDiskFile(const QString &path, const QByteArray &bytes, QString *reason);

// The working folder, and changing it.
QString currentFolder();
bool setCurrentFolder(const QString &folder);
// path made absolute against the working folder, with "." and ".." resolved as text.
QString absolutePathOf(const QString &path);

// A path that a file dialog gives back shows each byte that is not UTF-8 as U+FFFD. Finds the
// file it stands for by reading the folders on the way; a part that exists as it stands, or that
// no single entry matches, is kept as it is.
QString pathOfShownName(const QString &shown);

// The local file a file:// URL names, with the bytes its percent-escapes stand for.
QString localPathOf(const QUrl &url);

// The command line's arguments with their exact bytes.
QStringList argumentsOf(int argc, char *argv[]);

// Renames from to to, never replacing an entry that is already there; false with the system's
// text in *reason.
bool renameDiskEntry(const QString &from, const QString &to, QString *reason);
