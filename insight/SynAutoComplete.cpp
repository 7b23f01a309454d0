#include "SynAutoComplete.h"

#include "CompletionData.h"
#include "DisplayColumns.h"
#include "EditorModel.h"
#include "EditorWidget.h"

#include <QKeyEvent>

namespace {

bool isBodyLine(const QStringList &list, qsizetype index)
{
    return index < list.size() && list[index].startsWith(u'=');
}

// The blanks that put a new line's text under the caret's column.
QString indentationFor(const EditorModel &editor)
{
    const int column = displayColumn(editor.LineText(), editor.CaretX(), editor.TabWidth()) - 1;
    const int tabWidth = editor.TabWidth();
    if (editor.HasOption(eoTabsToSpaces) || column < tabWidth)
        return QString(column, u' ');
    return QString(column / tabWidth, u'\t') + QString(column % tabWidth, u' ');
}

// Types text as the keyboard would, a tab as the Tab command.
void typeLike(EditorModel &editor, QStringView text)
{
    for (QChar c : text) {
        if (c == u'\t')
            editor.ExecuteCommand(EditorCommand::Tab);
        else
            editor.ExecuteCommand(EditorCommand::Char, c);
    }
}

// The editor settings that would change the template's text while it is typed, switched off
// for as long as the object lives. Smart tabs would line a body's tab up with the next word of
// the line above, which is the template's own first line, instead of indenting by one step.
class TypingTemplate
{
public:
    explicit TypingTemplate(EditorModel &editor)
        : m_editor(editor), m_options(editor.Options()), m_insertMode(editor.InsertMode())
    {
        m_editor.SetOptions(m_options & ~(eoAutoIndent | eoTrimTrailingSpaces | eoSmartTabs));
        // Overwriting would eat the text after the caret.
        m_editor.SetInsertMode(true);
        m_editor.BeginUndoBlock();
    }
    ~TypingTemplate()
    {
        m_editor.SetOptions(m_options);
        m_editor.SetInsertMode(m_insertMode);
        m_editor.EndUndoBlock();
    }
    TypingTemplate(const TypingTemplate &) = delete;
    TypingTemplate &operator=(const TypingTemplate &) = delete;

private:
    EditorModel &m_editor;
    EditorOptions m_options;
    bool m_insertMode;
};

} // namespace

qsizetype findTemplate(const QStringList &list, QStringView word)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list[i].compare(word, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ExpandTemplate(EditorModel &editor, const QStringList &list)
{
    const QString word = WordBeforeCaret(editor.LineText(), editor.CaretX());
    const qsizetype key = findTemplate(list, word);
    if (key < 0)
        return false;
    const TypingTemplate typing(editor);
    for (qsizetype i = 0; i < word.size(); ++i)
        editor.ExecuteCommand(EditorCommand::DeleteLastChar);
    const QString indentation = indentationFor(editor);
    std::optional<BufferCoord> caretMark;
    for (qsizetype line = key + 1; isBodyLine(list, line); ++line) {
        const QStringView body = QStringView(list[line]).sliced(1);
        for (qsizetype at = 0; at < body.size(); ++at) {
            typeLike(editor, body.sliced(at, 1));
            if (body[at] == u'|')
                caretMark = editor.CaretXY();
        }
        if (isBodyLine(list, line + 1)) {
            editor.ExecuteCommand(EditorCommand::LineBreak);
            typeLike(editor, indentation);
        }
    }
    if (caretMark) {
        editor.SetCaretXY(*caretMark);
        editor.ExecuteCommand(EditorCommand::DeleteLastChar);
    }
    return true;
}

void SynAutoComplete::attach(EditorWidget *editor)
{
    if (editor == m_editor)
        return;
    detach();
    m_editor = editor;
    m_editor->installEventFilter(this);
}

void SynAutoComplete::detach()
{
    if (m_editor)
        m_editor->removeEventFilter(this);
    m_editor = nullptr;
}

bool SynAutoComplete::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_editor || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    EditorModel &editor = *m_editor->model();
    if (key->key() != Qt::Key_Space || key->modifiers() != Qt::ShiftModifier || editor.ReadOnly())
        return false;
    ExpandTemplate(editor, m_list);
    return true;
}
