#pragma once

#include "SynHighlighterAttributes.h"

#include <QList>
#include <QStringList>

#include <array>
#include <cstdint>

class SynHTMLSyn;
class SynPHPSyn;
class SynCustomHighlighter;

// The eleven items of the Options dialog's colour page and the PHP and HTML attributes each one
// edits. An item is known by its position, so the page works the same in every language. Every
// change acts on the highlighters at once (their editors repaint).
class SyntaxColourItems
{
public:
    static constexpr int Count = 11;

    SyntaxColourItems(SynPHPSyn &php, SynHTMLSyn &html);

    // The items' English captions, in order.
    static QStringList names();

    // The attribute whose values the page shows for the item.
    const SynHighlighterAttributes &shown(int item) const;
    void setForeground(int item, SynColor colour);
    void setBackground(int item, SynColor colour);
    // bit: fsBold, fsItalic or fsUnderline.
    void setStyleBit(int item, std::uint8_t bit, bool on);

    // Every attribute of both highlighters as it is now, to go back to.
    struct Values {
        SynColor foreground;
        SynColor background;
        std::uint8_t style;
        bool operator==(const Values &) const = default;
    };
    using Saved = QList<Values>;
    Saved save() const;
    void restore(const Saved &saved);

private:
    struct Item {
        SynHighlighterAttributes *shown;
        std::array<SynHighlighterAttributes *, 2> colours; // the second may be null
        std::array<SynHighlighterAttributes *, 2> styles;
    };
    QList<SynHighlighterAttributes *> everyAttribute() const;

    std::array<Item, Count> m_items;
    std::array<SynCustomHighlighter *, 2> m_highlighters;
};
