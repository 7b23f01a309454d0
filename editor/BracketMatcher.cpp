// Moving the caret to the partner of the bracket under it.
#include "EditorModelPrivate.h"

#include <algorithm>

namespace {

constexpr char16_t Brackets[] = u"()[]{}<>";

bool InSpans(const std::vector<std::pair<int, int>> &spans, int index)
{
    return std::any_of(spans.begin(), spans.end(), [index](auto s) { return index >= s.first && index < s.second; });
}

} // namespace

std::vector<std::pair<int, int>> EditorModel::Private::quotedSpans(int line) const
{
    std::vector<std::pair<int, int>> spans;
    if (!highlighter)
        return spans;
    highlighter->RestoreRange(lines.range(line));
    highlighter->BeginLine(lines.text(line), line - 1);
    for (; !highlighter->AtLineEnd(); highlighter->Advance()) {
        const SynHighlighterAttributes *attri = highlighter->TokenAttri();
        // Asked per token: a multi-language highlighter answers for the section the token is in.
        if (attri
            && (attri == highlighter->StandardAttri(SynCustomHighlighter::siComment)
                || attri == highlighter->StandardAttri(SynCustomHighlighter::siString))) {
            const int start = highlighter->TokenStart();
            spans.emplace_back(start, start + int(highlighter->TokenText().size()));
        }
    }
    return spans;
}

void EditorModel::Private::matchBracket()
{
    const BufferCoord c = sel.caret;
    const QString &here = lineText(c.Line);
    if (c.Char > here.size())
        return;
    const char16_t *found = std::char_traits<char16_t>::find(Brackets, 8, here[c.Char - 1].unicode());
    if (!found)
        return;
    const int pair = int(found - Brackets) & ~1;
    const bool forward = (found - Brackets) % 2 == 0;
    const QChar open = Brackets[pair];
    const QChar close = Brackets[pair + 1];
    const int step = forward ? 1 : -1;
    int depth = 1;
    int index = c.Char - 1 + step;
    for (int line = c.Line; line >= 1 && line <= lines.count(); line += step) {
        const QString &text = lines.text(line);
        const auto spans = quotedSpans(line);
        if (line != c.Line)
            index = forward ? 0 : int(text.size()) - 1;
        for (; index >= 0 && index < text.size(); index += step) {
            if ((text[index] != open && text[index] != close) || InSpans(spans, index))
                continue;
            depth += (text[index] == open) == forward ? 1 : -1;
            if (depth == 0) {
                setCaret({index + 1, line});
                return;
            }
        }
    }
}
