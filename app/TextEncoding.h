#pragma once

#include <QByteArray>
#include <QString>

// Text files are decoded as UTF-8 when they are valid UTF-8 and as Latin-1 otherwise, so every
// byte survives a read and write round trip; they are written back in the encoding they came in.
enum class TextEncoding { Utf8, Latin1 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

DecodedText decodeText(const QByteArray &bytes);
QByteArray encodeText(const QString &text, TextEncoding encoding);

// Splits at CR LF, a lone CR and a lone LF; a final line end adds no empty line.
QStringList splitLines(QStringView text);
