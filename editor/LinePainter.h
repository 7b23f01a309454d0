#pragma once

#include "SynCustomHighlighter.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPalette>

#include <array>

class QPaintDevice;
class QPainter;

// Paints one line of text on a grid of fixed-width cells, token by token with the highlighter's
// colours and styles. The editor's viewport and printing both paint through it.
class LinePainter
{
public:
    // device: what the lines are painted on when it is not the screen (a printer measures fonts
    // at its own resolution).
    LinePainter(const QFont &font, const QPalette &palette, QPaintDevice *device = nullptr);

    // Fractional: a fixed-width font's cells are rarely a whole number of pixels wide, and rounding
    // them would drift the grid away from the glyphs along a long line.
    qreal charWidth() const { return m_charWidth; }
    int lineHeight() const { return m_lineHeight; }
    int ascent() const { return m_ascent; }

    void setTabWidth(int width) { m_tabWidth = width > 0 ? width : 1; }
    // The colour of text whose attribute has none of its own.
    void setDefaultForeground(const QColor &foreground) { m_foreground = foreground; }

    struct LineToPaint {
        QStringView text;
        int index = 0; // 0-based, as the highlighter is told
        SynRangeState range = 0; // the state at the start of the line
    };

    // Paints the screen columns firstColumn .. firstColumn + columns - 1 of line into the cells
    // starting at (x, top). Without an enabled highlighter the line is painted plainly.
    void paintLine(QPainter &painter, int x, int top, const LineToPaint &line, SynCustomHighlighter *highlighter,
                   int firstColumn, int columns) const;
    // Paints the plain text of the line in one colour over the cells (used for selected text).
    void paintPlain(QPainter &painter, int x, int top, QStringView line, int firstColumn, int columns,
                    const QColor &foreground) const;

private:
    // Paints run (tabs already expanded), which starts at screen column runColumn.
    void paintRun(QPainter &painter, int x, int top, const QString &run, int runColumn, int firstColumn, int columns,
                  const SynHighlighterAttributes *attribute) const;
    // Turns the control characters of cells (a NUL above all) into blanks and paints a box in
    // each one's cell instead.
    void paintControls(QPainter &painter, qreal left, int top, QString &cells, const QColor &foreground) const;

    std::array<QFont, 16> m_fonts;
    int m_tabWidth = 8;
    qreal m_charWidth;
    int m_lineHeight;
    int m_ascent;
    QPalette m_palette;
    QColor m_foreground;
    // The font style last set on the painter while painting a line; -1 when unknown.
    mutable int m_painterStyle = -1;
};
