// Commands that change the text: typing, line breaks, deletions, case and the clipboard.
#include "EditorModelPrivate.h"

#include <algorithm>

namespace {

using C = EditorCommand;

// How many code units the character starting at index takes (a surrogate pair counts as one).
int CharWidthAt(QStringView text, int index)
{
    return index >= 0 && index + 1 < text.size() && text[index].isHighSurrogate() && text[index + 1].isLowSurrogate()
        ? 2
        : 1;
}

int CharWidthBefore(QStringView text, int index)
{
    return index >= 2 && text[index - 1].isLowSurrogate() && text[index - 2].isHighSurrogate() ? 2 : 1;
}

QChar ToggledCase(QChar ch)
{
    return ch.isUpper() ? ch.toLower() : ch.isLower() ? ch.toUpper() : ch;
}

// Case changes go character by character so that columns stay where they are.
QString MapChars(QStringView text, QChar (*map)(QChar))
{
    QString result(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), result.begin(), map);
    return result;
}

QChar Upper(QChar ch)
{
    return ch.toUpper();
}

QChar Lower(QChar ch)
{
    return ch.toLower();
}

} // namespace

bool EditorModel::Private::executeEditing(EditorCommand command, QChar ch)
{
    // Typed characters and single deletions may be undone as runs; see UndoHistory.
    ChangeKind kind = ChangeKind::Other;
    if (command == C::Char && !selAvail())
        kind = ChangeKind::Typing;
    else if ((command == C::DeleteChar || command == C::DeleteLastChar) && !selAvail())
        kind = ChangeKind::Deletion;
    Scope scope(*this, kind);
    switch (command) {
    case C::Char: typeChar(ch); return true;
    case C::LineBreak: lineBreak(true); return true;
    case C::InsertLine: lineBreak(false); return true;
    case C::DeleteLastChar: deleteLastChar(); return true;
    case C::DeleteChar: deleteChar(); return true;
    case C::DeleteWord: deleteWord(true); return true;
    case C::DeleteLastWord: deleteWord(false); return true;
    case C::DeleteLine: deleteLine(); return true;
    case C::DeleteEOL: deleteToLineEnd(); return true;
    case C::Tab: tab(); return true;
    case C::ShiftTab: shiftTab(); return true;
    case C::BlockIndent: blockIndent(true); return true;
    case C::BlockUnindent: blockIndent(false); return true;
    case C::UpperCase:
    case C::LowerCase:
    case C::ToggleCase: changeCase(command); return true;
    case C::Cut:
        copyToClipboard();
        deleteSelection();
        return true;
    case C::Paste:
        // An empty clipboard, or one holding no text, must not delete the selection.
        if (const QString text = clipboardRead ? clipboardRead() : QString(); !text.isEmpty())
            replaceSelection(text);
        return true;
    case C::Undo: undo(); return true;
    case C::Redo: redo(); return true;
    default: return false;
    }
}

void EditorModel::Private::typeChar(QChar ch)
{
    if (ch.unicode() < 32 || ch.unicode() == 127)
        return;
    if (selAvail()) {
        replaceSelection(QString(ch));
        return;
    }
    ensureLine();
    const int line = sel.caret.Line;
    int col = sel.caret.Char;
    if (col > lineLength(line) + 1) {
        if (lineLength(line) == 0)
            insertText(line, 1, indentString(col - 1, true));
        else
            fillTo(sel.caret);
        col = lineLength(line) + 1;
    }
    if (!insertMode && col <= lineLength(line)) {
        // A character made of two code units is replaced by the character and a space.
        const int width = CharWidthAt(lineText(line), col - 1);
        deleteText(line, col, width);
        insertText(line, col, width == 2 ? QString(ch) + u' ' : QString(ch));
    } else {
        insertText(line, col, QString(ch));
    }
    setCaret({col + 1, line});
}

void EditorModel::Private::lineBreak(bool moveDown)
{
    deleteSelection();
    ensureLine();
    const BufferCoord c = sel.caret;
    const QString text = lineText(c.Line);
    BufferCoord next{1, c.Line + 1};
    if (text.isEmpty()) {
        int above = c.Line;
        while (above > 1 && lineLength(above) == 0)
            --above;
        next.Char = leadingWidth(lineText(above), true) + 1;
        insertLines(c.Line, {QString()});
    } else if (c.Char > text.size() + 1) {
        const int indent = leadingWidth(text, false);
        insertLines(c.Line + 1, {moveDown ? text.left(indent) : QString()});
        next.Char = indent + 1;
    } else if (c.Char == 1) {
        insertLines(c.Line, {QString()});
    } else {
        const QString indent = indentString(leadingWidth(QStringView(text).left(c.Char - 1), true), true);
        breakLine(c.Line, c.Char);
        trimTrailing(c.Line);
        insertText(c.Line + 1, 1, indent);
        next.Char = indent.size() + 1;
    }
    setCaret(moveDown ? next : c);
}

