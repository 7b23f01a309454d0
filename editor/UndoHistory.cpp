#include "UndoHistory.h"

#include <algorithm>

void UndoHistory::add(UndoGroup group, int maxRecords)
{
    m_redo.clear();
    pushUndo(std::move(group), maxRecords);
}

void UndoHistory::pushUndo(UndoGroup group, int maxRecords)
{
    m_undoRecords += static_cast<int>(group.records.size());
    m_undo.push_back(std::move(group));
    limit(maxRecords);
}

UndoGroup UndoHistory::takeUndo()
{
    UndoGroup group = std::move(m_undo.back());
    m_undo.pop_back();
    m_undoRecords -= static_cast<int>(group.records.size());
    return group;
}

UndoGroup UndoHistory::takeRedo()
{
    UndoGroup group = std::move(m_redo.back());
    m_redo.pop_back();
    return group;
}

void UndoHistory::limit(int maxRecords)
{
    maxRecords = std::max(maxRecords, 0);
    // The newest group stays whole, however many records it holds: a Replace All over more
    // matches than the limit must still undo in one step to the text it started from.
    while (m_undoRecords > maxRecords && m_undo.size() > 1) {
        // The oldest records of the oldest group go first; the newer ones still undo correctly
        // because they were applied after the dropped ones.
        auto &records = m_undo.front().records;
        const int drop = std::min<int>(m_undoRecords - maxRecords, static_cast<int>(records.size()));
        records.erase(records.begin(), records.begin() + drop);
        m_undoRecords -= drop;
        if (records.empty())
            m_undo.pop_front();
    }
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_undoRecords = 0;
}
