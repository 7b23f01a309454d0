#pragma once

#include "EditorPane.h"

#include <QObject>

class EditorModel;
struct MainFrame;
struct MainHighlighters;
struct SysOptions;

// The editor pane as the project flows see it: shows a file with the highlighter of its type,
// its name in the name bar and the caret in the pane's status bar.
class FileEditor : public QObject, public EditorPane
{
    Q_OBJECT

public:
    FileEditor(const MainFrame &frame, MainHighlighters &highlighters, const SysOptions &options);

    void showFile(ProjectFile &file) override;
    void storeState(ProjectFile &file) const override;
    void releaseFile(ProjectFile &file) override;
    void hide() override;
    bool isShown() const override;
    EditorSnapshot snapshot() const override;
    void replaceText(const QString &text) override;

    // The name bar: the file's path, its UNIX format and its changed mark.
    void ShowActiveFileName(const ProjectFile &file, const QString &changed);
    void UpdateCaretStatus();
    // An item of the highlighter box chosen, by the user or for a file type.
    void cbHighlighterChange(int item);

private:
    EditorModel *model() const;
    void chooseHighlighterFor(const QString &fileType);

    const MainFrame &m_frame;
    MainHighlighters &m_highlighters;
    const SysOptions &m_options;
};
