#include "EditorModel.h"

#include "EditorModelPrivate.h"

#include <algorithm>

EditorModel::EditorModel(QObject *parent) : QObject(parent), d(std::make_unique<Private>(this)) { }

EditorModel::~EditorModel()
{
    if (d->highlighter) {
        d->highlighter->UnhookAttriChange(this);
        d->highlighter->UnhookDestroyed(this);
    }
}

// --- Text

int EditorModel::LineCount() const
{
    return d->lines.count();
}

const QString &EditorModel::Line(int line) const
{
    return d->lineText(line);
}

SynRangeState EditorModel::LineRange(int line) const
{
    return line >= 1 && line <= d->lines.count() ? d->lines.range(line) : 0;
}

std::vector<QString> EditorModel::LineTexts() const
{
    std::vector<QString> lines;
    lines.reserve(std::size_t(d->lines.count()));
    for (int line = 1; line <= d->lines.count(); ++line)
        lines.push_back(d->lines.text(line));
    return lines;
}

QString EditorModel::Text() const
{
    const int count = d->lines.count();
    qsizetype size = 0;
    for (int line = 1; line <= count; ++line)
        size += d->lines.text(line).size() + 2;
    QString text;
    text.reserve(size);
    for (int line = 1; line <= count; ++line) {
        text += d->lines.text(line);
        text += u"\r\n";
    }
    return text;
}

void EditorModel::SetText(QStringView text)
{
    Private::Scope scope(*d);
    d->lines.assign(text);
    d->measureAllLines();
    d->group.records.clear();
    d->history->clear();
    d->bookmarks = {};
    d->fullScan();
    d->textChanged = d->linesMoved = true;
    d->repaintFirst = 1;
    d->setSelectionState({{1, 1}, {1, 1}, d->sel.mode});
    d->setTopLineInScope(1);
    d->setLeftCharInScope(1);
}

QString EditorModel::LineText() const
{
    return d->lineText(CaretY());
}

void EditorModel::SetLineText(const QString &text)
{
    if (d->readOnly)
        return;
    Private::Scope scope(*d);
    const int line = CaretY();
    const BufferCoord caret = d->sel.caret;
    d->ensureLine();
    d->deleteText(line, 1, INT_MAX);
    d->insertAt({1, line}, text);
    d->setCaret(caret);
}

void EditorModel::ClearAll()
{
    Private::Scope scope(*d);
    SetText({});
}

// --- Caret and selection

BufferCoord EditorModel::CaretXY() const
{
    return d->sel.caret;
}

void EditorModel::SetCaretXY(BufferCoord caret)
{
    Private::Scope scope(*d);
    d->setCaret(caret);
}

void EditorModel::SetSelection(BufferCoord anchor, BufferCoord caret)
{
    Private::Scope scope(*d);
    d->setSelectionState({d->clampCaret(anchor), d->clampCaret(caret), d->sel.mode});
    d->revealCaret = true;
}

BufferCoord EditorModel::SelectionAnchor() const
{
    return d->sel.anchor;
}

BufferCoord EditorModel::BlockBegin() const
{
    return d->blockBegin();
}

BufferCoord EditorModel::BlockEnd() const
{
    return d->blockEnd();
}

bool EditorModel::SelAvail() const
{
    return d->selAvail();
}

SelectionMode EditorModel::SelectionMode() const
{
    return d->sel.mode;
}

void EditorModel::SetSelectionMode(enum SelectionMode mode)
{
    Private::Scope scope(*d);
    d->setSelectionState({d->sel.anchor, d->sel.caret, mode});
}

std::optional<std::pair<int, int>> EditorModel::SelectedColumns(int line) const
{
    const BufferCoord b = d->blockBegin();
    const BufferCoord e = d->blockEnd();
    if (!d->selAvail() || line < b.Line || line > e.Line)
        return std::nullopt;
    std::pair<int, int> columns{1, INT_MAX};
    switch (d->sel.mode) {
    case SelectionMode::Line: break;
    case SelectionMode::Column: columns = {std::min(b.Char, e.Char), std::max(b.Char, e.Char)}; break;
    case SelectionMode::Normal:
        if (line == b.Line)
            columns.first = b.Char;
        if (line == e.Line)
            columns.second = e.Char;
        break;
    }
    if (columns.first >= columns.second)
        return std::nullopt;
    return columns;
}

