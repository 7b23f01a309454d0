#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <algorithm>

// Text files are decoded as UTF-8 when they are valid UTF-8 and as Latin-1 otherwise, so every
// byte survives a read and write round trip; they are written back in the encoding they came in.
enum class TextEncoding { Utf8, Latin1 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// The mark some editors put before UTF-8 text.
inline constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

DecodedText decodeText(const QByteArray &bytes);
QByteArray encodeText(const QString &text, TextEncoding encoding);

inline bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Calls visit(part, isLast) for every stretch of text between line ends (CR LF, a lone CR, a lone
// LF): always one more part than there are line ends. Answers the number of parts. The views
// point into text.
template <typename Visit>
qsizetype forEachPart(QStringView text, Visit visit)
{
    const QChar *p = text.begin();
    const QChar *end = text.end();
    qsizetype parts = 0;
    for (;;) {
        const QChar *stop = std::find_if(p, end, isLineEnd);
        ++parts;
        visit(QStringView(p, stop), stop == end);
        if (stop == end)
            return parts;
        p = stop + 1;
        if (*stop == u'\r' && p != end && *p == u'\n')
            ++p;
    }
}

// Calls visit with every line of text: its parts, where a final line end adds no empty line.
template <typename Visit>
void forEachLine(QStringView text, Visit visit)
{
    forEachPart(text, [&visit](QStringView part, bool isLast) {
        if (!(isLast && part.isEmpty()))
            visit(part);
    });
}

QStringList splitLines(QStringView text);
