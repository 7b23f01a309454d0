#include "Scanners.h"

#include "CharClasses.h"

#include <QSet>

#include <algorithm>

namespace {

constexpr QStringView PhpOpen = u"<?";
constexpr QStringView PhpClose = u"?>";
constexpr QStringView ScriptOpen = u"<SCRIPT";
constexpr QStringView ScriptClose = u"</SCRIPT>";

// Case-sensitive search that finds the pattern's first character with the library's fast
// character search: most lines do not hold it at all, and the patterns are short.
qsizetype findExact(QStringView text, QStringView pattern, qsizetype from = 0)
{
    const qsizetype last = text.size() - pattern.size();
    for (qsizetype at = text.indexOf(pattern.front(), from); at >= 0 && at <= last;
         at = text.indexOf(pattern.front(), at + 1))
        if (text.sliced(at, pattern.size()) == pattern)
            return at;
    return -1;
}

bool containsExact(QStringView text, QStringView pattern)
{
    return findExact(text, pattern) >= 0;
}

QChar asciiUpperChar(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 0x20) : c;
}

QChar asciiLowerChar(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 0x20) : c;
}

struct LineMarks {
    bool phpOpen = false;
    bool phpClose = false;
    bool dollar = false;
};

// What the variable scan looks for, in one pass over the line.
LineMarks marksOf(QStringView line)
{
    LineMarks marks;
    const qsizetype last = line.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        const char16_t c = line[i].unicode();
        if (c == u'$')
            marks.dollar = true;
        else if (c == u'<' && i < last && line[i + 1] == u'?')
            marks.phpOpen = true;
        else if (c == u'?' && i < last && line[i + 1] == u'>')
            marks.phpClose = true;
    }
    return marks;
}

// Whether the declaration scan has anything to do on the line: a tag mark or the keyword need
// a "<" or the keyword's first letter.
bool mayDeclare(QStringView line, QChar upperFirst)
{
    const QChar lowerFirst = asciiLowerChar(upperFirst);
    for (QChar c : line)
        if (c == u'<' || c == upperFirst || c == lowerFirst)
            return true;
    return false;
}

bool containsAsciiNoCase(QStringView text, QStringView upperNeedle)
{
    return indexOfAsciiNoCase(text, upperNeedle) >= 0;
}

// From the "$" at dollar, the name as far as IsVariableChar reaches.
QString variableNameAt(QStringView text, qsizetype dollar)
{
    qsizetype i = dollar + 1;
    while (i < text.size() && IsVariableChar(text[i - 1], text[i], i + 1 < text.size() ? text[i + 1] : QChar()))
        ++i;
    return text.mid(dollar + 1, i - dollar - 1).toString();
}

// The name after the first keyword of upper: the character after the keyword is skipped, and
// the name runs to the next "{" or "(" or the line's end.
QString declaredName(QStringView upper, QStringView keyword)
{
    const qsizetype start = upper.indexOf(keyword) + keyword.size() + 1;
    qsizetype end = start;
    while (end < upper.size() && upper[end] != u'{' && upper[end] != u'(')
        ++end;
    if (end <= start)
        return {};
    return trimmedBlanks(upper.mid(start, end - start)).toString();
}

// The entries one declaration line gives: at most one in practice, from its first keyword.
void scanDeclarationLine(const QString &line, QStringView keyword, ScanResults &results)
{
    QString upper = asciiUpper(line);
    // Also skips declarations with default parameter values.
    if (ReplaceAll(ReplaceAll(upper, keyword, {}), u" ", {}).contains(u'='))
        return;
    while (containsExact(upper, keyword)) {
        const QString name = declaredName(upper, keyword);
        // Looked up in the line itself: after a first pass upper has lost its keywords. A name made
        // of text the removal joined occurs nowhere in the line and stays as found.
        const qsizetype at = indexOfAsciiNoCase(line, name);
        results.append(name.isEmpty() || at < 0 ? name : line.mid(at, name.size()));
        upper = ReplaceAll(upper, keyword, {});
    }
}

struct DeclarationScan {
    QString keyword; // upper-cased
    ScanResults results;
    bool inPhp = false;
    bool inScript = false;

