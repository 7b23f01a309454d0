#include "IniFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

QStringView sectionName(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.size() < 2 || trimmed.front() != u'[')
        return {};
    const qsizetype close = trimmed.indexOf(u']');
    return close < 0 ? QStringView() : trimmed.mid(1, close - 1).trimmed();
}

bool isSectionLine(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    return trimmed.startsWith(u'[') && trimmed.contains(u']');
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The profile functions strip one pair of matching quotes around a value.
QString unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2).toString();
    return value.toString();
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) { }

bool IniFile::load()
{
    m_lines.clear();
    m_linesOnDisk.clear();
    m_existsOnDisk = false;
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const DecodedText decoded = decodeText(file.readAll());
    m_existsOnDisk = true;
    m_encoding = decoded.encoding;
    m_lines = splitLines(decoded.text);
    m_linesOnDisk = m_lines;
    return true;
}

qsizetype IniFile::findSection(QStringView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (isSectionLine(m_lines[i]) && sameName(sectionName(m_lines[i]), section))
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype sectionLine) const
{
    qsizetype end = sectionLine + 1;
    while (end < m_lines.size() && !isSectionLine(m_lines[end]))
        ++end;
    return end;
}

IniFile::KeyLine IniFile::findKey(QStringView section, QStringView key) const
{
    const qsizetype start = findSection(section);
    if (start < 0)
        return {};
    const qsizetype end = sectionEnd(start);
    for (qsizetype i = start + 1; i < end; ++i) {
        const QStringView line = m_lines[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && sameName(line.left(eq).trimmed(), key))
            return {i, unquoted(line.mid(eq + 1).trimmed())};
    }
    return {};
}

QStringList IniFile::SectionKeys(QStringView section) const
{
    QStringList keys;
    const qsizetype start = findSection(section);
    if (start < 0)
        return keys;
    const qsizetype end = sectionEnd(start);
    for (qsizetype i = start + 1; i < end; ++i) {
        const qsizetype eq = m_lines[i].indexOf(u'=');
        if (eq >= 0)
            keys.append(m_lines[i].left(eq).trimmed());
    }
    return keys;
}

QString IniFile::readString(QStringView section, QStringView key, const QString &fallback) const
{
    const KeyLine found = findKey(section, key);
    return found.index < 0 ? fallback : found.value.left(MaxValueLength);
}

void IniFile::writeString(QStringView section, QStringView key, const QString &value)
{
    const QString line = key.toString() + u'=' + value;
    const KeyLine found = findKey(section, key);
    if (found.index >= 0) {
        m_lines[found.index] = line;
        return;
    }
    const qsizetype start = findSection(section);
    if (start < 0) {
        m_lines.append(u'[' + section.toString() + u']');
        m_lines.append(line);
        return;
    }
    // New keys go after the section's last non-blank line, so blank separators stay below.
    qsizetype insertAt = sectionEnd(start);
    while (insertAt > start + 1 && m_lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, line);
}

QByteArray IniFile::toBytes() const
{
    QString text;
    for (const QString &line : m_lines)
        text += line + QStringLiteral("\r\n");
    return encodeText(text, m_encoding);
}

bool IniFile::save(QString *error)
{
    if (m_existsOnDisk && m_lines == m_linesOnDisk)
        return true;
    const QByteArray bytes = toBytes();
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Unable to write to %1").arg(m_path);
        return false;
    }
    m_linesOnDisk = m_lines;
    m_existsOnDisk = true;
    return true;
}
