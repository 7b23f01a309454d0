#include "TextEncoding.h"

#include <QStringDecoder>

DecodedText decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, TextEncoding::Utf8};
    return {QString::fromLatin1(bytes), TextEncoding::Latin1};
}

QByteArray encodeText(const QString &text, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? text.toUtf8() : text.toLatin1();
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}
