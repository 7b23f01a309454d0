#pragma once

#include "SynCustomHighlighter.h"

#include <QString>
#include <QStringList>

#include <functional>

// One token as the highlighter reported it.
struct DumpedToken {
    int start = 0;
    QString text;
    int kind = 0;
    QString attribute; // the attribute's name, empty for none
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

// The token dump of the token tool and the golden files: a line per token but the end-of-line token,
//   line<TAB>start<TAB>length<TAB>kind<TAB>attribute name ("-" for none)
// and after each source line
//   line<TAB>end<TAB>range state after the line
// with lines counted from 0. The lines are scanned in order from ClearRange, and the text is
// handed to write in pieces as it is made, so a large file never sits in memory twice.
// The text is split into lines as the editor splits a file.
void writeTokenDump(SynCustomHighlighter &highlighter, QStringView text,
                    const std::function<void(const char *data, size_t size)> &write);
QByteArray tokenDump(SynCustomHighlighter &highlighter, QStringView text);
