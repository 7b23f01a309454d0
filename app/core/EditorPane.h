#pragma once

#include <QString>

#include <vector>

struct ProjectFile;

// The shown text as its lines, sharing their storage with the editor: taken in a moment even for
// a large file, and safe to read on another thread while the user goes on typing.
struct EditorSnapshot {
    std::vector<QString> lines;
    int caretX = 1;
    int caretY = 1;
};

// What the project flows need of the single editor that shows the active file.
class EditorPane
{
public:
    virtual ~EditorPane() = default;

    // Puts the file's text, caret, scroll position and undo lists into the editor, with the
    // highlighter of its type, and shows the editor.
    virtual void showFile(ProjectFile &file) = 0;
    // Copies the editor's text and position into the file it shows; the undo lists stay.
    virtual void storeState(ProjectFile &file) const = 0;
    // The file is no longer shown: its undo lists go back into it.
    virtual void releaseFile(ProjectFile &file) = 0;
    // No file is active.
    virtual void hide() = 0;
    virtual bool isShown() const = 0;
    virtual EditorSnapshot snapshot() const = 0;
    // Replaces the shown text (lines ended by CR LF) as one change that can be undone, keeping the
    // caret where the text still reaches.
    virtual void replaceText(const QString &text) = 0;
};
