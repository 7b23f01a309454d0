#include "CodeExplorerModel.h"

#include "TextEncoding.h"

namespace {

int index(ExplorerGroup group)
{
    return int(group);
}

} // namespace

CodeExplorerModel::CodeExplorerModel(const QList<ExplorerSource> &files)
{
    m_files.reserve(files.size());
    for (const ExplorerSource &source : files) {
        ScannedFile &file = m_files.emplace_back();
        file.name = source.FileName;
        file.type = source.FileType;
        file.text = source.Text;
        forEachLine(file.text, [&file](QStringView line) { file.lines.append(line); });
        file.entries[index(ExplorerGroup::Variables)] = ScanVariables(file.lines);
        file.entries[index(ExplorerGroup::Functions)] = DeclaredNames(file.lines, u"function", &file.changed[0]);
        file.entries[index(ExplorerGroup::Classes)] = DeclaredNames(file.lines, u"class", &file.changed[1]);
    }
}

const ScanResults &CodeExplorerModel::entries(qsizetype file, ExplorerGroup group) const
{
    return m_files[file].entries[index(group)];
}

QString CodeExplorerModel::groupCaption(qsizetype file, ExplorerGroup group) const
{
    static const QString Names[] = {QStringLiteral("Variables"), QStringLiteral("Functions"),
                                    QStringLiteral("Classes")};
    return QStringLiteral("%1 (%2)").arg(Names[index(group)]).arg(entries(file, group).size());
}

QList<int> CodeExplorerModel::occurrenceLines(qsizetype file, ExplorerGroup group, qsizetype entry) const
{
    const QString &name = entries(file, group)[entry];
    const QString search = asciiUpper(group == ExplorerGroup::Variables ? QStringLiteral("$") + name : name);
    QList<int> found;
    if (name.isEmpty())
        return found;
    const ScannedFile &scanned = m_files[file];
    for (qsizetype i = 0; i < scanned.lines.size(); ++i)
        if (indexOfAsciiNoCase(lineOf(scanned, group, i), search) >= 0)
            found.append(int(i + 1));
    return found;
}

QString CodeExplorerModel::occurrenceCaption(qsizetype file, ExplorerGroup group, int line) const
{
    const ScannedFile &scanned = m_files[file];
    return lineCaption(line,
                       line >= 1 && line <= scanned.lines.size() ? lineOf(scanned, group, line - 1) : QStringView());
}

QStringView CodeExplorerModel::lineOf(const ScannedFile &file, ExplorerGroup group, qsizetype i) const
{
    if (group != ExplorerGroup::Variables) {
        const ChangedLines &changed = file.changed[index(group) - 1];
        if (const auto line = changed.constFind(i); line != changed.cend())
            return *line;
    }
    return file.lines[i];
}

QString CodeExplorerModel::lineCaption(int line, QStringView text)
{
    return QStringLiteral("[%1]: ").arg(line, 5, 10, QChar(u'0')) + trimmedBlanks(text).toString();
}
