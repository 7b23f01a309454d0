#pragma once

#include "PrintFlow.h"
#include "SynEditPrint.h"

class EditorWidget;
class ProjectController;
class QPrinter;
class QWidget;

// File, Print: the Print dialog (through the project flows' prompts), then the active file's text
// on the chosen printer, or on the screen first in Qt's print preview. The print engine lives as
// long as the window.
class PrintCommands
{
public:
    PrintCommands(ProjectController &projects, EditorWidget &editor, PlacementStore &store, QWidget *window);

    // Nothing without an active file.
    void Print1Click();

private:
    void setUpEngine(const PrintJob &job);
    QList<TSynEditPrint::Span> selectedPieces() const;
    void print(QPrinter &printer);
    void preview(QPrinter &printer);

    ProjectController &m_projects;
    EditorWidget &m_editor;
    PlacementStore &m_store;
    QWidget *m_window;
    TSynEditPrint SynEditPrint1;
};
