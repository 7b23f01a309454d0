#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A file of named sections holding key=value lines, as the settings and colour files are. The
// program's INI module implements it; highlighters read and write their colours through it.
class ProfileFile
{
public:
    virtual ~ProfileFile() = default;

    // The keys of the first section of that name, in file order; empty when there is none.
    virtual QStringList SectionKeys(QStringView section) const = 0;
    virtual QString readString(QStringView section, QStringView key, const QString &fallback) const = 0;
    virtual void writeString(QStringView section, QStringView key, const QString &value) = 0;

    // Decimal, or hexadecimal after "0x"/"0X" when the text is longer than two characters;
    // anything else gives the fallback.
    int readInteger(QStringView section, QStringView key, int fallback) const;
    // Read as an integer: any value other than 0 is true.
    bool readBool(QStringView section, QStringView key, bool fallback) const;
    void writeInteger(QStringView section, QStringView key, int value);
    void writeBool(QStringView section, QStringView key, bool value);
};

// Integer text as profile files read it; nullopt when it is not a number.
std::optional<int> parseProfileInteger(QStringView text);
