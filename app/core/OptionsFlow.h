#pragma once

#include "DialogFields.h"

#include <QStringList>

class Prompts;
class ProgramFiles;
struct MainHighlighters;

// The Options command without its window. The dialog opens with the settings and the keyword and
// function lists; on OK its controls become the settings, edited tables are written to the
// settings folder's word lists, and the colours to the colour files. Cancel puts the
// highlighters' colours back as they were when the dialog opened.
class OptionsFlow
{
public:
    OptionsFlow(Prompts &prompts, MainHighlighters &highlighters, const ProgramFiles &files);

    // True for OK, with *options changed; the window then applies them.
    bool Options1Click(SysOptions *options, const QStringList &keywords, const QStringList &functions);

private:
    void writeWordList(const char *fileName, QStringView header, const QStringList &entries);
    void saveColours();

    Prompts &m_prompts;
    MainHighlighters &m_highlighters;
    const ProgramFiles &m_files;
};

// The dialog's controls as the settings they stand for: the size boxes as integers, with 10, 3
// and 250 for text that is no number, then brought into their ranges.
SysOptions optionsFromFields(const OptionsFields &fields);
