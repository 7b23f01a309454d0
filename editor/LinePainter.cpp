#include "LinePainter.h"

#include "DisplayColumns.h"
#include "SynColors.h"

#include <QPainter>

#include <algorithm>

LinePainter::LinePainter(const QFont &font, const QPalette &palette, QPaintDevice *device) : m_palette(palette)
{
    for (unsigned style = 0; style < m_fonts.size(); ++style) {
        QFont styled = font;
        // Code is laid out on a grid: shaping buys nothing for Latin text and costs most of the
        // painting time; scripts that need it are still shaped.
        styled.setStyleStrategy(QFont::PreferNoShaping);
        styled.setBold(style & fsBold);
        styled.setItalic(style & fsItalic);
        styled.setUnderline(style & fsUnderline);
        styled.setStrikeOut(style & fsStrikeOut);
        m_fonts[style] = styled;
    }
    const QFontMetrics metrics = device ? QFontMetrics(m_fonts[0], device) : QFontMetrics(m_fonts[0]);
    const QFontMetricsF exact = device ? QFontMetricsF(m_fonts[0], device) : QFontMetricsF(m_fonts[0]);
    m_charWidth = std::max<qreal>(1, exact.horizontalAdvance(QLatin1Char('M')));
    m_lineHeight = std::max(1, metrics.height());
    m_ascent = metrics.ascent();
    m_foreground = palette.color(QPalette::Text);
}

void LinePainter::paintLine(QPainter &painter, int x, int top, const LineToPaint &line,
                            SynCustomHighlighter *highlighter, int firstColumn, int columns) const
{
    if (!highlighter || !highlighter->Enabled()) {
        m_painterStyle = -1;
        paintRun(painter, x, top, expandTabs(line.text, m_tabWidth), 1, firstColumn, columns, nullptr);
        return;
    }
    const int lastColumn = firstColumn + columns;
    m_painterStyle = -1; // the caller may have changed the painter since the last line
    highlighter->RestoreRange(line.range);
    highlighter->BeginLine(line.text, line.index);
    // Neighbouring tokens of one attribute are painted as one run: each drawText call costs far
    // more than the characters it draws.
    QString run;
    int runColumn = 1;
    const SynHighlighterAttributes *runAttribute = nullptr;
    int column = 1; // the screen column of the next character to paint
    const auto add = [&](QStringView text, const SynHighlighterAttributes *attribute) {
        if (attribute != runAttribute) {
            paintRun(painter, x, top, run, runColumn, firstColumn, columns, runAttribute);
            run.clear();
            runColumn = column;
            runAttribute = attribute;
        }
        const qsizetype before = run.size();
        run += expandTabs(text, m_tabWidth, column);
        column += static_cast<int>(run.size() - before);
    };
    qsizetype painted = 0; // the characters of the line painted so far
    while (!highlighter->AtLineEnd() && column < lastColumn) {
        const qsizetype start = highlighter->TokenStart();
        const qsizetype end = start + highlighter->TokenText().size();
        // Each character is painted once, even if a token skips or overlaps its neighbours.
        if (start > painted)
            add(line.text.mid(painted, start - painted), nullptr);
        if (end > painted)
            add(line.text.mid(std::max(start, painted), end - std::max(start, painted)), highlighter->TokenAttri());
        painted = std::max(painted, std::min(end, line.text.size()));
        highlighter->Advance();
    }
    // A highlighter may end the line early (at a NUL): the rest is text all the same.
    if (column < lastColumn && painted < line.text.size())
        add(line.text.mid(painted), nullptr);
    paintRun(painter, x, top, run, runColumn, firstColumn, columns, runAttribute);
}

void LinePainter::paintRun(QPainter &painter, int x, int top, const QString &shown, int runColumn, int firstColumn,
                           int columns, const SynHighlighterAttributes *attribute) const
{
    const int skip = std::max(0, firstColumn - runColumn);
    const int visible = std::min(static_cast<int>(shown.size()) - skip, firstColumn + columns - runColumn - skip);
    if (visible <= 0)
        return;
    const qreal left = x + (runColumn + skip - firstColumn) * m_charWidth;

    QColor foreground = m_foreground;
    if (attribute) {
        const QColor background = colorFromSyn(attribute->Background(), m_palette);
        if (background.isValid())
            painter.fillRect(QRectF(left, top, visible * m_charWidth, m_lineHeight), background);
        const QColor own = colorFromSyn(attribute->Foreground(), m_palette);
        if (own.isValid())
            foreground = own;
    }
    const int style = attribute ? attribute->Style() & 0x0F : 0;
    QString part = skip == 0 && visible == shown.size() ? shown : shown.mid(skip, visible);
    paintControls(painter, left, top, part, foreground);
    // Blanks show nothing unless a line is drawn through or under them.
    if (part.trimmed().isEmpty() && !(attribute && (attribute->Style() & (fsUnderline | fsStrikeOut))))
        return;
    // Setting a font or a pen costs more than drawing a short run: only change what differs.
    if (style != m_painterStyle) {
        painter.setFont(m_fonts[static_cast<size_t>(style)]);
        m_painterStyle = style;
    }
    if (painter.pen().color() != foreground)
        painter.setPen(foreground);
    // Each run starts on a whole pixel (at most half a pixel off its cell, never drifting), which
    // lets the glyph cache serve every run from one rendering of each glyph.
    painter.drawText(qRound(left), top + m_ascent, part);
}

void LinePainter::paintPlain(QPainter &painter, int x, int top, QStringView line, int firstColumn, int columns,
                             const QColor &foreground) const
{
    const QString expanded = expandTabs(line, m_tabWidth);
    const int skip = firstColumn - 1;
    if (skip >= expanded.size())
        return;
    QString part = expanded.mid(skip, columns);
    paintControls(painter, x, top, part, foreground);
    painter.setFont(m_fonts[0]);
    painter.setPen(foreground);
    painter.drawText(x, top + m_ascent, part);
}

void LinePainter::paintControls(QPainter &painter, qreal left, int top, QString &cells, const QColor &foreground) const
{
    // Fonts draw a NUL or another control character as nothing, often without an advance, which
    // would hide it and pull the rest of the line out of its cells: each gets a box of its own.
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (cells[i].unicode() >= 0x20)
            continue;
        cells[i] = u' ';
        const qreal inset = std::max<qreal>(1, m_charWidth / 6);
        const QRectF box(left + i * m_charWidth + inset, top + m_lineHeight / 4.0, m_charWidth - 2 * inset,
                         m_lineHeight / 2.0);
        // An outline, so that it is not taken for the overwrite caret.
        painter.save();
        painter.setPen(QPen(foreground, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        painter.restore();
    }
}
