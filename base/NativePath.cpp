#include "NativePath.h"

namespace {

constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

// A kept byte is a low surrogate with no high surrogate before it; a decoded name never holds a
// lone high surrogate, so the two cannot be confused.
bool isEscapeAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= FirstEscape && c <= LastEscape && (i == 0 || !text[i - 1].isHighSurrogate());
}

// The length of the well-formed UTF-8 sequence at p (no overlong forms, no surrogates, nothing
// above U+10FFFF), or 0; *code receives its code point.
int sequenceAt(const uchar *p, const uchar *end, char32_t *code)
{
    const uchar lead = *p;
    int length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = value << 6 | (p[i] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return length;
}

template <typename Map>
QString mapEscapes(QStringView text, Map map)
{
    QString mapped = text.toString();
    for (qsizetype i = 0; i < mapped.size(); ++i)
        if (isEscapeAt(text, i))
            mapped[i] = map(uchar(text[i].unicode() - FirstEscape + 0x80));
    return mapped;
}

} // namespace

QString pathFromBytes(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *end = p + bytes.size();
    while (p < end) {
        char32_t code = *p;
        const int length = code < 0x80 ? 1 : sequenceAt(p, end, &code);
        if (length == 0) {
            path += QChar(char16_t(FirstEscape + (*p - 0x80)));
            ++p;
            continue;
        }
        if (QChar::requiresSurrogates(code)) {
            path += QChar(QChar::highSurrogate(code));
            path += QChar(QChar::lowSurrogate(code));
        } else {
            path += QChar(char16_t(code));
        }
        p += length;
    }
    return path;
}

QByteArray pathToBytes(QStringView path)
{
    if (!hasForeignBytes(path))
        return path.toUtf8();
    QByteArray bytes;
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isEscapeAt(path, i))
            continue;
        bytes += path.mid(run, i - run).toUtf8();
        bytes += char(path[i].unicode() - FirstEscape + 0x80);
        run = i + 1;
    }
    return bytes + path.mid(run).toUtf8();
}

bool hasForeignBytes(QStringView path)
{
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isEscapeAt(path, i))
            return true;
    return false;
}

QString displayPath(QStringView path)
{
    return mapEscapes(path, [](uchar) { return QChar::ReplacementCharacter; });
}

QString foreignBytesAsLatin1(QStringView text)
{
    return mapEscapes(text, [](uchar byte) { return QChar(byte); });
}
