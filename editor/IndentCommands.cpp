// Indentation: the shared rules, Tab, Shift+Tab and block indent/unindent.
#include "EditorModelPrivate.h"

#include <algorithm>

namespace {

bool IsBlank(QChar ch)
{
    return ch.unicode() <= 32;
}

// The column where the run of spaces (or virtual space) left of col begins.
int SpaceRunStart(QStringView text, int col)
{
    while (col > 1 && (col - 1 > text.size() || text[col - 2] == u' '))
        --col;
    return col;
}

int PreviousTabStop(int col, int tabWidth)
{
    return ((col - 2) / tabWidth) * tabWidth + 1;
}

} // namespace

int EditorModel::Private::leadingWidth(QStringView text, bool expandTabs) const
{
    if (!(options & eoAutoIndent))
        return 0;
    int width = 0;
    for (QChar ch : text) {
        if (!IsBlank(ch))
            break;
        width += ch == u'\t' && expandTabs ? tabWidth : 1;
    }
    return width;
}

QString EditorModel::Private::indentString(int width, bool tabsWanted) const
{
    if (!tabsWanted || (options & eoTabsToSpaces) || width < tabWidth)
        return QString(width, u' ');
    return QString(width / tabWidth, u'\t') + QString(width % tabWidth, u' ');
}

void EditorModel::Private::tab()
{
    deleteSelection();
    ensureLine();
    const BufferCoord c = sel.caret;
    int width = (options & eoSmartTabs) ? smartTabWidth(c) : 0;
    if (width == 0)
        width = (options & eoTabsToSpaces) ? tabWidth - (c.Char - 1) % tabWidth : tabWidth;
    const QString filler = tabFiller(c.Char, width);
    fillTo(c);
    insertText(c.Line, c.Char, filler);
    setCaret({c.Char + int(filler.size()), c.Line});
}

int EditorModel::Private::smartTabWidth(BufferCoord caret) const
{
    for (int line = caret.Line - 1; line >= 1; --line) {
        const QString &text = lineText(line);
        if (text.size() < caret.Char)
            continue;
        int col = caret.Char;
        while (col <= text.size() && !IsBlank(text[col - 1]))
            ++col;
        while (col <= text.size() && IsBlank(text[col - 1]))
            ++col;
        return col - caret.Char;
    }
    return 0;
}

QString EditorModel::Private::tabFiller(int col, int width) const
{
    if (options & eoTabsToSpaces)
        return QString(width, u' ');
    if (!(options & eoSmartTabs))
        return QStringLiteral("\t");
    // Tabs as far as they go without passing the target column, then spaces.
    const int target = col + width;
    QString filler;
    for (int stop = (col - 1) / tabWidth * tabWidth + tabWidth + 1; stop <= target; stop += tabWidth) {
        filler += u'\t';
        col = stop;
    }
    return filler + QString(target - col, u' ');
}

void EditorModel::Private::shiftTab()
{
    const BufferCoord c = sel.caret;
    const int target = shiftTabTarget(c);
    if (target >= c.Char)
        return;
    deleteText(c.Line, target, std::min(c.Char, lineLength(c.Line) + 1) - target);
    setCaret({target, c.Line});
}

int EditorModel::Private::shiftTabTarget(BufferCoord caret) const
{
    if (caret.Char == 1)
        return 1;
    // Only spaces (and virtual space) are taken away: Shift+Tab never deletes text.
    const int spaces = SpaceRunStart(lineText(caret.Line), caret.Char);
    if (options & eoSmartTabs) {
        for (int line = caret.Line - 1; line >= 1; --line) {
            const QString &text = lineText(line);
            if (text.size() < caret.Char - 1)
                continue;
            int col = caret.Char - 1;
            while (col >= 1 && text[col - 1] == u' ')
                --col;
            while (col >= 1 && text[col - 1] != u' ')
                --col;
            return std::max(col + 1, spaces);
        }
    }
    return std::max(PreviousTabStop(caret.Char, tabWidth), spaces);
}

void EditorModel::Private::blockIndent(bool indent)
{
    const BufferCoord b = blockBegin();
    const BufferCoord e = blockEnd();
    const int first = b.Line;
    const int last = std::min(selAvail() && e.Char == 1 && e.Line > b.Line ? e.Line - 1 : e.Line, lines.count());
    const QString unit = (options & eoTabsToSpaces) ? QString(tabWidth, u' ') : QStringLiteral("\t");
    SelectionState shifted = sel;
    for (int line = first; line <= last; ++line) {
        const QString &text = lineText(line);
        int delta = 0;
        if (indent && !(text.isEmpty() && (options & eoTrimTrailingSpaces))) {
            insertText(line, 1, unit);
            delta = unit.size();
        } else if (!indent) {
            delta = -unindentWidth(text);
            deleteText(line, 1, -delta);
        }
        for (BufferCoord *point : {&shifted.anchor, &shifted.caret})
            if (point->Line == line && (point->Char > 1 || delta < 0))
                point->Char = std::max(point->Char + delta, 1);
    }
    setSelectionState(shifted);
    revealCaret = true;
}

int EditorModel::Private::unindentWidth(QStringView text) const
{
    if (text.startsWith(u'\t'))
        return 1;
    int n = 0;
    while (n < tabWidth && n < text.size() && text[n] == u' ')
        ++n;
    // A tab that ends a shorter run of spaces goes with it.
    if (n < tabWidth && n < text.size() && text[n] == u'\t')
        ++n;
    return n;
}
