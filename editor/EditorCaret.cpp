// Caret, selection and the view's scroll position.
#include "EditorModelPrivate.h"

#include <algorithm>

void EditorModel::Private::setSelectionState(const SelectionState &state)
{
    const bool hadSelection = selAvail();
    const bool pointsDiffer = state.anchor != sel.anchor || state.caret != sel.caret;
    caretMoved |= state.caret != sel.caret;
    selectionChanged |= state.mode != sel.mode || (pointsDiffer && (hadSelection || state.anchor != state.caret));
    sel = state;
}

void EditorModel::Private::moveCaret(BufferCoord caret, bool select)
{
    caret = clampCaret(caret);
    setSelectionState({select ? sel.anchor : caret, caret, sel.mode});
    revealCaret = true;
}

BufferCoord EditorModel::Private::clampCaret(BufferCoord caret) const
{
    caret.Line = std::clamp(caret.Line, 1, std::max(1, lines.count()));
    const int lineEnd = lineLength(caret.Line) + 1;
    // Virtual space reaches MaxLeftChar; a longer line can still be walked to its end.
    const int lastColumn = (options & eoScrollPastEol) ? std::max(MaxLeftChar, lineEnd) : lineEnd;
    caret.Char = std::clamp(caret.Char, 1, std::max(lastColumn, 1));
    return caret;
}

void EditorModel::Private::setTopLineInScope(int line)
{
    const int last = (options & eoScrollPastEof) ? lines.count() : lines.count() - linesInWindow + 1;
    line = std::clamp(line, 1, std::max(last, 1));
    scrolled |= line != topLine;
    topLine = line;
}

void EditorModel::Private::setLeftCharInScope(int column)
{
    column = std::clamp(column, 1, std::max(scrollWidth() - charsInWindow + 1, 1));
    scrolled |= column != leftChar;
    leftChar = column;
}

void EditorModel::Private::ensureCaretVisible()
{
    const BufferCoord c = sel.caret;
    if (c.Line < topLine)
        setTopLineInScope(c.Line);
    else if (c.Line > topLine + linesInWindow - 1)
        setTopLineInScope(c.Line - linesInWindow + 1);
    if (c.Char < leftChar)
        setLeftCharInScope(c.Char);
    else if (c.Char > leftChar + charsInWindow - 1)
        setLeftCharInScope(c.Char - charsInWindow + 1);
}

void EditorModel::Private::setModifiedInScope(bool value)
{
    statusChanged |= value != modified;
    modified = value;
}
