// Search and replace in the document, line by line, with the search engine.
#include "EditorModelPrivate.h"

namespace {

struct SearchRange {
    BufferCoord start;
    BufferCoord end;
};

} // namespace

void EditorModel::Private::selectMatch(int line, int col, int length, bool backwards)
{
    // A line out of view comes to the middle of the window.
    if (line < topLine || line > topLine + linesInWindow - 1)
        setTopLineInScope(line - linesInWindow / 2);
    setLeftCharInScope(1);
    const BufferCoord first{col, line};
    const BufferCoord last{col + length, line};
    setSelectionState({backwards ? last : first, backwards ? first : last, sel.mode});
    // Still in view when the match lies further right than the window reaches.
    revealCaret = true;
}

int EditorModel::SearchReplace(const QString &search, const QString &replace, SearchOptions options)
{
    if (search.isEmpty())
        return 0;
    Private::Scope scope(*d);
    if (!d->selAvail())
        options &= ~ssoSelectedOnly;
    const bool backwards = options & ssoBackwards;
    const bool replacing = options & (ssoReplace | ssoReplaceAll);
    const int lastLine = std::max(1, d->lines.count());
    SearchRange range{{1, 1}, {d->lineLength(lastLine) + 1, lastLine}};
    if (options & ssoSelectedOnly)
        range = {d->blockBegin(), d->blockEnd()};
    else if (!(options & ssoEntireScope))
        (backwards ? range.end : range.start) = d->sel.caret;
    TSynEditSearch &engine = d->search;
    engine.SetSensitive(options & ssoMatchCase);
    engine.SetWhole(options & ssoWholeWord);
    engine.SetPattern(search);

    const int s = int(search.size());
    const int t = int(replace.size());
    int found = 0;
    for (int line = backwards ? range.end.Line : range.start.Line;
         backwards ? line >= range.start.Line : line <= range.end.Line; line += backwards ? -1 : 1) {
        const int matches = engine.FindAllInLine(d->lineText(line));
        for (int i = 0; i < matches; ++i) {
            const int col = engine.Result(backwards ? matches - 1 - i : i);
            if ((line == range.start.Line && col < range.start.Char)
                || (line == range.end.Line && col + s > range.end.Char))
                continue;
            ++found;
            d->selectMatch(line, col, s, backwards);
            if (!replacing)
                return found;
            d->replaceSelection(replace);
            if (!backwards) {
                d->setCaret({col + t, line});
                if (s != t)
                    engine.ShiftResults(col, s - t);
                if (line == range.end.Line)
                    range.end.Char += t - s;
            }
            if (!(options & ssoReplaceAll))
                return found;
        }
    }
    return found;
}
