#include "ProfileFile.h"

std::optional<int> parseProfileInteger(QStringView text)
{
    bool ok = false;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        const QStringView digits = text.mid(2);
        // Hex values are 32-bit patterns: 0x80000005 is a system colour, not an overflow.
        const uint value = digits.size() <= 8 ? digits.toUInt(&ok, 16) : 0;
        return ok ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
    }
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int ProfileFile::readInteger(QStringView section, QStringView key, int fallback) const
{
    const QString text = readString(section, key, QString());
    return parseProfileInteger(text).value_or(fallback);
}

bool ProfileFile::readBool(QStringView section, QStringView key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void ProfileFile::writeInteger(QStringView section, QStringView key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(QStringView section, QStringView key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