    // One line: its tag marks are removed as they are passed.
    void scan(QString &line)
    {
        if (!mayDeclare(line, keyword.front()))
            return;
        if (containsExact(line, PhpOpen)) {
            inPhp = true;
            line = ReplaceAll(line, PhpOpen, {});
        }
        if (containsAsciiNoCase(line, ScriptOpen)) {
            inScript = true;
            // Case-sensitive: a tag written in lower case stays in the text.
            line = ReplaceAll(line, ScriptOpen, {});
        }
        // The closing marks are only looked for on lines that hold the keyword.
        if ((!inPhp && !inScript) || !containsAsciiNoCase(line, keyword))
            return;
        scanDeclarationLine(line, keyword, results);
        if (inPhp && containsExact(line, PhpClose)) {
            line = ReplaceAll(line, PhpClose, {});
            inPhp = false;
        }
        if (inScript && containsAsciiNoCase(line, ScriptClose)) {
            inScript = false;
            line = ReplaceAll(line, ScriptClose, {});
        }
    }
};

} // namespace

QString ReplaceAll(const QString &text, QStringView pattern, QStringView replacement)
{
    if (text.isEmpty() || pattern.isEmpty())
        return text;
    qsizetype found = findExact(text, pattern);
    if (found < 0)
        return text;
    QString replaced;
    replaced.reserve(text.size());
    qsizetype from = 0;
    do {
        replaced += QStringView(text).mid(from, found - from);
        replaced += replacement;
        from = found + pattern.size();
        found = findExact(text, pattern, from);
    } while (found >= 0);
    replaced += QStringView(text).mid(from);
    return replaced;
}

bool IsVariableChar(QChar previous, QChar current, QChar next)
{
    const char16_t c = current.unicode();
    return isNameChar(c) || (c == u'-' && next == u'>') || (previous == u'-' && c == u'>');
}

ScanResults ScanVariables(const QStringList &lines)
{
    ScanResults results;
    QSet<QString> seen; // as written, so a name seen before costs no case folding
    QSet<QString> found; // case-folded
    QString rest;
    QString pattern;
    bool inPhp = false;
    for (const QString &line : lines) {
        const LineMarks marks = marksOf(line);
        inPhp = inPhp || marks.phpOpen;
        if (!marks.dollar)
            continue;
        rest = line;
        for (qsizetype dollar = rest.indexOf(u'$'); dollar >= 0; dollar = rest.indexOf(u'$')) {
            const QString name = variableNameAt(rest, dollar);
            if (!name.isEmpty() && inPhp && !seen.contains(name)) {
                seen.insert(name);
                if (const QString key = name.toCaseFolded(); !found.contains(key)) {
                    found.insert(key);
                    results.append(name);
                }
            }
            // Also takes away longer names that begin with this one; a lone "$" takes every "$".
            pattern = u'$';
            pattern += name;
            rest.remove(pattern);
        }
        if (marks.phpClose)
            inPhp = false;
    }
    return results;
}

ScanResults ScanDeclarations(QStringList &lines, QStringView keyword)
{
    DeclarationScan scan{asciiUpper(keyword), {}};
    for (QString &line : lines)
        scan.scan(line);
    return scan.results;
}

ScanResults DeclaredNames(const QStringList &lines, QStringView keyword)
{
    DeclarationScan scan{asciiUpper(keyword), {}};
    for (QString line : lines)
        scan.scan(line);
    return scan.results;
}

ScanResults sortedWithoutCase(ScanResults names)
{
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QStringView trimmedBlanks(QStringView text)
{
    const auto blank = [](QChar c) { return c.unicode() <= u' '; };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

QString asciiUpper(QStringView text)
{
    QString upper(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        upper[i] = asciiUpperChar(text[i]);
    return upper;
}

qsizetype indexOfAsciiNoCase(QStringView text, QStringView upperNeedle, qsizetype from)
{
    if (upperNeedle.isEmpty())
        return -1;
    const QChar first = upperNeedle.front();
    const QChar lower = asciiLowerChar(first);
    const bool letter = lower != first;
    const qsizetype last = text.size() - upperNeedle.size();
    // The candidates are found with the library's fast character search, once per case.
    qsizetype upperAt = text.indexOf(first, from);
    qsizetype lowerAt = letter ? text.indexOf(lower, from) : -1;
    for (;;) {
        const qsizetype at = upperAt < 0 ? lowerAt : lowerAt < 0 ? upperAt : std::min(upperAt, lowerAt);
        if (at < 0 || at > last)
            return -1;
        qsizetype i = 1;
        while (i < upperNeedle.size() && asciiUpperChar(text[at + i]) == upperNeedle[i])
            ++i;
        if (i == upperNeedle.size())
            return at;
        if (at == upperAt)
            upperAt = text.indexOf(first, at + 1);
        else
            lowerAt = text.indexOf(lower, at + 1);
    }
}
