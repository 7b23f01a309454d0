#include "CodeInsight.h"

#include "CharClasses.h"
#include "CodeExplorerModel.h"
#include "EditorLines.h"
#include "EditorModel.h"
#include "ProjectController.h"

namespace {

// The first occurrence of text in line from column from, as a whole word, without regard to case.
qsizetype findWholeWord(const QString &line, const QString &text, qsizetype from = 0)
{
    for (qsizetype at = line.indexOf(text, from, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(text, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + text.size();
        if ((at == 0 || !isNameChar(line[at - 1].unicode()))
            && (end == line.size() || !isNameChar(line[end].unicode())))
            return at;
    }
    return -1;
}

} // namespace

CodeInsight::CodeInsight(ProjectController &projects, EditorModel &editor) : m_projects(projects), m_editor(editor) { }

void CodeInsight::CodeExplorer2Click()
{
    m_projects.StoreEditorState();
    const Project &project = m_projects.project();
    QList<ExplorerSource> sources;
    sources.reserve(project.Files.size());
    for (const ProjectFile &file : project.Files)
        sources.append({file.FileName, file.FileType, file.Text});
    const CodeExplorerModel model(sources);
    ExplorerChoice choice;
    if (!m_projects.prompts().codeExplorer(model, project.Name, m_projects.activeFile() + 1, &choice))
        return;
    m_projects.focusRow(int(choice.file) + 1);
    if (choice.line <= 0 || m_projects.activeFile() != choice.file)
        return;
    m_projects.project().Files[choice.file].CaretY = choice.line;
    m_editor.SetCaretXY({1, choice.line});
    m_editor.SetLeftChar(1);
    centreCaretLine();
}

void CodeInsight::GotoLine1Click()
{
    const auto typed = m_projects.prompts().askText(m_projects.message(14), QString());
    if (!typed)
        return;
    bool ok = false;
    const int line = typed->trimmed().toInt(&ok);
    if (!ok)
        return;
    if (line <= m_editor.LineCount())
        m_editor.SetCaretY(line);
    centreCaretLine();
}

void CodeInsight::InsertTemplateLine(QStringView skeleton)
{
    const int row = m_editor.CaretY();
    const QString line = m_editor.Line(row);
    // Blanks count up to the second-to-last character, so a line of three blanks indents by two.
    qsizetype indent = 0;
    while (indent < line.size() - 1 && line[indent] == u' ')
        ++indent;
    m_editor.SetCaretXY({int(line.size()) + 1, row});
    m_editor.SetSelText(QStringLiteral("\r\n") + QString(indent, u' ') + skeleton.toString());
    m_editor.SetCaretXY({int(indent + skeleton.size()) - 4, row + 1});
}

void CodeInsight::PHPVariable1Click()
{
    const QString chosen = m_projects.prompts().chooseVariable(ScanVariables(editorLines(m_editor)));
    if (chosen.isEmpty())
        return;
    // A caret beyond the line's end inserts there: the line is filled with blanks up to it.
    const BufferCoord caret = m_editor.CaretXY();
    const qsizetype length = m_editor.Line(caret.Line).size();
    QString inserted = QString(std::max<qsizetype>(0, caret.Char - 1 - length), u' ') + u'$' + chosen;
    m_editor.SetCaretXY({int(std::min<qsizetype>(caret.Char, length + 1)), caret.Line});
    m_editor.SetSelText(inserted);
}

ScanResults CodeInsight::declarations(QStringView keyword) const
{
    return DeclaredNames(editorLines(m_editor), keyword);
}

void CodeInsight::locateDeclaration(QStringView keyword, const QString &entry)
{
    const QString text = keyword.toString() + u' ' + entry;
    for (int row = 1; row <= m_editor.LineCount(); ++row) {
        const qsizetype at = findWholeWord(m_editor.Line(row), text);
        if (at >= 0) {
            m_editor.SetCaretXY({int(at) + 1, row});
            return;
        }
    }
}

void CodeInsight::centreCaretLine()
{
    m_editor.SetTopLine(m_editor.CaretY() - m_editor.LinesInWindow() / 2);
}
