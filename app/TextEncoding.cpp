#include "TextEncoding.h"

#include <QStringDecoder>
#include <QStringList>

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
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start).toString());
    return lines;
}
