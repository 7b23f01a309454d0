// Command dispatch and the commands that move the caret, select, scroll or set marks.
#include "EditorModelPrivate.h"

#include "CharClasses.h"

#include <algorithm>

namespace {

using C = EditorCommand;

// clang-format off
enum class Motion {
    Up, Down, Left, Right, WordLeft, WordRight, PageUp, PageDown, PageTop, PageBottom,
    LineStart, LineEnd, EditorTop, EditorBottom,
};
// clang-format on

struct MotionCommand {
    EditorCommand command;
    Motion motion;
    bool select;
};

// clang-format off
constexpr MotionCommand MotionCommands[] = {
    {C::Up, Motion::Up, false}, {C::SelUp, Motion::Up, true},
    {C::Down, Motion::Down, false}, {C::SelDown, Motion::Down, true},
    {C::Left, Motion::Left, false}, {C::SelLeft, Motion::Left, true},
    {C::Right, Motion::Right, false}, {C::SelRight, Motion::Right, true},
    {C::WordLeft, Motion::WordLeft, false}, {C::SelWordLeft, Motion::WordLeft, true},
    {C::WordRight, Motion::WordRight, false}, {C::SelWordRight, Motion::WordRight, true},
    {C::PageUp, Motion::PageUp, false}, {C::SelPageUp, Motion::PageUp, true},
    {C::PageDown, Motion::PageDown, false}, {C::SelPageDown, Motion::PageDown, true},
    {C::PageTop, Motion::PageTop, false}, {C::SelPageTop, Motion::PageTop, true},
    {C::PageBottom, Motion::PageBottom, false}, {C::SelPageBottom, Motion::PageBottom, true},
    {C::LineStart, Motion::LineStart, false}, {C::SelLineStart, Motion::LineStart, true},
    {C::LineEnd, Motion::LineEnd, false}, {C::SelLineEnd, Motion::LineEnd, true},
    {C::EditorTop, Motion::EditorTop, false}, {C::SelEditorTop, Motion::EditorTop, true},
    {C::EditorBottom, Motion::EditorBottom, false}, {C::SelEditorBottom, Motion::EditorBottom, true},
};
// clang-format on

bool IsPairStart(QStringView text, int index)
{
    return index >= 0 && index + 1 < text.size() && text[index].isHighSurrogate() && text[index + 1].isLowSurrogate();
}

// The column of the first character that is neither space nor tab.
int FirstNonBlank(QStringView text)
{
    int col = 1;
    while (col <= text.size() && (text[col - 1] == u' ' || text[col - 1] == u'\t'))
        ++col;
    return col;
}

int CommandIndex(EditorCommand command, EditorCommand first)
{
    return static_cast<int>(command) - static_cast<int>(first);
}

} // namespace

bool EditorModel::Private::execute(EditorCommand command, QChar ch)
{
    if (executeNavigation(command))
        return true;
    if (readOnly)
        return false;
    return executeEditing(command, ch);
}

BufferCoord EditorModel::Private::motionTarget(int motion)
{
    const BufferCoord c = sel.caret;
    const QString &t = lineText(c.Line);
    switch (static_cast<Motion>(motion)) {
    case Motion::Up: return {c.Char, c.Line - 1};
    case Motion::Down: return {c.Char, c.Line + 1};
    case Motion::Left:
        if (c.Char > 1)
            return {c.Char - (IsPairStart(t, c.Char - 3) ? 2 : 1), c.Line};
        return c.Line > 1 ? BufferCoord{lineLength(c.Line - 1) + 1, c.Line - 1} : c;
    case Motion::Right:
        if ((options & eoScrollPastEol) || c.Char <= t.size())
            return {c.Char + (IsPairStart(t, c.Char - 1) ? 2 : 1), c.Line};
        return c.Line < lines.count() ? BufferCoord{1, c.Line + 1} : c;
    case Motion::WordLeft: return prevWordStart(c);
    case Motion::WordRight: return nextWordStart(c);
    case Motion::PageUp: setTopLineInScope(topLine - linesInWindow); return {c.Char, c.Line - linesInWindow};
    case Motion::PageDown: setTopLineInScope(topLine + linesInWindow); return {c.Char, c.Line + linesInWindow};
    case Motion::PageTop: return {c.Char, topLine};
    case Motion::PageBottom: return {c.Char, topLine + linesInWindow - 1};
    case Motion::LineStart: return {homeColumn(), c.Line};
    case Motion::LineEnd: return {int(t.size()) + 1, c.Line};
    case Motion::EditorTop: return {1, 1};
    case Motion::EditorBottom: return {lineLength(lines.count()) + 1, lines.count()};
    }
    return c;
}

