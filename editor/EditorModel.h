#pragma once

#include "CharSet.h"
#include "EditorTypes.h"
#include "SynCustomHighlighter.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class UndoHistory;

// The editor without its window: lines with their range states, caret, selection, undo and
// redo, options, bookmarks, the view's top line and left column, and every editing command.
// Lines are numbered from 1 in the public interface; columns are 1-based character positions.
class EditorModel : public QObject
{
    Q_OBJECT

public:
    // How far virtual space reaches, and the least width the view scrolls over.
    static constexpr int MaxLeftChar = 1024;
    static constexpr int DefaultMaxUndo = 4096;
    static constexpr int MaxTabWidth = 64;

    explicit EditorModel(QObject *parent = nullptr);
    ~EditorModel() override;

    // --- Text
    int LineCount() const;
    // Line n (1-based) without its line end; an empty string for a line outside the text.
    const QString &Line(int line) const;
    // The highlighter's range state at the start of line n (1-based).
    SynRangeState LineRange(int line) const;
    // Every line followed by CR LF.
    QString Text() const;
    // The lines, sharing their storage with the editor until it changes them: taken in a moment
    // even for a large file, and safe to read on another thread while editing goes on.
    std::vector<QString> LineTexts() const;
    // Replaces every line (split at CR LF, lone CR and lone LF; a final line end adds no empty line).
    // Not undoable: the undo and redo lists are cleared, the caret goes to 1,1.
    void SetText(QStringView text);
    QString LineText() const; // the caret line
    void SetLineText(const QString &text); // replaces the caret line (undoable)
    // Removes all lines, bookmarks and the undo history.
    void ClearAll();

    // --- Caret and selection
    BufferCoord CaretXY() const;
    // Clamps the line to the text and the column to the line's end (with eoScrollPastEol, to
    // MaxLeftChar or the line's end, whichever is further), clears the selection and scrolls the
    // caret into view.
    void SetCaretXY(BufferCoord caret);
    int CaretX() const { return CaretXY().Char; }
    int CaretY() const { return CaretXY().Line; }
    void SetCaretX(int column) { SetCaretXY({column, CaretY()}); }
    void SetCaretY(int line) { SetCaretXY({CaretX(), line}); }
    // Moves the caret to caret and selects from anchor to it (mouse and shift-selection).
    void SetSelection(BufferCoord anchor, BufferCoord caret);
    BufferCoord SelectionAnchor() const;
    // The selection's first and last point, in text order.
    BufferCoord BlockBegin() const;
    BufferCoord BlockEnd() const;
    bool SelAvail() const;
    ::SelectionMode SelectionMode() const;
    void SetSelectionMode(enum SelectionMode mode);
    // The selected columns of line n as [first, last) (1-based; last may be past the line's end,
    // INT_MAX when the line end itself is selected); nullopt when nothing of the line is selected.
    std::optional<std::pair<int, int>> SelectedColumns(int line) const;
    QString SelText() const;
    // Replaces the selection (or inserts at the caret) as one undoable change.
    void SetSelText(const QString &text);
    // The caret as a character offset: (length + 2) of every line above, plus the caret column.
    int SelStart() const;
    void SetSelStart(int offset);
    void SelectAll();
    bool InsertMode() const;
    void SetInsertMode(bool insert);

    // --- View (the window tells how much of the text it shows)
    int TopLine() const;
    void SetTopLine(int line);
    int LeftChar() const;
    void SetLeftChar(int column);
    int LinesInWindow() const;
    void SetLinesInWindow(int lines);
    int CharsInWindow() const;
    // The screen columns the view scrolls over: the widest line and a cell after it, at least
    // MaxLeftChar. It may stay wider than the text after the widest lines were shortened.
    int ScrollWidth() const;
    void SetCharsInWindow(int columns);
    void EnsureCursorPosVisible();

    // --- Options
    EditorOptions Options() const;
    void SetOptions(EditorOptions options);
    bool HasOption(EditorOption option) const { return (Options() & option) != 0; }
    int TabWidth() const;
    void SetTabWidth(int width);
    int MaxUndo() const;
    void SetMaxUndo(int records);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);

    // --- Highlighter: colours the lines and defines the word characters; may be none.
    SynCustomHighlighter *Highlighter() const;
    // Assigning the highlighter it already has does nothing; otherwise every line is rescanned.
    // A highlighter that is destroyed while attached leaves the model with none.
    void SetHighlighter(SynCustomHighlighter *highlighter);
    // The characters the word commands treat as word characters.
    CharSet IdentChars() const;

    // --- Commands
    // Runs one editor command; ch is the typed character of EditorCommand::Char.
    void ExecuteCommand(EditorCommand command, QChar ch = QChar());
    // Types text as the keyboard would (input methods, several characters at once).
    void TypeText(const QString &text);
    // Drops text at target as one undoable change; with move, the selection is removed first.
    void DropText(BufferCoord target, const QString &text, bool move);
    // The clipboard the Cut, Copy and Paste commands use; the window connects the system one.
    void SetClipboard(std::function<QString()> read, std::function<void(const QString &)> write);
    bool CanPaste() const;

    // --- Search and replace
    // Finds search (and replaces it by replace with ssoReplace or ssoReplaceAll) line by line
    // from the caret or through the whole document; answers the number of matches acted on.
    // Each match is selected and brought into view, the caret after it (backwards: before it).
    // Replace All is one undo step. An empty search does nothing.
    int SearchReplace(const QString &search, const QString &replace, SearchOptions options);

    // --- Undo
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    void ClearUndo();
    // Every change between the two is one undo step; the signals of the changes are sent at the
    // end. Blocks nest; only the outermost counts.
    void BeginUndoBlock();
    void EndUndoBlock();
    // Each open file keeps its own history: the program takes the shown file's history out and
    // puts the next file's in.
    std::shared_ptr<UndoHistory> TakeUndoHistory();
    // None gives fresh, empty lists.
    void SetUndoHistory(std::shared_ptr<UndoHistory> history);
    bool Modified() const;
    void SetModified(bool modified);

    // --- Bookmarks 0 to 9
    std::optional<BufferCoord> Bookmark(int number) const;

signals:
    // After every change of the text.
    void Changed();
    // Lines first..last (1-based, last -1 meaning to the end) must be repainted.
    void LinesChanged(int first, int last);
    void CaretMoved();
    void SelectionChanged();
    void ViewScrolled();
    // Insert mode, modified flag or options changed.
    void StatusChanged();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
