#pragma once

#include "EditorTypes.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <vector>

// One primitive change of the text. Lines and columns are 1-based; text is what was inserted or
// removed. For the two line kinds col holds the number of lines and text the lines joined by '\n'
// (which never occurs inside a line).
struct EditRecord {
    enum Kind : std::uint8_t { InsertText, DeleteText, BreakLine, JoinLine, InsertLines, DeleteLines };
    Kind kind;
    int line;
    int col;
    QString text;
};

// What a command was, for grouped undo: a run of typed characters or of deletions is undone in
// one step; Other never merges with its neighbours.
enum class ChangeKind : std::uint8_t { Other, Typing, Deletion };

struct SelectionState {
    BufferCoord anchor;
    BufferCoord caret;
    SelectionMode mode = SelectionMode::Normal;
};

// The records one command added (one change number), with the caret and selection around it.
struct UndoGroup {
    ChangeKind kind = ChangeKind::Other;
    SelectionState before;
    SelectionState after;
    std::vector<EditRecord> records;
};

// The undo and redo lists of one document; the program keeps one per open file.
class UndoHistory
{
public:
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }

    // A new command's changes: the redo list is dropped.
    void add(UndoGroup group, int maxRecords);
    // The group a following Undo or Redo would take, or null.
    const UndoGroup *nextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back(); }
    const UndoGroup *nextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back(); }
    UndoGroup takeUndo();
    UndoGroup takeRedo();
    void pushUndo(UndoGroup group, int maxRecords);
    void pushRedo(UndoGroup group) { m_redo.push_back(std::move(group)); }
    // Drops the oldest records until at most maxRecords are left, never those of the newest group.
    void limit(int maxRecords);
    void clear();

private:
    std::deque<UndoGroup> m_undo;
    std::deque<UndoGroup> m_redo;
    int m_undoRecords = 0;
};
