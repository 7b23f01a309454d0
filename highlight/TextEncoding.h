#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files are decoded as UTF-8 when they are valid UTF-8 and as Latin-1 otherwise, so every
// byte survives a read and write round trip; they are written back in the encoding they came in.
enum class TextEncoding { Utf8, Latin1 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

DecodedText decodeText(const QByteArray &bytes);
QByteArray encodeText(const QString &text, TextEncoding encoding);

// Calls visit with every line of text, split at CR LF, a lone CR and a lone LF; a final line end
// adds no empty line. The views point into text.
template <typename Visit>
void forEachLine(QStringView text, Visit visit)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        visit(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        visit(text.mid(start));
}

QStringList splitLines(QStringView text);
