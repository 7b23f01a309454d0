// Edit scopes, the primitive mutators and the highlighter range rescan.
#include "EditorModelPrivate.h"

#include "DisplayColumns.h"

#include <algorithm>

namespace {

QString JoinLines(const std::vector<QString> &texts)
{
    qsizetype size = 0;
    for (const QString &t : texts)
        size += t.size() + 1;
    QString joined;
    joined.reserve(size);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            joined += u'\n';
        joined += texts[i];
    }
    return joined;
}

std::vector<QString> SplitJoined(const QString &joined)
{
    std::vector<QString> texts;
    for (QStringView part : QStringView(joined).split(u'\n'))
        texts.push_back(part.toString());
    return texts;
}

} // namespace

EditorModel::Private::Private(EditorModel *owner) : q(owner), history(std::make_shared<UndoHistory>()) { }

// --- Edit scopes

void EditorModel::Private::begin(ChangeKind kind)
{
    if (depth++ > 0)
        return;
    group.kind = kind;
    group.before = sel;
}

void EditorModel::Private::end()
{
    if (--depth == 0)
        finish();
}

void EditorModel::Private::finish()
{
    if (!group.records.empty()) {
        group.after = sel;
        history->add(std::move(group), maxUndo);
    }
    group = UndoGroup{};
    SelectionState clamped = sel;
    clamped.caret.Line = std::clamp(sel.caret.Line, 1, std::max(1, lines.count()));
    clamped.anchor.Line = std::clamp(sel.anchor.Line, 1, std::max(1, lines.count()));
    setSelectionState(clamped);
    if (textChanged)
        setModifiedInScope(true);
    if (linesMoved)
        setTopLineInScope(topLine);
    if (revealCaret)
        ensureCaretVisible();
    if (dirtyLast >= 0)
        rescan();
    sendSignals();
}

void EditorModel::Private::sendSignals()
{
    // Reset first: the receivers may edit again.
    const bool changed = std::exchange(textChanged, false);
    const bool moved = std::exchange(linesMoved, false);
    const int first = std::exchange(repaintFirst, INT_MAX);
    const int last = std::max(std::exchange(dirtyLast, -1), std::exchange(repaintLast, -1));
    dirtyFirst = INT_MAX;
    const bool caret = std::exchange(caretMoved, false);
    const bool selection = std::exchange(selectionChanged, false);
    const bool view = std::exchange(scrolled, false);
    const bool status = std::exchange(statusChanged, false);
    revealCaret = false;

    if (changed)
        emit q->Changed();
    if (first != INT_MAX)
        emit q->LinesChanged(std::max(first, 1), moved ? -1 : std::max(last, first));
    if (caret)
        emit q->CaretMoved();
    if (selection)
        emit q->SelectionChanged();
    if (view)
        emit q->ViewScrolled();
    if (status)
        emit q->StatusChanged();
}

void EditorModel::Private::repaint(int line)
{
    repaintFirst = std::min(repaintFirst, line);
    repaintLast = std::max(repaintLast, line);
}

// --- Primitives

void EditorModel::Private::record(EditRecord::Kind kind, int line, int col, QString text)
{
    if (recording)
        group.records.push_back({kind, line, col, std::move(text)});
}

void EditorModel::Private::insertText(int line, int col, const QString &text)
{
    if (text.isEmpty())
        return;
    lines.mutableText(line).insert(col - 1, text);
    noteWidth(line);
    markDirty(line, line);
    repaintFirst = std::min(repaintFirst, line);
    record(EditRecord::InsertText, line, col, text);
}

QString EditorModel::Private::deleteText(int line, int col, int count)
{
    QString &t = lines.mutableText(line);
    count = std::min<int>(count, t.size() - (col - 1));
    if (count <= 0)
        return {};
    QString removed = t.mid(col - 1, count);
    t.remove(col - 1, count);
    markDirty(line, line);
    repaintFirst = std::min(repaintFirst, line);
    record(EditRecord::DeleteText, line, col, removed);
    return removed;
}

void EditorModel::Private::breakLine(int line, int col)
{
    QString &t = lines.mutableText(line);
    QString tail = t.mid(col - 1);
    t.truncate(col - 1);
    lines.insertOne(line + 1, std::move(tail));
    for (auto &mark : bookmarks)
        if (mark && mark->Line > line)
            ++mark->Line;
    linesInserted(line + 1, 1);
    markDirty(line, line + 1);
    repaintFirst = std::min(repaintFirst, line);
    record(EditRecord::BreakLine, line, col, {});
}

void EditorModel::Private::joinLine(int line)
{
    const int col = lineLength(line) + 1;
    lines.mutableText(line).append(lines.remove(line + 1, 1).front());
    noteWidth(line);
    for (auto &mark : bookmarks) {
        if (mark && mark->Line == line + 1)
            *mark = {mark->Char + col - 1, line};
        else if (mark && mark->Line > line + 1)
            --mark->Line;
    }
    linesRemoved(line + 1, 1);
    markDirty(line, line);
    repaintFirst = std::min(repaintFirst, line);
    record(EditRecord::JoinLine, line, col, {});
}

