#pragma once

#include "SynCustomHighlighter.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QRect>
#include <QStringList>

#include <memory>

class LinePainter;
class QPainter;
class QPrinter;

// Page margins in millimetres.
struct TSynEditPrintMargins {
    double Left = 25;
    double Right = 15;
    double Top = 25;
    double Bottom = 25;
};

// The print engine: lays lines out on the pages of a printer (wrapped, numbered, coloured by a
// highlighter) and prints them through the editor's line painter. Set the properties, give it the
// lines, then Print.
class TSynEditPrint
{
public:
    // Characters of a taken line to print: [from, to), 0-based, end excluded.
    struct Span {
        int line = 0;
        int from = 0;
        int to = 0;
    };

    TSynEditPrint();
    ~TSynEditPrint();
    TSynEditPrint(const TSynEditPrint &) = delete;
    TSynEditPrint &operator=(const TSynEditPrint &) = delete;

    QString Title;
    QString DocTitle; // names the print job when set, else Title does
    QFont Font;
    bool Wrap = true;
    bool Highlight = true; // the highlighter's token styles and colours; else plain black text
    bool LineNumbers = false;
    int TabWidth = 8;
    QColor Color = Qt::white; // the page behind the text
    TSynEditPrintMargins Margins;
    SynCustomHighlighter *Highlighter = nullptr;

    // Takes the lines, tabs expanded. With pieces (character positions of lines as given here),
    // only those are printed, each where it stands on its line; else the whole text.
    void SetLines(const QStringList &lines, const QList<Span> &pieces = {});

    // The pages the text takes on printer; 0 (with the reason in Error()) when the margins leave
    // no room for a line.
    int PageCount(QPrinter &printer);
    // Prints every page on printer; false with Error() when nothing could be printed.
    bool Print(QPrinter &printer);
    QString Error() const { return m_error; }

private:
    // One row of a page: the columns [from, to) of a taken line, whose wrapped row starts at rowStart.
    struct Row {
        int line = 0;
        int rowStart = 0;
        int from = 0;
        int to = 0;
        bool numbered = false; // the first row of a piece carries its line number
    };
    bool layOut(QPrinter &printer);
    void addRows(const Span &span, QList<Row> &rows) const;
    void scanRanges();
    void printPage(QPainter &painter, const QList<Row> &page) const;
    int maxColumns(qreal width) const;

    QStringList m_lines; // tabs expanded
    QList<Span> m_spans; // in the columns of m_lines
    QList<SynRangeState> m_ranges; // the highlighter's state at the start of each line
    std::unique_ptr<LinePainter> m_painter;
    QRect m_frame; // the text's part of the page, in the printer's pixels
    int m_textLeft = 0; // the left edge of the text, right of the line numbers
    int m_maxColumns = 0;
    QList<QList<Row>> m_pages;
    QString m_error;
};
