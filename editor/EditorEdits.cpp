// Edits built on the primitives: inserting and deleting spans, the selection's text.
#include "EditorModelPrivate.h"

#include <algorithm>

namespace {

bool HasLineEnd(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

const QString &EditorModel::Private::lineText(int line) const
{
    static const QString empty;
    return line >= 1 && line <= lines.count() ? lines.text(line) : empty;
}

void EditorModel::Private::ensureLine()
{
    if (lines.count() == 0)
        insertLines(1, {QString()});
}

void EditorModel::Private::fillTo(BufferCoord pos)
{
    const int length = lineLength(pos.Line);
    if (pos.Char > length + 1)
        insertText(pos.Line, length + 1, QString(pos.Char - 1 - length, u' '));
}

BufferCoord EditorModel::Private::insertAt(BufferCoord pos, QStringView text)
{
    ensureLine();
    pos = clampCaret(pos);
    if (text.isEmpty())
        return pos;
    fillTo(pos);
    std::vector<QString> parts = TextLines::SplitText(text);
    const int n = static_cast<int>(parts.size());
    if (n == 1) {
        insertText(pos.Line, pos.Char, parts.front());
        return {pos.Char + int(parts.front().size()), pos.Line};
    }
    const QString last = parts.back();
    breakLine(pos.Line, pos.Char);
    insertText(pos.Line, pos.Char, parts.front());
    insertLines(pos.Line + 1, std::vector<QString>(parts.begin() + 1, parts.end() - 1));
    insertText(pos.Line + n - 1, 1, last);
    return {int(last.size()) + 1, pos.Line + n - 1};
}

BufferCoord EditorModel::Private::insertColumn(BufferCoord pos, QStringView text)
{
    ensureLine();
    pos = clampCaret(pos);
    BufferCoord end = pos;
    int line = pos.Line;
    for (const QString &part : TextLines::SplitText(text)) {
        if (line > lines.count())
            insertLines(line, {QString()});
        fillTo({pos.Char, line});
        insertText(line, pos.Char, part);
        end = {pos.Char + int(part.size()), line++};
    }
    return end;
}

void EditorModel::Private::deleteRange(BufferCoord from, BufferCoord to)
{
    if (lines.count() == 0)
        return;
    from.Char = std::min(from.Char, lineLength(from.Line) + 1);
    to.Char = std::min(to.Char, lineLength(to.Line) + 1);
    if (from.Line == to.Line) {
        deleteText(from.Line, from.Char, to.Char - from.Char);
        return;
    }
    deleteText(from.Line, from.Char, INT_MAX);
    deleteLines(from.Line + 1, to.Line - from.Line - 1);
    deleteText(from.Line + 1, 1, to.Char - 1);
    joinLine(from.Line);
}

void EditorModel::Private::removeWholeLines(int first, int n)
{
    // The document keeps one (empty) line rather than none.
    if (n >= lines.count()) {
        deleteLines(2, lines.count() - 1);
        deleteText(1, 1, INT_MAX);
    } else {
        deleteLines(first, n);
    }
}

void EditorModel::Private::deleteSelection()
{
    if (!selAvail() || lines.count() == 0)
        return;
    const BufferCoord b = blockBegin();
    const BufferCoord e = blockEnd();
    switch (sel.mode) {
    case SelectionMode::Normal:
        deleteRange(b, e);
        setCaret(b);
        break;
    case SelectionMode::Column: {
        const int left = std::min(b.Char, e.Char);
        const int right = std::max(b.Char, e.Char);
        for (int line = b.Line; line <= e.Line; ++line)
            if (lineLength(line) >= left)
                deleteText(line, left, right - left);
        setCaret({left, b.Line});
        break;
    }
    case SelectionMode::Line:
        removeWholeLines(b.Line, std::min(e.Line, lines.count()) - b.Line + 1);
        setCaret({1, b.Line});
        break;
    }
}

void EditorModel::Private::replaceSelection(const QString &text)
{
    Scope scope(*this);
    deleteSelection();
    const bool column = sel.mode == SelectionMode::Column && HasLineEnd(text);
    setCaret(column ? insertColumn(sel.caret, text) : insertAt(sel.caret, text));
}

void EditorModel::Private::trimTrailing(int line)
{
    if (!(options & eoTrimTrailingSpaces))
        return;
    const QString &t = lineText(line);
    int keep = t.size();
    while (keep > 0 && t[keep - 1] == u' ')
        --keep;
    if (keep < t.size())
        deleteText(line, keep + 1, t.size() - keep);
}

void EditorModel::Private::replaceInLine(int line, int col, const QString &text)
{
    if (QStringView(lineText(line)).mid(col - 1, text.size()) == text)
        return;
    deleteText(line, col, text.size());
    insertText(line, col, text);
}

QString EditorModel::Private::selectedText() const
{
    if (!selAvail() || lines.count() == 0)
        return {};
    const BufferCoord b = blockBegin();
    const BufferCoord e = blockEnd();
    const int last = std::min(e.Line, lines.count());
    QString text;
    for (int line = b.Line; line <= last; ++line) {
        const auto columns = q->SelectedColumns(line);
        if (line > b.Line && sel.mode != SelectionMode::Line)
            text += u"\r\n";
        if (columns)
            text += QStringView(lines.text(line)).mid(columns->first - 1, columns->second - columns->first);
        if (sel.mode == SelectionMode::Line)
            text += u"\r\n";
    }
    return text;
}
