#include "FileEditor.h"

#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileNames.h"
#include "MainFrame.h"
#include "MainHighlighters.h"
#include "NativePath.h"
#include "ProjectFile.h"
#include "SysOptions.h"

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>

namespace {

// Highlighter box items.
enum HighlighterItem { hiNone, hiPHP, hiHTML, hiJavaScript, hiCSS, hiSQL, hiCustom };

HighlighterItem highlighterItemFor(const QString &fileType, bool phpDefault)
{
    if (fileType == u"PHP" || fileType == u"INC")
        return hiPHP;
    if (fileType == u"HTML")
        return hiHTML;
    if (fileType == u"JS")
        return hiJavaScript;
    if (fileType == u"CSS")
        return hiCSS;
    if (fileType == u"SQL")
        return hiSQL;
    return phpDefault ? hiPHP : hiNone;
}

} // namespace

FileEditor::FileEditor(const MainFrame &frame, MainHighlighters &highlighters, const SysOptions &options)
    : m_frame(frame),
      m_highlighters(highlighters),
      m_options(options)
{ }

EditorModel *FileEditor::model() const
{
    return m_frame.mFile->model();
}

void FileEditor::showFile(ProjectFile &file)
{
    chooseHighlighterFor(file.FileType);
    EditorModel *editor = model();
    editor->SetText(file.Text);
    editor->SetCaretXY({std::max(1, file.CaretX), std::max(1, file.CaretY)});
    editor->SetTopLine(std::max(1, file.TopLine));
    editor->SetLeftChar(std::max(1, file.LeftChar));
    editor->SetUndoHistory(std::move(file.UndoList));
    m_frame.pnlEditor->show();
    m_frame.mFile->setFocus();
    UpdateCaretStatus();
}

void FileEditor::storeState(ProjectFile &file) const
{
    const EditorModel *editor = model();
    file.Text = editor->Text();
    file.CaretX = editor->CaretX();
    file.CaretY = editor->CaretY();
    file.TopLine = editor->TopLine();
    file.LeftChar = editor->LeftChar();
}

void FileEditor::releaseFile(ProjectFile &file)
{
    file.UndoList = model()->TakeUndoHistory();
}

void FileEditor::hide()
{
    m_frame.pnlEditor->hide();
}

bool FileEditor::isShown() const
{
    return !m_frame.pnlEditor->isHidden();
}

EditorSnapshot FileEditor::snapshot() const
{
    const EditorModel *editor = model();
    EditorSnapshot snapshot;
    snapshot.lines = editor->LineTexts();
    snapshot.caretX = editor->CaretX();
    snapshot.caretY = editor->CaretY();
    return snapshot;
}

void FileEditor::replaceText(const QString &text)
{
    EditorModel *editor = model();
    const BufferCoord caret = editor->CaretXY();
    const int topLine = editor->TopLine();
    // The last line end ends the last line; inserted, it would add an empty one.
    QStringView lines(text);
    if (lines.endsWith(u"\r\n"))
        lines.chop(2);
    editor->SelectAll();
    editor->SetSelText(lines.toString());
    editor->SetCaretXY(caret);
    editor->SetTopLine(topLine);
}

void FileEditor::chooseHighlighterFor(const QString &fileType)
{
    const HighlighterItem item = highlighterItemFor(fileType, m_options.PHPDefault);
    const QSignalBlocker quiet(m_frame.cbHighlighter);
    m_frame.cbHighlighter->setCurrentIndex(item);
    cbHighlighterChange(item);
}

void FileEditor::cbHighlighterChange(int item)
{
    MainHighlighters &h = m_highlighters;
    SynMultiSyn &multi = h.xhMulti;
    multi.SetEnabled(false);
    SynCustomHighlighter *chosen = nullptr;
    switch (item) {
    case hiPHP:
        multi.Scheme(0).SetHighlighter(m_options.PHPCustomHighlighting ? static_cast<SynCustomHighlighter *>(&h.xhGen)
                                                                       : &h.xhPHP);
        chosen = &multi;
        break;
    case hiHTML: chosen = &multi; break;
    // The page highlighter would show a style sheet as plain text: it has its own.
    case hiCSS: chosen = &h.xhCSS; break;
    case hiJavaScript: chosen = &h.xhJS; break;
    case hiSQL: chosen = &h.xhSQL; break;
    case hiCustom: chosen = &h.xhGen; break;
    default: break;
    }
    model()->SetHighlighter(chosen);
    multi.SetEnabled(chosen == &multi);
}

void FileEditor::ShowActiveFileName(const ProjectFile &file, const QString &changed)
{
    QString line = QStringLiteral("  > ") + displayPath(file.FileName);
    if (file.LineFormat == LineEnds::Unix)
        line += QStringLiteral(" [UNIX format]");
    if (file.Modified)
        line += QStringLiteral(" (") + changed + QStringLiteral("!)");
    m_frame.lblFileName->setText(line);
    m_frame.lblFileNameYellow->setText(QStringLiteral("> ") + displayPath(nameOf(file.FileName)));
}

void FileEditor::UpdateCaretStatus()
{
    const EditorModel *editor = model();
    m_frame.sbEditor->showMessage(QStringLiteral("Line: %1 Col: %2").arg(editor->CaretY()).arg(editor->CaretX()));
}
