#include "ProjectProperties.h"

#include <QRegularExpression>

namespace {

QString collapseSeparators(QString path)
{
    static const QRegularExpression runs(QStringLiteral("/{2,}"));
    return path.replace(runs, QStringLiteral("/"));
}

bool needsQuotes(QStringView line)
{
    for (const QChar c : line) {
        if (c.unicode() <= u' ' || c == u'"' || c == u',')
            return true;
    }
    return false;
}

QString quoted(QStringView line)
{
    return u'"' + line.toString().replace(u'"', QStringLiteral("\"\"")) + u'"';
}

bool isBlank(QChar c)
{
    return c.unicode() <= u' ';
}

// A quoted item from the quote at pos; an unclosed quote runs to the end of the text.
QString takeQuoted(QStringView text, qsizetype &pos)
{
    QString item;
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != u'"') {
            item += text[pos];
        } else if (pos + 1 < text.size() && text[pos + 1] == u'"') {
            item += u'"';
            ++pos;
        } else {
            ++pos;
            break;
        }
    }
    return item;
}

QString takePlain(QStringView text, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && text[pos].unicode() > u' ' && text[pos] != u',')
        ++pos;
    return text.mid(start, pos - start).toString();
}

void skipBlanks(QStringView text, qsizetype &pos)
{
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
}

} // namespace

QString normalizedProjectPath(const QString &folder)
{
    return collapseSeparators(folder + u'/');
}

QString normalizedServerUrl(const QString &typed, bool asIs)
{
    if (asIs)
        return typed;
    // Whatever was typed for the scheme ("http://", "http:/", "http//", "//") is replaced by a
    // proper one; ports and the rest of the address are kept.
    static const QRegularExpression prefix(QStringLiteral("^(?:(https?)[:/]+|[:/]+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString url = typed.trimmed();
    const QRegularExpressionMatch match = prefix.match(url);
    const bool secure = match.captured(1).compare(u"https", Qt::CaseInsensitive) == 0;
    url = collapseSeparators(url.mid(match.capturedLength()));
    if (!url.endsWith(u'/'))
        url += u'/';
    if (url == u"/")
        return {};
    return (secure ? QStringLiteral("https://") : QStringLiteral("http://")) + url;
}

QString toCommaText(const QStringList &lines)
{
    if (lines.size() == 1 && lines.front().isEmpty())
        return QStringLiteral("\"\"");
    QStringList items;
    items.reserve(lines.size());
    for (const QString &line : lines)
        items.append(needsQuotes(line) ? quoted(line) : line);
    return items.join(u',');
}

QStringList fromCommaText(QStringView text)
{
    QStringList lines;
    qsizetype pos = 0;
    skipBlanks(text, pos);
    while (pos < text.size()) {
        lines.append(text[pos] == u'"' ? takeQuoted(text, pos) : takePlain(text, pos));
        skipBlanks(text, pos);
        if (pos < text.size() && text[pos] == u',') {
            ++pos;
            // A comma at the very end stands for a last, empty line.
            if (pos == text.size())
                lines.append(QString());
            skipBlanks(text, pos);
        }
    }
    return lines;
}
