#include "WordListFile.h"

#include "TextEncoding.h"

QStringList dataFileLines(const QByteArray &bytes)
{
    return splitLines(decodeText(bytes).text);
}

QStringList listEntries(QStringList lines, QStringView header)
{
    if (!lines.isEmpty() && lines.front() == header)
        lines.removeFirst();
    return lines;
}

QByteArray wordListFileBytes(QStringView header, const QStringList &entries)
{
    QString text = header.toString() + QStringLiteral("\r\n");
    for (const QString &entry : entries)
        text += entry + QStringLiteral("\r\n");
    return encodeText(text, TextEncoding::Utf8);
}
