#pragma once

#include "ProfileFile.h"
#include "TextEncoding.h"

#include <QString>
#include <QStringList>

// An INI file held in memory with the classic profile-file rules: section and key names match
// without regard to case, the first match wins, a value reads up to 2047 characters, and writing
// one key leaves every other line of the file as it was. Changes reach the disk only through
// save(), which replaces the file atomically.
class IniFile : public ProfileFile
{
public:
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    // Reads the file; a missing file is an empty one. False when it exists but cannot be read.
    bool load();

    QStringList SectionKeys(QStringView section) const override;
    // Values read up to MaxValueLength characters.
    QString readString(QStringView section, QStringView key, const QString &fallback) const override;
    void writeString(QStringView section, QStringView key, const QString &value) override;

    // Writes the file when its lines differ from what is on disk. On failure returns false and
    // sets *error to "Unable to write to <path>".
    bool save(QString *error);

    QByteArray toBytes() const;

private:
    struct KeyLine {
        qsizetype index = -1;
        QString value;
    };

    qsizetype findSection(QStringView section) const;
    qsizetype sectionEnd(qsizetype sectionLine) const;
    KeyLine findKey(QStringView section, QStringView key) const;

    QString m_path;
    QStringList m_lines;
    TextEncoding m_encoding = TextEncoding::Utf8;
    QStringList m_linesOnDisk;
    bool m_existsOnDisk = false;
};
