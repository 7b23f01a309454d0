#pragma once

#include "Scanners.h"

#include <QString>

class EditorModel;
class ProjectController;

// The commands that read the code of the active file or project and move about in it: Code
// Explorer, Goto Line, the function and class lists, the PHP skeletons and the variables picker.
// No widgets: the windows they open are asked through Prompts.
class CodeInsight
{
public:
    static constexpr QStringView FunctionTemplate = u"function  { };";
    static constexpr QStringView ClassTemplate = u"class  { };";

    CodeInsight(ProjectController &projects, EditorModel &editor);

    void CodeExplorer2Click();
    void GotoLine1Click();
    // Inserts the skeleton on a new line below the caret line, indented as that line is, with the
    // caret where the name goes; one undo removes the line again.
    void InsertTemplateLine(QStringView skeleton);
    // The Variables window over the active file's variables; inserts "$" and the chosen text.
    void PHPVariable1Click();

    // The names the active file declares with keyword ("function" or "class").
    ScanResults declarations(QStringView keyword) const;
    // Puts the caret at the first "<keyword> <entry>" of the file, found as a whole word without
    // regard to case; the caret stays when there is none.
    void locateDeclaration(QStringView keyword, const QString &entry);

private:
    // The caret line in the middle of the editor's window.
    void centreCaretLine();
    // Views of the editor's lines, for a scan made before the text changes.

    ProjectController &m_projects;
    EditorModel &m_editor;
};
