#include "SynEditPrint.h"

#include "DisplayColumns.h"
#include "LinePainter.h"
#include "PrintRows.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

// Colours of the system roles as they print: dark text on a white page, whatever the screen's theme.
QPalette printPalette()
{
    QPalette palette;
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, Qt::black);
    for (const auto role : {QPalette::Base, QPalette::Window, QPalette::Button})
        palette.setColor(role, Qt::white);
    return palette;
}

// The font at its size in points: a size in pixels would print at the printer's tiny pixels.
QFont inPoints(QFont font)
{
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    return font;
}

QString numberText(int line)
{
    return QString::number(line + 1) + QStringLiteral(": ");
}

} // namespace

TSynEditPrint::TSynEditPrint() = default;
TSynEditPrint::~TSynEditPrint() = default;

void TSynEditPrint::SetLines(const QStringList &lines, const QList<Span> &pieces)
{
    m_lines.clear();
    m_spans.clear();
    m_pages.clear();
    m_ranges.clear();
    for (const QString &line : lines)
        m_lines.append(expandTabs(line, TabWidth));
    if (pieces.isEmpty()) {
        for (int i = 0; i < m_lines.size(); ++i)
            m_spans.append({i, 0, static_cast<int>(m_lines[i].size())});
        return;
    }
    for (const Span &piece : pieces) {
        if (piece.line < 0 || piece.line >= lines.size())
            continue;
        const QString &line = lines[piece.line];
        const int length = static_cast<int>(line.size());
        // Columns of the expanded line, so a piece stays under the text it was cut from.
        const int from = std::clamp(piece.from, 0, length);
        const int to = std::clamp(piece.to, from, length);
        m_spans.append(
            {piece.line, displayColumn(line, from + 1, TabWidth) - 1, displayColumn(line, to + 1, TabWidth) - 1});
    }
}

int TSynEditPrint::PageCount(QPrinter &printer)
{
    return layOut(printer) ? static_cast<int>(m_pages.size()) : 0;
}

bool TSynEditPrint::Print(QPrinter &printer)
{
    if (!layOut(printer))
        return false;
    printer.setDocName(DocTitle.isEmpty() ? Title : DocTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_error = printer.outputFileName().isEmpty()
            ? QStringLiteral("The printer could not be started.")
            : QStringLiteral("Unable to write to %1").arg(printer.outputFileName());
        return false;
    }
    for (qsizetype page = 0; page < m_pages.size(); ++page) {
        if (page > 0 && !printer.newPage()) {
            m_error = QStringLiteral("The printer stopped before page %1.").arg(page + 1);
            return false;
        }
        printPage(painter, m_pages[page]);
    }
    return painter.end();
}

bool TSynEditPrint::layOut(QPrinter &printer)
{
    m_error.clear();
    m_pages.clear();
    // Margins count from the paper's edges; none reaches into the part the printer cannot print.
    printer.setFullPage(true);
    QPageLayout page = printer.pageLayout();
    page.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = page.minimumMargins();
    const qreal perMmX = printer.logicalDpiX() / 25.4;
    const qreal perMmY = printer.logicalDpiY() / 25.4;
    const QRect paper(QPoint(0, 0), printer.paperRect(QPrinter::DevicePixel).size().toSize());
    m_frame = paper.adjusted(qRound(std::max(Margins.Left, least.left()) * perMmX),
                             qRound(std::max(Margins.Top, least.top()) * perMmY),
                             -qRound(std::max(Margins.Right, least.right()) * perMmX),
                             -qRound(std::max(Margins.Bottom, least.bottom()) * perMmY));

    m_painter = std::make_unique<LinePainter>(inPoints(Font), printPalette(), &printer);
    m_painter->setTabWidth(TabWidth);
    m_painter->setDefaultForeground(Qt::black);
    m_textLeft = m_frame.left();
    if (LineNumbers)
        m_textLeft += qCeil(numberText(static_cast<int>(m_lines.size()) - 1).size() * m_painter->charWidth());
    m_maxColumns = maxColumns(m_frame.left() + m_frame.width() - m_textLeft);
    if (m_maxColumns < 1 || m_painter->lineHeight() > m_frame.height()) {
        m_error = QStringLiteral("The margins leave no room for the text on the page.");
        return false;
    }

    QList<Row> rows;
    for (const Span &span : m_spans)
        addRows(span, rows);
    // Rows, not lines, fill the pages: a long wrapped line goes on over the page break.
    m_pages = QList<QList<Row>>(1);
    int y = m_frame.top();
    for (const Row &row : rows) {
        if (y + m_painter->lineHeight() > m_frame.top() + m_frame.height() && !m_pages.last().isEmpty()) {
            m_pages.emplace_back();
            y = m_frame.top();
        }
        m_pages.last().append(row);
        y += m_painter->lineHeight();
    }
    scanRanges();
    return true;
}

int TSynEditPrint::maxColumns(qreal width) const
{
    // As many cells as stay narrower than the width.
    int columns = static_cast<int>(std::floor(width / m_painter->charWidth()));
    if (columns * m_painter->charWidth() >= width)
        --columns;
    return columns;
}

void TSynEditPrint::addRows(const Span &span, QList<Row> &rows) const
{
    const QString &line = m_lines[span.line];
    const int length = static_cast<int>(line.size());
    const QList<int> starts = Wrap ? printRowStarts(line, m_maxColumns) : QList<int>{0};
    bool first = true;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const int rowEnd = i + 1 < starts.size() ? starts[i + 1] : std::min(length, starts[i] + m_maxColumns);
        const int from = std::max(starts[i], span.from);
        const int to = std::min(rowEnd, span.to);
        if (from < to) {
            rows.append({span.line, starts[i], from, to, first});
            first = false;
        }
    }
    if (first) // an empty line, or nothing of it to print: it still takes its row
        rows.append({span.line, span.from, span.from, span.from, true});
}

void TSynEditPrint::scanRanges()
{
    m_ranges.clear();
    if (!Highlight || !Highlighter)
        return;
    // Every line starts in the state the lines above leave, as in the editor.
    Highlighter->ClearRange();
    for (int i = 0; i < m_lines.size(); ++i) {
        m_ranges.append(Highlighter->RangeState());
        Highlighter->BeginLine(m_lines[i], i);
        Highlighter->ScanToLineEnd();
    }
}

void TSynEditPrint::printPage(QPainter &painter, const QList<Row> &page) const
{
    painter.fillRect(m_frame, Color);
    SynCustomHighlighter *highlighter = Highlight ? Highlighter : nullptr;
    const qreal cell = m_painter->charWidth();
    int y = m_frame.top();
    for (const Row &row : page) {
        if (LineNumbers && row.numbered) {
            const QString number = numberText(row.line);
            const int x = qRound(m_textLeft - number.size() * cell);
            m_painter->paintPlain(painter, x, y, number, 1, static_cast<int>(number.size()), Qt::black);
        }
        const LinePainter::LineToPaint text{m_lines[row.line], row.line,
                                            highlighter ? m_ranges[row.line] : SynRangeState(0)};
        const int x = qRound(m_textLeft + (row.from - row.rowStart) * cell);
        m_painter->paintLine(painter, x, y, text, highlighter, row.from + 1, row.to - row.from);
        y += m_painter->lineHeight();
    }
}
