#pragma once

#include "ProjectFile.h"

#include <QByteArray>
#include <QString>

// A file's bytes as the editor holds them: lines ended by CR LF, plus what is needed to write
// the same bytes back.
struct FileContent {
    QString Text;
    TextEncoding Encoding = TextEncoding::Utf8;
    bool HasBom = false;
    bool FinalLineEnd = true;
    bool PureLf = false; // every line end was a lone LF, and there was one
};

// Larger files are refused before they are read: the editor holds every line in memory, which
// takes five to six times the file's size (a 256 MB file about 1.5 GB, read in a few seconds).
constexpr qint64 MaxEditableFileSize = qint64(256) * 1024 * 1024;
// "1.5 GB", "300.0 MB".
QString fileSizeText(qint64 bytes);

// Splits at CR LF, lone LF and lone CR. Linear in the size of the file.
FileContent decodeFileContent(const QByteArray &bytes);
// The bytes for the entry's text in its line format. A text the entry's 8-bit encoding cannot
// hold is written as UTF-8 instead, and *encoding tells which one was used.
QByteArray encodeFileContent(const ProjectFile &file, TextEncoding *encoding);

// Why a save failed. Nothing was written in either case.
struct SaveError {
    bool backup = false; // the backup could not be made
    QString path; // the backup's path, else the target's
    QString reason; // the system's error text

    // "Can't create backup file: <backup>" or "<target>: <reason>"; the caller may pass the
    // translated caption of the backup message.
    QString message(const QString &cantCreateBackup = QStringLiteral("Can't create backup file")) const;
};

// Reads a whole file. False with "<file>: <reason>" when it is not a readable file of a size
// the editor can hold.
bool readFileContent(const QString &fileName, FileContent *content, QString *error);

// Replaces fileName with bytes without ever leaving a half-written file: the new bytes go to a
// temporary file that is renamed over the target only when complete. With backups the old file
// is kept under its backup name first. On failure the target and the backup stay as they were.
bool writeWithBackup(const QString &fileName, const QByteArray &bytes, bool createBackups, SaveError *error);

// Saves entry file under fileName and makes it the entry's name, folder and type (an empty
// folder becomes projectFolder); the entry is then saved and unmodified. On failure the entry is
// unchanged.
bool WriteFileToDisk(ProjectFile &file, const QString &fileName, bool createBackups, const QString &projectFolder,
                     SaveError *error);

// The file at path as it stands on disk now.
DiskStamp diskStampOf(const QString &path);

// Reads the file at diskPath into the entry's text and makes it a saved, unmodified file with a
// fresh undo history; a file whose line ends are all LF gets the UNIX format. On a read error the
// entry is unchanged.
bool readIntoEntry(ProjectFile &file, const QString &diskPath, QString *error);
// What readIntoEntry does once the file is read, apart from the text and the undo lists, which
// the caller sets (the editor may keep them). Returns the text.
QString takeContent(ProjectFile &file, FileContent content, const DiskStamp &stamp);

// Add File To Project: appends fileName with its type and folder and its text read from disk.
// Unlike a template entry it is saved. On a read error (a folder, an unreadable file) the table
// is unchanged and *error holds the system's text.
bool AddExistingFile(FileTable &files, const QString &fileName, QString *error);