int EditorModel::Private::homeColumn() const
{
    if (!(options & eoEnhanceHomeKey))
        return 1;
    const int first = FirstNonBlank(lineText(sel.caret.Line));
    const int col = sel.caret.Char;
    return col > first || col == 1 ? first : 1;
}

void EditorModel::Private::scrollBy(int lines)
{
    setTopLineInScope(topLine + lines);
    const int line = std::clamp(sel.caret.Line, topLine, topLine + linesInWindow - 1);
    if (line != sel.caret.Line)
        moveCaret({sel.caret.Char, line}, selAvail());
}

bool EditorModel::Private::executeNavigation(EditorCommand command)
{
    Scope scope(*this);
    for (const MotionCommand &m : MotionCommands) {
        if (m.command == command) {
            moveCaret(motionTarget(static_cast<int>(m.motion)), m.select);
            return true;
        }
    }
    if (command >= C::GotoMarker0 && command <= C::GotoMarker9) {
        gotoMarker(CommandIndex(command, C::GotoMarker0));
        return true;
    }
    if (command >= C::SetMarker0 && command <= C::SetMarker9) {
        setMarker(CommandIndex(command, C::SetMarker0));
        return true;
    }
    switch (command) {
    case C::ScrollUp: scrollBy(-1); return true;
    case C::ScrollDown: scrollBy(1); return true;
    case C::ToggleMode:
        insertMode = !insertMode;
        statusChanged = true;
        return true;
    case C::Copy: copyToClipboard(); return true;
    case C::SelectAll:
        setSelectionState({{1, 1}, {lineLength(lines.count()) + 1, std::max(lines.count(), 1)}, sel.mode});
        return true;
    case C::NormalSelect: setSelectionState({sel.anchor, sel.caret, SelectionMode::Normal}); return true;
    case C::ColumnSelect: setSelectionState({sel.anchor, sel.caret, SelectionMode::Column}); return true;
    case C::LineSelect: setSelectionState({sel.anchor, sel.caret, SelectionMode::Line}); return true;
    case C::MatchBracket: matchBracket(); return true;
    case C::ContextHelp: return true;
    default: return false;
    }
}

void EditorModel::Private::copyToClipboard()
{
    if (selAvail() && clipboardWrite)
        clipboardWrite(selectedText());
}

// --- Bookmarks

void EditorModel::Private::setMarker(int number)
{
    auto &mark = bookmarks[static_cast<std::size_t>(number)];
    if (mark)
        repaint(mark->Line);
    if (mark && mark->Line == sel.caret.Line)
        mark.reset();
    else
        mark = sel.caret;
    repaint(sel.caret.Line);
}

void EditorModel::Private::gotoMarker(int number)
{
    if (const auto &mark = bookmarks[static_cast<std::size_t>(number)])
        setCaret(*mark);
}

// --- Words

CharSet EditorModel::Private::identChars() const
{
    return highlighter ? highlighter->IdentChars() : CharSet::range(33, 255) - DefaultWordBreaks;
}

BufferCoord EditorModel::Private::nextWordStart(BufferCoord from) const
{
    const CharSet word = identChars();
    auto skip = [](const QString &t, int col, auto test) {
        while (col <= t.size() && test(t[col - 1]))
            ++col;
        return col;
    };
    auto isWord = [&](QChar ch) { return word.contains(ch.unicode()); };
    auto isOther = [&](QChar ch) { return !word.contains(ch.unicode()); };
    const QString &t = lineText(from.Line);
    if (from.Char > t.size()) {
        if (from.Line >= lines.count())
            return from;
        const QString &next = lineText(from.Line + 1);
        const int col = skip(next, 1, isOther);
        return {col <= next.size() ? col : 1, from.Line + 1};
    }
    return {skip(t, skip(t, from.Char, isWord), isOther), from.Line};
}

BufferCoord EditorModel::Private::prevWordStart(BufferCoord from) const
{
    const CharSet word = identChars();
    const QString &t = lineText(from.Line);
    int col = std::min<int>(from.Char, t.size() + 1);
    while (col > 1 && !word.contains(t[col - 2].unicode()))
        --col;
    if (col == 1)
        return from.Line > 1 ? BufferCoord{lineLength(from.Line - 1) + 1, from.Line - 1} : BufferCoord{1, 1};
    while (col > 1 && word.contains(t[col - 2].unicode()))
        --col;
    return {col, from.Line};
}
