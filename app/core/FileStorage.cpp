#include "FileStorage.h"

#include "FileNames.h"

#include "DiskFiles.h"
#include "NativePath.h"

#include <algorithm>
#include <limits>

namespace {

// Writing a character Latin-1 cannot hold would turn it into "?".
bool fitsLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

QString joinLines(QStringView text, QStringView lineEnd, bool finalLineEnd)
{
    QString joined;
    joined.reserve(text.size());
    bool first = true;
    forEachLine(text, [&](QStringView line) {
        if (!first)
            joined += lineEnd;
        joined += line;
        first = false;
    });
    if (!first && finalLineEnd)
        joined += lineEnd;
    return joined;
}

bool fail(SaveError *error, bool backup, const QString &path, const QString &reason)
{
    *error = {backup, path, reason};
    return false;
}

// Keeps a copy of the file about to be replaced under its backup name. Written completely before
// it replaces an older backup, so a failure leaves the older backup in place.
bool replaceBackup(const QString &fileName, SaveError *error)
{
    const QString backup = backupFileName(fileName);
    if (backup == fileName || !isRegularFile(fileName))
        return true;
    QByteArray bytes;
    ReadFailure failure;
    if (!readDiskFile(fileName, std::numeric_limits<qint64>::max(), &bytes, &failure))
        return fail(error, true, backup, failure.reason);
    QString reason;
    if (!replaceDiskFile(backup, bytes, &reason))
        return fail(error, true, backup, reason);
    return true;
}

} // namespace

QString SaveError::message(const QString &cantCreateBackup) const
{
    const QString shown = displayPath(path);
    return backup ? cantCreateBackup + QStringLiteral(": ") + shown : shown + QStringLiteral(": ") + reason;
}

FileContent decodeFileContent(const QByteArray &bytes)
{
    const DecodedText decoded = decodeText(bytes);
    FileContent content;
    content.Encoding = decoded.encoding;
    content.HasBom = decoded.encoding == TextEncoding::Utf8 && bytes.startsWith(Utf8Bom);
    content.FinalLineEnd = decoded.text.isEmpty() || isLineEnd(decoded.text.back());
    content.PureLf = bytes.contains('\n') && !bytes.contains('\r');
    content.Text = joinLines(decoded.text, u"\r\n", true);
    return content;
}

QByteArray encodeFileContent(const ProjectFile &file, TextEncoding *encoding)
{
    const QStringView lineEnd = file.LineFormat == LineEnds::Unix ? QStringView(u"\n") : QStringView(u"\r\n");
    const QString text = joinLines(file.Text, lineEnd, file.FinalLineEnd);
    *encoding = file.Encoding == TextEncoding::Latin1 && !fitsLatin1(text) ? TextEncoding::Utf8 : file.Encoding;
    const QByteArray bytes = encodeText(text, *encoding);
    return file.HasBom && *encoding == TextEncoding::Utf8 ? Utf8Bom.toByteArray() + bytes : bytes;
}

QString fileSizeText(qint64 bytes)
{
    constexpr qint64 MB = 1024 * 1024;
    if (bytes >= 1024 * MB)
        return QStringLiteral("%1 GB").arg(double(bytes) / double(1024 * MB), 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(double(bytes) / double(MB), 0, 'f', 1);
}

bool readFileContent(const QString &fileName, FileContent *content, QString *error)
{
    const auto fail = [&](const QString &reason) {
        *error = displayPath(fileName) + QStringLiteral(": ") + reason;
        return false;
    };
    QByteArray bytes;
    ReadFailure failure;
    if (readDiskFile(fileName, MaxEditableFileSize, &bytes, &failure)) {
        *content = decodeFileContent(bytes);
        return true;
    }
    if (failure.tooLarge)
        return fail(QStringLiteral("The file is too large to edit (%1; files up to %2 open)")
                        .arg(fileSizeText(failure.size), fileSizeText(MaxEditableFileSize)));
    return fail(failure.reason);
}

bool writeWithBackup(const QString &fileName, const QByteArray &bytes, bool createBackups, SaveError *error)
{
    ReplacingFile target(fileName);
    if (!target.open() || !target.write(bytes))
        return fail(error, false, fileName, target.errorString());
    if (createBackups && !replaceBackup(fileName, error))
        return false;
    if (!target.commit())
        return fail(error, false, fileName, target.errorString());
    return true;
}

bool WriteFileToDisk(ProjectFile &file, const QString &fileName, bool createBackups, const QString &projectFolder,
                     SaveError *error)
{
    TextEncoding encoding = file.Encoding;
    const QByteArray bytes = encodeFileContent(file, &encoding);
    if (!writeWithBackup(fileName, bytes, createBackups, error))
        return false;
    const QString folder = folderOf(fileName);
    file.Stamp = file.Noticed = diskStampOf(fileName);
    file.Path = folder.isEmpty() ? projectFolder : folder;
    file.FileName = fileName;
    file.FileType = fileTypeOf(fileName);
    file.Encoding = encoding;
    file.Modified = false;
    file.Saved = true;
    file.IsNew = false;
    return true;
}

DiskStamp diskStampOf(const QString &path)
{
    const DiskEntry entry = diskEntry(path);
    return {entry.exists, entry.size, entry.modifiedNs};
}

bool readIntoEntry(ProjectFile &file, const QString &diskPath, QString *error)
{
    // Taken before the read: a change while reading is then noticed as one.
    const DiskStamp stamp = diskStampOf(diskPath);
    FileContent content;
    if (!readFileContent(diskPath, &content, error))
        return false;
    file.Text = takeContent(file, std::move(content), stamp);
    file.UndoList.reset();
    return true;
}

QString takeContent(ProjectFile &file, FileContent content, const DiskStamp &stamp)
{
    file.Stamp = file.Noticed = stamp;
    file.Encoding = content.Encoding;
    file.HasBom = content.HasBom;
    file.FinalLineEnd = content.FinalLineEnd;
    // An LF file stays LF when saved; a file with CR LF or mixed line ends is saved with CR LF.
    if (content.PureLf)
        file.LineFormat = LineEnds::Unix;
    file.Saved = true;
    file.Modified = false;
    file.IsNew = false;
    return std::move(content.Text);
}

bool AddExistingFile(FileTable &files, const QString &fileName, QString *error)
{
    ProjectFile file;
    file.FileName = fileName;
    file.FileType = fileTypeOf(fileName);
    file.Path = folderOf(fileName);
    if (!readIntoEntry(file, fileName, error))
        return false;
    files.append(std::move(file));
    return true;
}
