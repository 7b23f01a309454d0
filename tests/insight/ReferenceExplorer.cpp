#include "ReferenceExplorer.h"

namespace reference {

namespace {

bool IsVariableChar(QChar prev, QChar cur, QChar next)
{
    const char16_t c = cur.unicode();
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c >= 128)
        return true;
    if (c == u'-' && next == u'>')
        return true;
    return prev == u'-' && c == u'>';
}

// The position of the first entry of list equal to name ignoring letter case, or -1.
qsizetype IndexOf(const QStringList &list, const QString &name)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (QString::compare(list[i], name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size() - 1;
    while (first <= last && text[first].unicode() <= 32)
        ++first;
    while (last >= first && text[last].unicode() <= 32)
        --last;
    return text.mid(first, last - first + 1);
}

QString LineText(int line, const QString &text)
{
    QString number = QString::number(line);
    while (number.size() < 5)
        number.prepend(u'0');
    return QStringLiteral("[") + number + QStringLiteral("]: ") + TrimBlanks(text);
}

QStringList OccurrenceLines(const QStringList &lines, const QString &search)
{
    QStringList found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (UpperAscii(lines[i]).contains(UpperAscii(search)))
            found.append(LineText(int(i + 1), lines[i]));
    }
    return found;
}

Group MakeGroup(const QString &title, const QStringList &names, const QStringList &lines, const QString &prefix)
{
    Group group;
    for (const QString &name : names) {
        Entry entry;
        entry.name = name;
        // An empty search text would be in every line; such an entry gets none.
        if (!name.isEmpty())
            entry.lines = OccurrenceLines(lines, prefix + name);
        group.entries.append(entry);
    }
    group.caption = title + QStringLiteral(" (") + QString::number(group.entries.size()) + QStringLiteral(")");
    return group;
}

} // namespace

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    QString current;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'\r') {
            lines.append(current);
            current.clear();
            ++i;
            if (i < text.size() && text[i] == u'\n')
                ++i;
        } else if (text[i] == u'\n') {
            lines.append(current);
            current.clear();
            ++i;
        } else {
            current += text[i];
            ++i;
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

QString UpperAscii(const QString &text)
{
    QString upper = text;
    for (qsizetype i = 0; i < upper.size(); ++i) {
        if (upper[i] >= u'a' && upper[i] <= u'z')
            upper[i] = QChar(upper[i].unicode() - 32);
    }
    return upper;
}

QString ReplaceAll(const QString &text, const QString &pattern, const QString &replacement)
{
    if (text.isEmpty() || pattern.isEmpty())
        return text;
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.mid(i, pattern.size()) == pattern) {
            result += replacement;
            i += pattern.size();
        } else {
            result += text[i];
            ++i;
        }
    }
    return result;
}

QStringList ScanVariables(const QStringList &lines)
{
    QStringList results;
    bool php = false;
    for (const QString &line : lines) {
        if (line.contains(QStringLiteral("<?")))
            php = true;
        if (!line.contains(u'$'))
            continue;
        QString w = line;
        while (w.contains(u'$')) {
            const qsizetype p = w.indexOf(u'$');
            QString name;
            qsizetype i = p + 1;
            while (i < w.size()) {
                const QChar next = i + 1 < w.size() ? w[i + 1] : QChar();
                if (!IsVariableChar(w[i - 1], w[i], next))
                    break;
                name += w[i];
                ++i;
            }
            if (!name.isEmpty() && php && IndexOf(results, name) < 0)
                results.append(name);
            w = ReplaceAll(w, QStringLiteral("$") + name, QString());
        }
        if (line.contains(QStringLiteral("?>")))
            php = false;
    }
    return results;
}

QStringList ScanDeclarations(QStringList &lines, const QString &keyword)
{
    const QString k = UpperAscii(keyword);
    QStringList results;
    bool php = false;
    bool script = false;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        if (lines[index].contains(QStringLiteral("<?"))) {
            php = true;
            lines[index] = ReplaceAll(lines[index], QStringLiteral("<?"), QString());
        }
        if (UpperAscii(lines[index]).contains(QStringLiteral("<SCRIPT"))) {
            script = true;
            lines[index] = ReplaceAll(lines[index], QStringLiteral("<SCRIPT"), QString());
        }
        if (!UpperAscii(lines[index]).contains(k) || (!php && !script))
            continue;

        QString u = UpperAscii(lines[index]);
        const QString o = lines[index];
        const QString withoutKeyword = ReplaceAll(ReplaceAll(u, k, QString()), QStringLiteral(" "), QString());
        if (!withoutKeyword.contains(u'=')) {
            while (u.contains(k)) {
                const qsizetype p = u.indexOf(k) + k.size() + 1;
                QString name;
                if (!(p < u.size() && (u[p] == u'{' || u[p] == u'('))) {
                    qsizetype j = p;
                    while (j < u.size() && u[j] != u'{' && u[j] != u'(') {
                        name += u[j];
                        ++j;
                    }
                }
                name = TrimBlanks(ReplaceAll(name, QStringLiteral("{"), QString()));
                QString entry;
                if (!name.isEmpty()) {
                    const qsizetype at = UpperAscii(o).indexOf(UpperAscii(name));
                    // A name pieced together across a removed keyword is not in the line; it
                    // is then kept as found.
                    entry = at >= 0 ? o.mid(at, name.size()) : name;
                }
                results.append(entry);
                u = ReplaceAll(u, k, QString());
            }
        }

        if (php && lines[index].contains(QStringLiteral("?>"))) {
            lines[index] = ReplaceAll(lines[index], QStringLiteral("?>"), QString());
            php = false;
        }
        if (script && UpperAscii(lines[index]).contains(QStringLiteral("</SCRIPT>"))) {
            script = false;
            lines[index] = ReplaceAll(lines[index], QStringLiteral("</SCRIPT>"), QString());
        }
    }
    return results;
}

QList<FileNode> BuildTree(const QList<SourceFile> &files)
{
    QList<FileNode> tree;
    for (const SourceFile &file : files) {
        FileNode node;
        node.name = file.name;
        node.type = file.type;

        const QStringList variableLines = SplitLines(file.text);
        node.groups[0] =
            MakeGroup(QStringLiteral("Variables"), ScanVariables(variableLines), variableLines, QStringLiteral("$"));

        QStringList functionLines = SplitLines(file.text);
        const QStringList functions = ScanDeclarations(functionLines, QStringLiteral("function"));
        node.groups[1] = MakeGroup(QStringLiteral("Functions"), functions, functionLines, QString());

        QStringList classLines = SplitLines(file.text);
        const QStringList classes = ScanDeclarations(classLines, QStringLiteral("class"));
        node.groups[2] = MakeGroup(QStringLiteral("Classes"), classes, classLines, QString());

        tree.append(node);
    }
    return tree;
}

} // namespace reference