void EditorModel::Private::deleteLastChar()
{
    if (selAvail()) {
        deleteSelection();
        return;
    }
    const BufferCoord c = sel.caret;
    const QString text = lineText(c.Line);
    if (c.Char > text.size() + 1) {
        setCaret({backspaceInVirtualSpace(), c.Line});
    } else if (c.Char == 1) {
        if (c.Line > 1) {
            const int col = lineLength(c.Line - 1) + 1;
            joinLine(c.Line - 1);
            trimTrailing(c.Line - 1);
            setCaret({col, c.Line - 1});
        }
    } else if (const int lead = leadingWidth(text, false); lead == 0 || c.Char - 1 != lead) {
        const int width = CharWidthBefore(text, c.Char - 1);
        deleteText(c.Line, c.Char - width, width);
        setCaret({c.Char - width, c.Line});
    } else {
        const int from = unindentColumn(text, c.Char);
        // Smart unindenting takes the characters from the start of the line.
        deleteText(c.Line, (options & eoSmartTabDelete) ? 1 : from, c.Char - from);
        setCaret({from, c.Line});
    }
}

int EditorModel::Private::backspaceInVirtualSpace() const
{
    const BufferCoord c = sel.caret;
    if (!(options & eoSmartTabDelete))
        return c.Char - 1;
    if (lineLength(c.Line) > 0)
        return lineLength(c.Line) + 1;
    for (int line = c.Line - 1; line >= 1; --line)
        if (const int width = leadingWidth(lineText(line), false); width < c.Char - 1)
            return width + 1;
    return 1;
}

int EditorModel::Private::unindentColumn(QStringView text, int caretCol) const
{
    if (options & eoSmartTabDelete) {
        const int lead = caretCol - 1;
        for (int line = sel.caret.Line - 1; line >= 1; --line)
            if (const int width = leadingWidth(lineText(line), false); width < lead)
                return width + 1;
        return 1;
    }
    // Back to the previous tab stop, but no further than a tab character.
    const int stop = ((caretCol - 2) / tabWidth) * tabWidth + 1;
    int from = caretCol - 1;
    while (from > stop && text[from - 1] != u'\t' && text[from - 2] != u'\t')
        --from;
    return from;
}

void EditorModel::Private::deleteChar()
{
    if (selAvail()) {
        deleteSelection();
        return;
    }
    const BufferCoord c = sel.caret;
    if (lines.count() == 0)
        return;
    if (c.Char > lineLength(c.Line)) {
        if (c.Line < lines.count()) {
            fillTo(c);
            joinLine(c.Line);
            trimTrailing(c.Line);
        }
        return;
    }
    deleteText(c.Line, c.Char, CharWidthAt(lineText(c.Line), c.Char - 1));
}

void EditorModel::Private::deleteWord(bool forward)
{
    const BufferCoord c = sel.caret;
    const BufferCoord atText{std::min(c.Char, lineLength(c.Line) + 1), c.Line};
    const BufferCoord from = forward ? atText : prevWordStart(c);
    const BufferCoord to = forward ? nextWordStart(c) : atText;
    if (lines.count() == 0 || !(from < to))
        return;
    deleteRange(from, to);
    if (from.Line != to.Line)
        trimTrailing(from.Line);
    setCaret(from);
}

void EditorModel::Private::deleteLine()
{
    if (lines.count() == 0)
        return;
    const int line = sel.caret.Line;
    removeWholeLines(line, 1);
    setCaret({1, std::min(line, lines.count())});
}

void EditorModel::Private::deleteToLineEnd()
{
    const BufferCoord c = sel.caret;
    if (c.Char <= lineLength(c.Line))
        deleteText(c.Line, c.Char, INT_MAX);
}

void EditorModel::Private::changeCase(EditorCommand command)
{
    const BufferCoord c = sel.caret;
    const QString &text = lineText(c.Line);
    if (command == C::ToggleCase && selAvail()) {
        const SelectionState keep = sel;
        for (int line = blockBegin().Line; line <= std::min(blockEnd().Line, lines.count()); ++line) {
            const auto columns = q->SelectedColumns(line);
            if (columns && columns->first <= lineLength(line))
                replaceInLine(
                    line, columns->first,
                    MapChars(QStringView(lineText(line)).mid(columns->first - 1, columns->second - columns->first),
                             ToggledCase));
        }
        setSelectionState(keep);
    } else if (command == C::ToggleCase) {
        if (c.Char <= text.size()) {
            replaceInLine(c.Line, c.Char, QString(ToggledCase(text[c.Char - 1])));
            setCaret({c.Char + 1, c.Line});
        }
    } else if (const auto word = wordAt(c)) {
        const QStringView part = QStringView(text).mid(word->first - 1, word->second - word->first);
        replaceInLine(c.Line, word->first, MapChars(part, command == C::UpperCase ? Upper : Lower));
    }
}

std::optional<std::pair<int, int>> EditorModel::Private::wordAt(BufferCoord pos) const
{
    const CharSet word = identChars();
    const QString &text = lineText(pos.Line);
    auto isWord = [&](int col) { return col >= 1 && col <= text.size() && word.contains(text[col - 1].unicode()); };
    int first = isWord(pos.Char) ? pos.Char : pos.Char - 1;
    if (!isWord(first))
        return std::nullopt;
    int last = first;
    while (isWord(first - 1))
        --first;
    while (isWord(last + 1))
        ++last;
    return std::pair{first, last + 1};
}
