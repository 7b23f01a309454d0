#include "JournalFile.h"

#include "DiskFiles.h"
#include "NativePath.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

constexpr QByteArrayView Magic = "Velmora recovery journal 1";
// A journal holds at most what the editor can hold, with room for the header.
constexpr qint64 MaxJournalSize = qint64(1) << 31;

QByteArray flag(bool value)
{
    return value ? "1" : "0";
}

QByteArray pathValue(const QString &path)
{
    return pathToBytes(path).toPercentEncoding();
}

QByteArray textValue(const QString &text)
{
    return text.toUtf8().toPercentEncoding();
}

// The header's values by key, or false when a line is no "Key=value".
bool parseHeader(QByteArrayView header, QHash<QByteArray, QByteArray> *values)
{
    for (const QByteArray &line : header.toByteArray().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            return false;
        values->insert(line.left(equals), QByteArray::fromPercentEncoding(line.mid(equals + 1)));
    }
    return true;
}

bool readNumber(const QByteArray &value, qint64 *number)
{
    bool ok = false;
    *number = value.toLongLong(&ok);
    return ok;
}

// True when process is another running copy of this program (journals it writes are its own).
bool otherCopyRunning(qint64 process)
{
    if (process <= 0 || process == qint64(::getpid()))
        return false;
    const QString exe = QStringLiteral("/proc/%1/exe").arg(process);
    const QString own = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return !own.isEmpty() && QFileInfo(exe).symLinkTarget() == own;
}

} // namespace

QByteArray encodeJournal(const JournalEntry &entry, const std::vector<QString> &lines)
{
    QByteArray body;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    body.reserve(size + size / 4);
    for (const QString &line : lines) {
        body += line.toUtf8();
        body += "\r\n";
    }
    QByteArray header = Magic.toByteArray() + '\n';
    const auto add = [&header](const char *key, const QByteArray &value) {
        header += key;
        header += '=';
        header += value;
        header += '\n';
    };
    add("Process", QByteArray::number(entry.process));
    add("ProjectFile", pathValue(entry.projectFile));
    add("ProjectName", textValue(entry.projectName));
    add("ProjectFolder", pathValue(entry.projectFolder));
    add("FileName", pathValue(entry.fileName));
    add("FileType", textValue(entry.fileType));
    add("CaretX", QByteArray::number(entry.caretX));
    add("CaretY", QByteArray::number(entry.caretY));
    add("LineFormat", QByteArray::number(int(entry.lineFormat)));
    add("Latin1", flag(entry.encoding == TextEncoding::Latin1));
    add("Bom", flag(entry.hasBom));
    add("FinalLineEnd", flag(entry.finalLineEnd));
    add("New", flag(entry.isNew));
    add("Length", QByteArray::number(body.size()));
    return header + '\n' + body;
}

bool decodeJournal(const QByteArray &bytes, JournalEntry *entry, QString *error)
{
    const auto fail = [error](const char *reason) {
        *error = QString::fromLatin1(reason);
        return false;
    };
    if (!bytes.startsWith(Magic.toByteArray() + '\n'))
        return fail("Not a recovery journal");
    const qsizetype headerStart = Magic.size() + 1;
    const qsizetype headerEnd = bytes.indexOf("\n\n", headerStart - 1);
    if (headerEnd < 0)
        return fail("The journal is cut off");
    QHash<QByteArray, QByteArray> values;
    if (headerEnd > headerStart
        && !parseHeader(QByteArrayView(bytes).sliced(headerStart, headerEnd - headerStart), &values))
        return fail("The journal's header is damaged");
    qint64 length = 0, caretX = 0, caretY = 0, lineFormat = 0, process = 0;
    if (!readNumber(values.value("Length"), &length) || !readNumber(values.value("CaretX"), &caretX)
        || !readNumber(values.value("CaretY"), &caretY) || !readNumber(values.value("LineFormat"), &lineFormat)
        || !readNumber(values.value("Process"), &process) || values.value("FileName").isEmpty())
        return fail("The journal's header is damaged");
    if (length != bytes.size() - headerEnd - 2)
        return fail("The journal is cut off");
    JournalEntry read;
    read.process = process;
    read.projectFile = pathFromBytes(values.value("ProjectFile"));
    read.projectName = QString::fromUtf8(values.value("ProjectName"));
    read.projectFolder = pathFromBytes(values.value("ProjectFolder"));
    read.fileName = pathFromBytes(values.value("FileName"));
    read.fileType = QString::fromUtf8(values.value("FileType"));
    read.caretX = int(std::clamp<qint64>(caretX, 1, INT_MAX));
    read.caretY = int(std::clamp<qint64>(caretY, 1, INT_MAX));
    read.lineFormat = lineFormat == 1 ? LineEnds::Unix : LineEnds::Windows;
    read.encoding = values.value("Latin1") == "1" ? TextEncoding::Latin1 : TextEncoding::Utf8;
    read.hasBom = values.value("Bom") == "1";
    read.finalLineEnd = values.value("FinalLineEnd") != "0";
    read.isNew = values.value("New") == "1";
    read.text = QString::fromUtf8(QByteArrayView(bytes).sliced(headerEnd + 2));
    *entry = std::move(read);
    return true;
}

QList<FoundJournal> findJournals(const QString &folder)
{
    QList<FoundJournal> found;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*") + QLatin1String(JournalSuffix)}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        FoundJournal journal;
        journal.path = QDir(folder).filePath(name);
        QByteArray bytes;
        ReadFailure failure;
        if (!readDiskFile(journal.path, MaxJournalSize, &bytes, &failure))
            journal.error = failure.tooLarge ? QStringLiteral("The journal is too large") : failure.reason;
        else
            journal.readable = decodeJournal(bytes, &journal.entry, &journal.error);
        if (!journal.readable || !otherCopyRunning(journal.entry.process))
            found.append(journal);
    }
    return found;
}
