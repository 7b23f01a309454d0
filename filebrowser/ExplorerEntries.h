#pragma once

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What the file browser lists, read without any widget: a folder's entries by their exact byte
// names (see NativePath.h), or the drives. Here "drives" are the places a user browses: the root,
// the home folder and the mounted file systems that hold files.

// The attributes Linux has of the ones the list shows: read-only (the owner may not write) and
// hidden (a name starting with ".").
enum class FileAttribute { ReadOnly = 1, Hidden = 2 };
Q_DECLARE_FLAGS(FileAttributes, FileAttribute)
Q_DECLARE_OPERATORS_FOR_FLAGS(FileAttributes)

// Which entries are listed: one with an attribute that is not among these is left out.
enum class FileTypeFlag { ftReadOnly = 1, ftHidden = 2 };
Q_DECLARE_FLAGS(FileType, FileTypeFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(FileType)
constexpr FileType AllFileTypes = FileType(FileTypeFlag::ftReadOnly) | FileTypeFlag::ftHidden;

struct ExplorerEntry {
    enum class Kind { Folder, File, Drive };
    QString name; // the caption: a file's own bytes, "..", or a drive's name
    QString path; // the full path; a folder's and a drive's end in "/"
    Kind kind = Kind::File;
    qint64 size = 0; // a file's size; a drive's total size
    qint64 free = 0; // a drive's free space
    qint64 modified = 0; // seconds since the epoch
    FileAttributes attributes;
    QString driveType; // "Fixed", "Remote" ...
    bool detailed = false; // size, time and attributes read
};

struct ExplorerListing {
    QList<ExplorerEntry> entries;
    QString error; // the system's text when the folder could not be read
};

// The patterns of a mask: "*.php;*.inc". "*.*" meant every file where a name always had an
// extension; here it is "*", so "Makefile" and ".htaccess" are listed too.
QStringList maskPatterns(const QString &mask);

// The entries of folder (which ends in "/"): ".." (except in "/") and the folders, then, for each
// pattern in turn, the files that match it (a file that matches two is listed twice), then put in
// the list's order. The names come first: sizes, times and attributes are read here only when the
// file types need them, else by readDetails. stop, when given, is asked now and then whether to
// give up.
ExplorerListing listFolder(const QString &folder, const QStringList &patterns, FileType types,
                           const std::function<bool()> &stop = {});
// Reads what listFolder left out for the entries of folder.
void readDetails(const QString &folder, QList<ExplorerEntry> &entries, const std::function<bool()> &stop = {});

// The drives, "/" and the home folder first.
QList<ExplorerEntry> listDrives();

// The list's order: "..", the folders, then the files, each by name with ASCII letters compared
// without regard to case; names equal but for case by their codes.
void sortEntries(QList<ExplorerEntry> &entries);

// The attribute letters: "R" read-only, "H" hidden.
QString attributeLetters(FileAttributes attributes);
// 1234567 as "1,234,567".
QString groupedSize(qint64 bytes);
// The drive the path lies on: the one with the longest root that holds it, -1 for none.
int driveOf(const QList<ExplorerEntry> &drives, const QString &path);
