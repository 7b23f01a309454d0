#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// File names on Linux are bytes, not text. A name is held as a QString decoded from UTF-8 where
// it is valid; every byte that is not part of valid UTF-8 is kept as the lone low surrogate
// U+DC80 + (byte - 0x80), so the exact bytes come back when the name is encoded again.
QString pathFromBytes(QByteArrayView bytes);
QByteArray pathToBytes(QStringView path);

// True when the path holds bytes that are not UTF-8.
bool hasForeignBytes(QStringView path);
// The path for showing: each kept byte becomes U+FFFD.
QString displayPath(QStringView path);
// Each kept byte read as a Latin-1 character: how a text field of an 8-bit file reads.
QString foreignBytesAsLatin1(QStringView text);