QString EditorModel::SelText() const
{
    return d->selectedText();
}

void EditorModel::SetSelText(const QString &text)
{
    if (!d->readOnly)
        d->replaceSelection(text);
}

int EditorModel::SelStart() const
{
    int offset = 0;
    for (int line = 1; line < CaretY(); ++line)
        offset += d->lineLength(line) + 2;
    return offset + CaretX();
}

void EditorModel::SetSelStart(int offset)
{
    int line = 1;
    while (line < LineCount() && offset > d->lineLength(line) + 2) {
        offset -= d->lineLength(line) + 2;
        ++line;
    }
    if (line == LineCount())
        offset = std::min(offset, d->lineLength(line) + 1);
    SetCaretXY({offset, line});
}

void EditorModel::SelectAll()
{
    ExecuteCommand(EditorCommand::SelectAll);
}

bool EditorModel::InsertMode() const
{
    return d->insertMode;
}

void EditorModel::SetInsertMode(bool insert)
{
    Private::Scope scope(*d);
    d->statusChanged |= insert != d->insertMode;
    d->insertMode = insert;
}

// --- View

int EditorModel::TopLine() const
{
    return d->topLine;
}

void EditorModel::SetTopLine(int line)
{
    Private::Scope scope(*d);
    d->setTopLineInScope(line);
}

int EditorModel::LeftChar() const
{
    return d->leftChar;
}

void EditorModel::SetLeftChar(int column)
{
    Private::Scope scope(*d);
    d->setLeftCharInScope(column);
}

int EditorModel::LinesInWindow() const
{
    return d->linesInWindow;
}

void EditorModel::SetLinesInWindow(int lines)
{
    Private::Scope scope(*d);
    d->linesInWindow = std::max(lines, 1);
    d->setTopLineInScope(d->topLine);
}

int EditorModel::CharsInWindow() const
{
    return d->charsInWindow;
}

int EditorModel::ScrollWidth() const
{
    return d->scrollWidth();
}

void EditorModel::SetCharsInWindow(int columns)
{
    Private::Scope scope(*d);
    d->charsInWindow = std::max(columns, 1);
    d->setLeftCharInScope(d->leftChar);
}

void EditorModel::EnsureCursorPosVisible()
{
    Private::Scope scope(*d);
    d->ensureCaretVisible();
}

// --- Options

EditorOptions EditorModel::Options() const
{
    return d->options;
}

void EditorModel::SetOptions(EditorOptions options)
{
    Private::Scope scope(*d);
    d->statusChanged |= options != d->options;
    d->options = options;
    // Without eoScrollPastEol no point may stay in virtual space.
    d->setSelectionState({d->clampCaret(d->sel.anchor), d->clampCaret(d->sel.caret), d->sel.mode});
}

int EditorModel::TabWidth() const
{
    return d->tabWidth;
}

void EditorModel::SetTabWidth(int width)
{
    Private::Scope scope(*d);
    // Column arithmetic multiplies by the width; a settings file may hold any number.
    width = std::clamp(width, 1, MaxTabWidth);
    if (width == d->tabWidth)
        return;
    d->statusChanged = true;
    d->tabWidth = width;
    d->measureAllLines();
    d->setLeftCharInScope(d->leftChar);
}

int EditorModel::MaxUndo() const
{
    return d->maxUndo;
}

void EditorModel::SetMaxUndo(int records)
{
    d->maxUndo = std::max(records, 0);
    d->history->limit(d->maxUndo);
}

bool EditorModel::ReadOnly() const
{
    return d->readOnly;
}

void EditorModel::SetReadOnly(bool readOnly)
{
    Private::Scope scope(*d);
    d->statusChanged |= readOnly != d->readOnly;
    d->readOnly = readOnly;
}

