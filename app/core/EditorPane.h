#pragma once

struct ProjectFile;

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
};
