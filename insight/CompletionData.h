#pragma once

#include "WordListFile.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QStringView>

// The word lists and templates of the two typing aids (no widgets): the data files they come
// from, the lists the completion proposal shows and inserts, its filter, and the word both aids
// act on.

// One data file's lines, read again only when its path, size or modification time changed, so
// that looking at an unchanged file costs one status call.
class DataFile
{
public:
    static constexpr qint64 MaxSize = 16 * 1024 * 1024;

    // Answers whether lines() changed. A missing, unreadable or oversized file leaves them as
    // they were.
    bool refresh(const QString &path);
    const QStringList &lines() const { return m_lines; }

private:
    QString m_path;
    qint64 m_size = -1;
    qint64 m_modified = -1;
    QStringList m_lines;
};

struct CompletionLists {
    QStringList insertList; // what accepting an entry puts into the text
    QStringList itemList;   // what the list shows
};
// The keywords, then the functions, in their files' order.
CompletionLists completionLists(const QStringList &keywords, const QStringList &functions);

// The positions in items of the entries whose first characters are filter, ignoring ASCII
// letter case, in order.
QList<int> matchingItems(const QStringList &items, QStringView filter);

// The characters that end the word both typing aids act on.
inline constexpr QStringView EndOfTokenChars = u"()[] ";

inline bool isEndOfToken(QChar c)
{
    return EndOfTokenChars.contains(c);
}

// The run of characters left of the caret (1-based column caretChar) that are above the space
// and not end-of-token characters; empty when the caret stands beyond the line's end.
QString WordBeforeCaret(QStringView line, int caretChar);

// Where the completion list of the given size opens: its top left at the caret's x, one text line
// below the top of the caret's line; moved left by its width (not past the left edge) when it
// would reach past the work area's right edge, and above the caret's line when it would reach
// past the bottom.
QPoint proposalPosition(QSize size, QPoint caretLineTop, int lineHeight, const QRect &workArea);

// Ctrl or Alt alone make command keys, whose characters are not typed (both together are AltGr
// on some keyboards).
inline bool isCommandChord(Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers chord = modifiers & (Qt::ControlModifier | Qt::AltModifier);
    return chord == Qt::ControlModifier || chord == Qt::AltModifier;
}

// What a key does while the completion list is open.
enum class ProposalKey {
    Accept,        // Enter, Tab: the selected entry replaces the word
    AcceptAndType, // Space: accept, then the space is typed
    CloseAndType,  // an end-of-token character: the word stays, the character is typed
    Filter,        // a character from " " to "z": added to the filter and typed
    Backspace,     // drops the filter's last character (closes when it is empty); deletes left
    Select,        // moves the selection (rows)
    CloseAndPass,  // Left, Right: close, and the editor moves the caret
    Close,         // Esc, and any other character (which is not typed)
    Ignore,        // keys without a character that the list does not use
};
struct ProposalKeyAction {
    ProposalKey kind;
    int rows = 0; // for Select: how far; FirstRow and LastRow go to the ends
};
inline constexpr int FirstRow = -1'000'000;
inline constexpr int LastRow = 1'000'000;
ProposalKeyAction proposalKeyAction(int key, Qt::KeyboardModifiers modifiers, QStringView text);