// --- Highlighter

SynCustomHighlighter *EditorModel::Highlighter() const
{
    return d->highlighter;
}

void EditorModel::SetHighlighter(SynCustomHighlighter *highlighter)
{
    if (highlighter == d->highlighter)
        return;
    Private::Scope scope(*d);
    if (d->highlighter) {
        d->highlighter->UnhookAttriChange(this);
        d->highlighter->UnhookDestroyed(this);
    }
    d->highlighter = highlighter;
    if (highlighter) {
        highlighter->HookAttriChange(this, [this] { emit LinesChanged(1, -1); });
        // Forgotten quietly: whoever owned the highlighter may be half destroyed by now.
        highlighter->HookDestroyed(this, [this] { d->highlighter = nullptr; });
    }
    d->fullScan();
    d->repaintFirst = 1;
    d->linesMoved = true;
}

CharSet EditorModel::IdentChars() const
{
    return d->identChars();
}

// --- Commands

void EditorModel::ExecuteCommand(EditorCommand command, QChar ch)
{
    d->execute(command, ch);
}

void EditorModel::TypeText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\n' && i > 0 && text[i - 1] == u'\r')
            continue; // CR LF is one line end
        if (ch == u'\r' || ch == u'\n')
            d->execute(EditorCommand::LineBreak, {});
        else
            d->execute(EditorCommand::Char, ch);
    }
}

void EditorModel::DropText(BufferCoord target, const QString &text, bool move)
{
    if (d->readOnly)
        return;
    Private::Scope scope(*d);
    target = d->clampCaret(target);
    if (move && d->selAvail()) {
        const BufferCoord b = d->blockBegin();
        const BufferCoord e = d->blockEnd();
        const int countBefore = LineCount();
        d->deleteSelection();
        // Removing the selection shifts a target that lies behind it.
        if (target > b && target <= e)
            target = b;
        else if (target > e && target.Line == e.Line && d->sel.mode == SelectionMode::Normal)
            target = {b.Char + target.Char - e.Char, b.Line};
        else if (target > e)
            target.Line -= countBefore - LineCount();
    }
    d->setCaret(d->insertAt(target, text));
}

void EditorModel::SetClipboard(std::function<QString()> read, std::function<void(const QString &)> write)
{
    d->clipboardRead = std::move(read);
    d->clipboardWrite = std::move(write);
}

bool EditorModel::CanPaste() const
{
    return !d->readOnly && d->clipboardRead && !d->clipboardRead().isEmpty();
}

// --- Undo

bool EditorModel::CanUndo() const
{
    return !d->readOnly && d->history->canUndo();
}

bool EditorModel::CanRedo() const
{
    return !d->readOnly && d->history->canRedo();
}

void EditorModel::BeginUndoBlock()
{
    d->begin(ChangeKind::Other);
}

void EditorModel::EndUndoBlock()
{
    if (d->depth > 0)
        d->end();
}

void EditorModel::Undo()
{
    d->undo();
}

void EditorModel::Redo()
{
    d->redo();
}

void EditorModel::ClearUndo()
{
    d->history->clear();
}

std::shared_ptr<UndoHistory> EditorModel::TakeUndoHistory()
{
    return std::exchange(d->history, std::make_shared<UndoHistory>());
}

void EditorModel::SetUndoHistory(std::shared_ptr<UndoHistory> history)
{
    d->history = history ? std::move(history) : std::make_shared<UndoHistory>();
    d->history->limit(d->maxUndo);
}

bool EditorModel::Modified() const
{
    return d->modified;
}

void EditorModel::SetModified(bool modified)
{
    Private::Scope scope(*d);
    d->setModifiedInScope(modified);
}

// --- Bookmarks

std::optional<BufferCoord> EditorModel::Bookmark(int number) const
{
    if (number < 0 || number > 9)
        return std::nullopt;
    return d->bookmarks[static_cast<std::size_t>(number)];
}
