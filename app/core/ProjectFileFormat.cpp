#include "ProjectFileFormat.h"

#include "NativePath.h"
#include "Project.h"
#include "TextEncoding.h"

namespace {

constexpr QStringView NameKey = u"Name=";
constexpr QStringView DescriptionKey = u"Description=";
constexpr QStringView ServerUrlKey = u"ServerURL=";
constexpr QStringView LastFileKey = u"LastFile=";
constexpr QStringView FileKey = u"ProjectFile=";
constexpr QStringView UnixMarker = u"[FILEFORMAT:UNIX]";

std::optional<QString> valueAfter(const QString &line, QStringView key)
{
    if (!line.startsWith(key))
        return std::nullopt;
    return line.mid(key.size());
}

// A header line is text, not a path: bytes that are not UTF-8 read as Latin-1, as an 8-bit file does.
std::optional<QString> textAfter(const QString &line, QStringView key)
{
    const auto value = valueAfter(line, key);
    return value ? std::optional(foreignBytesAsLatin1(*value)) : std::nullopt;
}

// "column,line:topline"; every number must read or none is used.
void parsePosition(QStringView position, ProjectFileLine &line)
{
    const qsizetype comma = position.indexOf(u',');
    const qsizetype colon = comma < 0 ? -1 : position.indexOf(u':', comma + 1);
    if (colon < 0)
        return;
    bool okX = false;
    bool okY = false;
    bool okTop = false;
    const int x = position.left(comma).toInt(&okX);
    const int y = position.mid(comma + 1, colon - comma - 1).toInt(&okY);
    const int top = position.mid(colon + 1).toInt(&okTop);
    if (okX && okY && okTop) {
        line.CaretX = x;
        line.CaretY = y;
        line.TopLine = top;
    }
}

// LastFile counts the file lines, which is the line number after the header as long as the
// file has no empty lines between them.
QString lastFilePath(const QList<ProjectFileLine> &files, int lastFile)
{
    return lastFile >= 1 && lastFile <= files.size() ? files[lastFile - 1].Path : QString();
}

QString fileLine(const ProjectFile &file)
{
    QString line = FileKey.toString();
    if (file.LineFormat == LineEnds::Unix)
        line += UnixMarker;
    return line + file.FileName + u';' + file.FileType + u';' + QString::number(file.CaretX) + u','
        + QString::number(file.CaretY) + u':' + QString::number(file.TopLine);
}

ProjectFileLine parseFileLine(QStringView value)
{
    ProjectFileLine line;
    const qsizetype pathEnd = value.indexOf(u';');
    line.Path = value.left(pathEnd < 0 ? value.size() : pathEnd).toString();
    if (line.Path.contains(UnixMarker)) {
        line.Path.remove(UnixMarker.toString());
        line.LineFormat = LineEnds::Unix;
    }
    if (pathEnd < 0)
        return line;
    const QStringView rest = value.mid(pathEnd + 1);
    const qsizetype typeEnd = rest.indexOf(u';');
    line.FileType = rest.left(typeEnd < 0 ? rest.size() : typeEnd).toString();
    if (typeEnd >= 0)
        parsePosition(rest.mid(typeEnd + 1), line);
    return line;
}

} // namespace

QString projectFileText(QByteArrayView bytes)
{
    return pathFromBytes(bytes.startsWith(Utf8Bom) ? bytes.sliced(Utf8Bom.size()) : bytes);
}

std::optional<ProjectFileContents> parseProjectFile(QStringView text)
{
    const QStringList lines = splitLines(text);
    if (lines.size() < 4)
        return std::nullopt;
    const auto name = textAfter(lines[0], NameKey);
    const auto description = textAfter(lines[1], DescriptionKey);
    const auto serverUrl = textAfter(lines[2], ServerUrlKey);
    if (!name || !description || !serverUrl)
        return std::nullopt;
    ProjectFileContents contents{*name, *description, *serverUrl, {}, {}};

    int lastFile = 0;
    qsizetype first = 3;
    if (const auto last = valueAfter(lines[3], LastFileKey)) {
        bool ok = false;
        lastFile = last->toInt(&ok);
        if (!ok)
            return std::nullopt;
        first = 4;
    }
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.isEmpty() || line.startsWith(LastFileKey))
            continue;
        const auto value = valueAfter(line, FileKey);
        if (!value)
            return std::nullopt;
        contents.Files.append(parseFileLine(*value));
    }
    contents.LastFilePath = lastFilePath(contents.Files, lastFile);
    return contents;
}

QByteArray projectFileBytes(const Project &project, int lastFile)
{
    QString files;
    int written = 0;
    int lastWritten = 0;
    for (int i = 0; i < project.Files.size(); ++i) {
        const ProjectFile &file = project.Files[i];
        if (file.IsNew)
            continue;
        ++written;
        if (i + 1 == lastFile)
            lastWritten = written;
        files += fileLine(file) + QStringLiteral("\r\n");
    }
    QString header;
    const auto addLine = [&header](QStringView key, const QString &value) {
        header += key;
        header += value;
        header += u"\r\n";
    };
    addLine(NameKey, project.Name);
    addLine(DescriptionKey, project.Description);
    addLine(ServerUrlKey, project.Options.ServerURL);
    addLine(LastFileKey, QString::number(lastWritten));
    return pathToBytes(header + files);
}
