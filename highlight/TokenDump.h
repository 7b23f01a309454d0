#pragma once

#include "SynCustomHighlighter.h"

#include <QString>
#include <QStringList>

// One token as the highlighter reported it.
struct DumpedToken {
    int start = 0;
    QString text;
    int kind = 0;
    QString attribute;  // the attribute's name, empty for none
    bool operator==(const DumpedToken &) const = default;
};

// The tokens of one line, the end-of-line token included, and the range states around it.
struct DumpedLine {
    SynRangeState rangeBefore = 0;
    std::vector<DumpedToken> tokens;
    SynRangeState rangeAfter = 0;
};

// Scans the lines one after another from the initial state, as the editor does on assignment.
std::vector<DumpedLine> scanLines(SynCustomHighlighter &highlighter, const QStringList &lines);
// Scans one line from the given state; at most maxTokens tokens, so a lexer that never reaches the
// end of the line cannot hang the caller.
DumpedLine scanLine(SynCustomHighlighter &highlighter, QStringView line, int index, SynRangeState range,
                    int maxTokens = 100000);

// The readable form of the golden token files: one source line per line,
//   <line number> [<range before>]: Attribute"text" Attribute"text" ... [<range after>]
// with quotes, backslashes and control characters escaped. The end-of-line token is left out.
QString formatTokens(const std::vector<DumpedLine> &lines);
