#pragma once

#include "DialogFields.h"

#include <QString>

#include <optional>

class PlacementStore;
class Prompts;

// What the Print dialog asked for, ready for the print engine.
struct PrintJob {
    bool preview = false; // show the pages first
    PrintPage page;
    QString pdfFile; // where Print to PDF writes
    bool selectedOnly = false;
    bool wrap = false;
    bool numbers = false;
    bool color = false;
    // Millimetres.
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
    QString title; // the file's full path
    QString docTitle; // names the print job
};

// The Print command without its windows: the dialog opens with its remembered values (stored
// again however it closes) and the selection's tick; Print to PDF asks for the file to write.
class PrintFlow
{
public:
    PrintFlow(Prompts &prompts, PlacementStore &store);

    // fileName: the active file's full path; selection: whether the editor has a selection.
    // Nothing when the user cancelled.
    std::optional<PrintJob> Print1Click(const QString &fileName, bool selection);

private:
    PrintFields remembered() const;
    void remember(const PrintFields &fields);

    Prompts &m_prompts;
    PlacementStore &m_store;
};

// A margin box's millimetres: its text when that is one or more digits 0-9 only, else 0.
int marginMillimetres(const QString &text);
