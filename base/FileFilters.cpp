#include "FileFilters.h"

QList<FileFilter> parseFileFilters(const QString &pipeSeparated)
{
    const QStringList parts = pipeSeparated.split(u'|');
    QList<FileFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter filter{parts[i].trimmed(), {}};
        for (const QString &pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts))
            if (const QString trimmed = pattern.trimmed(); !trimmed.isEmpty())
                filter.patterns.append(trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
        filters.append(filter);
    }
    return filters;
}

bool matchesPattern(QStringView name, QStringView pattern)
{
    // Greedy with one step back to the last "*": linear for the patterns of file choosers.
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype star = -1;
    qsizetype resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool matchesAnyPattern(QStringView name, const QStringList &patterns)
{
    for (const QString &pattern : patterns)
        if (matchesPattern(name, pattern))
            return true;
    return false;
}