void EditorModel::Private::insertLines(int before, std::vector<QString> texts)
{
    const int n = static_cast<int>(texts.size());
    if (n == 0)
        return;
    QString joined = recording ? JoinLines(texts) : QString();
    lines.insert(before, std::move(texts));
    for (int line = before; line < before + n; ++line)
        noteWidth(line);
    for (auto &mark : bookmarks)
        if (mark && mark->Line >= before)
            mark->Line += n;
    linesInserted(before, n);
    record(EditRecord::InsertLines, before, n, std::move(joined));
}

void EditorModel::Private::deleteLines(int first, int n)
{
    if (n <= 0)
        return;
    std::vector<QString> removed = lines.remove(first, n);
    for (auto &mark : bookmarks) {
        if (mark && mark->Line >= first + n)
            mark->Line -= n;
        else if (mark && mark->Line >= first)
            mark.reset();
    }
    linesRemoved(first, n);
    record(EditRecord::DeleteLines, first, n, recording ? JoinLines(removed) : QString());
}

void EditorModel::Private::apply(const EditRecord &r, bool forward)
{
    switch (r.kind) {
    case EditRecord::InsertText:
    case EditRecord::DeleteText:
        if (forward == (r.kind == EditRecord::InsertText))
            insertText(r.line, r.col, r.text);
        else
            deleteText(r.line, r.col, r.text.size());
        break;
    case EditRecord::BreakLine:
    case EditRecord::JoinLine:
        if (forward == (r.kind == EditRecord::BreakLine))
            breakLine(r.line, r.col);
        else
            joinLine(r.line);
        break;
    case EditRecord::InsertLines:
    case EditRecord::DeleteLines:
        if (forward == (r.kind == EditRecord::InsertLines))
            insertLines(r.line, SplitJoined(r.text));
        else
            deleteLines(r.line, r.col);
        break;
    }
}

// --- Range rescan

void EditorModel::Private::markDirty(int first, int last)
{
    textChanged = true;
    dirtyFirst = std::min(dirtyFirst, first);
    dirtyLast = std::max(dirtyLast, last);
}

void EditorModel::Private::linesInserted(int before, int n)
{
    linesMoved = true;
    if (dirtyFirst >= before && dirtyFirst != INT_MAX)
        dirtyFirst += n;
    if (dirtyLast >= before)
        dirtyLast += n;
    // The line above gives the inserted lines their start state; every inserted line is new.
    markDirty(std::max(before - 1, 1), before + n - 1);
    repaintFirst = std::min(repaintFirst, before);
}

void EditorModel::Private::linesRemoved(int first, int n)
{
    linesMoved = true;
    auto shift = [&](int &line) {
        if (line >= first + n && line != INT_MAX)
            line -= n;
        else if (line >= first && line != INT_MAX)
            line = first - 1;
    };
    shift(dirtyFirst);
    shift(dirtyLast);
    markDirty(std::max(first - 1, 1), first - 1);
    repaintFirst = std::min(repaintFirst, first);
}

void EditorModel::Private::rescan()
{
    const int count = lines.count();
    dirtyLast = std::min(dirtyLast, count);
    if (!highlighter || count == 0)
        return;
    const int start = std::clamp(dirtyFirst, 1, count);
    dirtyLast = std::max(dirtyLast, scanFrom(start, dirtyLast));
}

int EditorModel::Private::scanFrom(int start, int mustReach)
{
    // Line 1 always starts in the highlighter's initial state.
    if (start == 1) {
        highlighter->ClearRange();
        lines.setRange(1, highlighter->RangeState());
    } else {
        highlighter->RestoreRange(lines.range(start));
    }
    const int count = lines.count();
    int last = start;
    for (int line = start; line < count; ++line) {
        highlighter->BeginLine(lines.text(line), line - 1);
        highlighter->ScanToLineEnd();
        const SynRangeState next = highlighter->RangeState();
        if (line + 1 > mustReach && lines.range(line + 1) == next)
            break;
        lines.setRange(line + 1, next);
        last = line + 1;
    }
    return last;
}

void EditorModel::Private::fullScan()
{
    if (highlighter && lines.count() > 0)
        scanFrom(1, lines.count());
}

// --- Width of the text

void EditorModel::Private::noteWidth(int line)
{
    const QString &text = lines.text(line);
    // No character is wider than a tab: most lines are known to fit without being measured, and
    // a line without tabs is as wide as it is long.
    if (qint64(text.size()) * std::max(tabWidth, 1) <= widest)
        return;
    const int width = text.contains(u'\t') ? displayColumn(text, int(text.size()) + 1, tabWidth) - 1 : int(text.size());
    widest = std::max(widest, width);
}

void EditorModel::Private::measureAllLines()
{
    widest = 0;
    for (int line = 1; line <= lines.count(); ++line)
        noteWidth(line);
}
