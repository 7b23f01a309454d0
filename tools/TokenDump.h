#pragma once

#include "SynCustomHighlighter.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <span>
#include <thread>
#include <vector>

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

using DumpWrite = std::function<void(const char *data, size_t size)>;

// The token dump of the token tool and the golden files: a line per token but the end-of-line token,
//   line<TAB>start<TAB>length<TAB>kind<TAB>attribute name ("-" for none)
// and after each source line
//   line<TAB>end<TAB>range state after the line
// with lines counted from 0, the text split into lines as the editor splits a file. The dump is
// what scanning the lines in order from ClearRange gives.
QByteArray tokenDump(SynCustomHighlighter &highlighter, QStringView text);

// The text is scanned in pieces of about this many characters.
inline constexpr qsizetype DumpChunkChars = 8 * 1024;

// The same dump made by several highlighters of one kind and settings at once: the first scans on
// the calling thread, each other one on a thread of its own. The threads start with the dumper, so
// that they are running by the time a text comes. The dump is handed to write in pieces as it is
// made, so a large file's dump never sits in memory whole.
class TokenDumper
{
public:
    explicit TokenDumper(std::span<SynCustomHighlighter *const> highlighters);
    ~TokenDumper();
    TokenDumper(const TokenDumper &) = delete;
    TokenDumper &operator=(const TokenDumper &) = delete;

    void write(QStringView text, const DumpWrite &write, qsizetype chunkChars = DumpChunkChars);

private:
    class Chunks;
    std::unique_ptr<Chunks> m_chunks;
    std::vector<std::jthread> m_helpers;
};
QByteArray tokenDump(std::span<SynCustomHighlighter *const> highlighters, QStringView text,
                     qsizetype chunkChars = DumpChunkChars);
