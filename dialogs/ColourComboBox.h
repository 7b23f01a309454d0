#pragma once

#include "SynHighlighterAttributes.h"

#include <QComboBox>

// A list of the sixteen named colours (optionally followed by "None" and "Default"), each with a
// sample. A value that is none of them shows no entry and stays the value until one is picked.
class ColourComboBox : public QComboBox
{
    Q_OBJECT

public:
    enum class Entries { Named, WithNoneAndDefault };
    explicit ColourComboBox(Entries entries, QWidget *parent = nullptr);

    SynColor colour() const { return m_colour; }
    // Answers whether this counts as a change: the value differs, or no entry was shown.
    bool setColour(SynColor colour);

signals:
    // The user picked an entry.
    void colourPicked(SynColor colour);

private:
    SynColor m_colour = clNone;
};
