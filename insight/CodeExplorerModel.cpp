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
        ScannedFile file{source.FileName, source.FileType, {}, {}};
        const QStringList lines = splitLines(source.Text);
        file.lines = {lines, lines, lines};
        file.entries[index(ExplorerGroup::Variables)] = ScanVariables(lines);
        file.entries[index(ExplorerGroup::Functions)] =
            ScanDeclarations(file.lines[index(ExplorerGroup::Functions)], u"function");
        file.entries[index(ExplorerGroup::Classes)] =
            ScanDeclarations(file.lines[index(ExplorerGroup::Classes)], u"class");
        m_files.append(std::move(file));
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
    const QStringList &lines = m_files[file].lines[index(group)];
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (indexOfAsciiNoCase(lines[i], search) >= 0)
            found.append(int(i + 1));
    return found;
}

QString CodeExplorerModel::occurrenceCaption(qsizetype file, ExplorerGroup group, int line) const
{
    return lineCaption(line, m_files[file].lines[index(group)].value(line - 1));
}

QString CodeExplorerModel::lineCaption(int line, QStringView text)
{
    return QStringLiteral("[%1]: ").arg(line, 5, 10, QChar(u'0')) + trimmedBlanks(text).toString();
}
