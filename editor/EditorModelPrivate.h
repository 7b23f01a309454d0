#pragma once

#include "EditorModel.h"
#include "SynEditSearch.h"
#include "TextLines.h"
#include "UndoHistory.h"

#include <algorithm>
#include <climits>
#include <vector>

// The model's state and the building blocks its commands are made of. Every change of the text
// goes through the six primitives below, inside an edit scope; the outermost scope records the
// primitives as one undo group, rescans the highlighter ranges that may have changed and sends the
// signals once.
struct EditorModel::Private {
    explicit Private(EditorModel *owner);

    EditorModel *q;
    TextLines lines;
    SynCustomHighlighter *highlighter = nullptr;
    SelectionState sel;
    bool insertMode = true;
    int topLine = 1;
    int leftChar = 1;
    int linesInWindow = 20;
    int charsInWindow = 80;
    EditorOptions options = DefaultEditorOptions;
    int tabWidth = 8;
    int maxUndo = DefaultMaxUndo;
    bool readOnly = false;
    bool modified = false;
    std::shared_ptr<UndoHistory> history;
    std::array<std::optional<BufferCoord>, 10> bookmarks;
    std::function<QString()> clipboardRead;
    std::function<void(const QString &)> clipboardWrite;
    TSynEditSearch search;
    // The screen width of the widest line since the text was set. Edits only ever widen it, so
    // no edit has to measure any line but the ones it touched.
    int widest = 0;

    // --- Edit scopes
    int depth = 0;
    bool recording = true;
    UndoGroup group;
    // Lines whose range state may be stale: scanning restarts at dirtyFirst and stores the range of
    // every line up to dirtyLast before it may stop at one that agrees. dirtyLast < 0: none.
    int dirtyFirst = INT_MAX;
    int dirtyLast = -1;
    int repaintFirst = INT_MAX;
    int repaintLast = -1;
    bool linesMoved = false;
    bool textChanged = false;
    bool caretMoved = false;
    bool selectionChanged = false;
    bool scrolled = false;
    bool statusChanged = false;
    bool revealCaret = false;

    // Opens an edit scope for its lifetime.
    class Scope
    {
    public:
        explicit Scope(Private &d, ChangeKind kind = ChangeKind::Other) : m_d(d) { m_d.begin(kind); }
        ~Scope() { m_d.end(); }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        Private &m_d;
    };
    void begin(ChangeKind kind);
    void end();
    void finish();
    void sendSignals();
    // Asks for a repaint of the line without a change of its text (bookmarks).
    void repaint(int line);

    // --- Primitives (1-based lines and columns; col never lies beyond the line's end + 1)
    void insertText(int line, int col, const QString &text);
    QString deleteText(int line, int col, int count);
    void breakLine(int line, int col);
    void joinLine(int line);
    void insertLines(int before, std::vector<QString> texts);
    void deleteLines(int first, int n);
    // Replays a record (forward) or takes it back.
    void apply(const EditRecord &record, bool forward);
    void record(EditRecord::Kind kind, int line, int col, QString text);

    // --- Range rescanning
    void markDirty(int first, int last);
    void linesInserted(int before, int n);
    void linesRemoved(int first, int n);
    void rescan();
    int scanFrom(int start, int mustReach);
    void fullScan();

    // --- Width of the text
    void noteWidth(int line);
    void measureAllLines();
    int scrollWidth() const { return std::max(MaxLeftChar, widest + 1); }

    // --- Built on the primitives
    int lineLength(int line) const { return line >= 1 && line <= lines.count() ? lines.text(line).size() : 0; }
    const QString &lineText(int line) const;
    void ensureLine();
    // Pads the line with spaces up to the column, so that text can be put there.
    void fillTo(BufferCoord pos);
    // Inserts text (which may hold line ends) at pos; answers the point after it.
    BufferCoord insertAt(BufferCoord pos, QStringView text);
    // Inserts each line of text at pos.Char on successive lines (column paste).
    BufferCoord insertColumn(BufferCoord pos, QStringView text);
    void deleteRange(BufferCoord from, BufferCoord to);
    void deleteSelection();
    // Removes whole lines; removing every line leaves one empty line.
    void removeWholeLines(int first, int n);
    void replaceSelection(const QString &text);
    void trimTrailing(int line);
    void replaceInLine(int line, int col, const QString &text);
    QString selectedText() const;

    // --- Caret, selection and view (the ...InScope ones run inside a scope that the caller opened;
    // the model's public setters of the same name open one)
    bool selAvail() const { return sel.anchor != sel.caret; }
    BufferCoord blockBegin() const { return std::min(sel.anchor, sel.caret); }
    BufferCoord blockEnd() const { return std::max(sel.anchor, sel.caret); }
    void setSelectionState(const SelectionState &state);
    void setCaret(BufferCoord caret) { moveCaret(caret, false); }
    // Moves the caret; with select the anchor stays, otherwise the selection is dropped.
    void moveCaret(BufferCoord caret, bool select);
    BufferCoord clampCaret(BufferCoord caret) const;
    void setTopLineInScope(int line);
    void setLeftCharInScope(int column);
    void ensureCaretVisible();
    void setModifiedInScope(bool value);

    // --- Commands (EditorCommands.cpp, EditingCommands.cpp, IndentCommands.cpp, ...)
    bool execute(EditorCommand command, QChar ch);
    bool executeNavigation(EditorCommand command);
    // Where a caret motion (see EditorCommands.cpp) leads; page motions also scroll.
    BufferCoord motionTarget(int motion);
    int homeColumn() const;
    void scrollBy(int lines);
    void copyToClipboard();
    bool executeEditing(EditorCommand command, QChar ch);
    void typeChar(QChar ch);
    void lineBreak(bool moveDown);
    void deleteLastChar();
    // Where Backspace moves a caret that lies beyond the end of its line.
    int backspaceInVirtualSpace() const;
    // Where Backspace at the end of the leading blanks unindents to.
    int unindentColumn(QStringView text, int caretCol) const;
    void deleteChar();
    void tab();
    int smartTabWidth(BufferCoord caret) const;
    QString tabFiller(int col, int width) const;
    void shiftTab();
    int shiftTabTarget(BufferCoord caret) const;
    void blockIndent(bool indent);
    // How many leading characters block unindent removes from a line.
    int unindentWidth(QStringView text) const;
    void changeCase(EditorCommand command);
    // The word at or just before pos as [first, last) columns.
    std::optional<std::pair<int, int>> wordAt(BufferCoord pos) const;
    void deleteWord(bool forward);
    void deleteLine();
    void deleteToLineEnd();
    void matchBracket();
    // The [start, end) 0-based columns of the line's comment and string tokens.
    std::vector<std::pair<int, int>> quotedSpans(int line) const;
    void setMarker(int number);
    void gotoMarker(int number);
    void undo();
    void redo();
    void restoreSelection(const SelectionState &state);
    // Selects the match at column col of line and brings it into view, the caret at its end
    // (backwards: its start).
    void selectMatch(int line, int col, int length, bool backwards);

    // --- Indentation and words
    // 0 without eoAutoIndent; else the characters before the first one above code 32, a tab
    // counting TabWidth when expandTabs.
    int leadingWidth(QStringView text, bool expandTabs) const;
    QString indentString(int width, bool tabsWanted) const;
    CharSet identChars() const;
    BufferCoord nextWordStart(BufferCoord from) const;
    BufferCoord prevWordStart(BufferCoord from) const;
};
