// Undo and redo: replaying the primitive records of whole commands.
#include "EditorModelPrivate.h"

namespace {

// With eoGroupUndo a run of commands of one mergeable kind goes back in one step.
bool Continues(const UndoGroup *next, ChangeKind kind, EditorOptions options)
{
    return next && (options & eoGroupUndo) && kind != ChangeKind::Other && next->kind == kind;
}

} // namespace

void EditorModel::Private::undo()
{
    if (readOnly || !history->canUndo())
        return;
    Scope scope(*this);
    recording = false;
    const ChangeKind kind = history->nextUndo()->kind;
    SelectionState restore;
    do {
        UndoGroup group = history->takeUndo();
        for (auto it = group.records.rbegin(); it != group.records.rend(); ++it)
            apply(*it, false);
        restore = group.before;
        history->pushRedo(std::move(group));
    } while (Continues(history->nextUndo(), kind, options));
    recording = true;
    restoreSelection(restore);
}

void EditorModel::Private::redo()
{
    if (readOnly || !history->canRedo())
        return;
    Scope scope(*this);
    recording = false;
    const ChangeKind kind = history->nextRedo()->kind;
    SelectionState restore;
    do {
        UndoGroup group = history->takeRedo();
        for (const EditRecord &record : group.records)
            apply(record, true);
        restore = group.after;
        history->pushUndo(std::move(group), maxUndo);
    } while (Continues(history->nextRedo(), kind, options));
    recording = true;
    restoreSelection(restore);
}

void EditorModel::Private::restoreSelection(const SelectionState &state)
{
    setSelectionState({clampCaret(state.anchor), clampCaret(state.caret), state.mode});
    revealCaret = true;
}
