#include "TokenDump.h"

namespace {

QString escaped(QStringView text)
{
    QString out;
    for (QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c.unicode() < 32)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace

DumpedLine scanLine(SynCustomHighlighter &highlighter, QStringView line, int index, SynRangeState range,
                    int maxTokens)
{
    DumpedLine dumped;
    dumped.rangeBefore = range;
    highlighter.RestoreRange(range);
    highlighter.BeginLine(line, index);
    for (int n = 0; n < maxTokens; ++n) {
        const SynHighlighterAttributes *attribute = highlighter.TokenAttri();
        dumped.tokens.push_back({highlighter.TokenStart(), highlighter.TokenText().toString(), highlighter.TokenKindId(),
                                 attribute ? attribute->AttriName() : QString()});
        if (highlighter.AtLineEnd())
            break;
        highlighter.Advance();
    }
    dumped.rangeAfter = highlighter.RangeState();
    return dumped;
}

std::vector<DumpedLine> scanLines(SynCustomHighlighter &highlighter, const QStringList &lines)
{
    std::vector<DumpedLine> result;
    highlighter.ClearRange();
    SynRangeState range = highlighter.RangeState();
    for (int i = 0; i < lines.size(); ++i) {
        result.push_back(scanLine(highlighter, lines[i], i, range));
        range = result.back().rangeAfter;
    }
    return result;
}

QString formatTokens(const std::vector<DumpedLine> &lines)
{
    QString out;
    for (size_t i = 0; i < lines.size(); ++i) {
        const DumpedLine &line = lines[i];
        out += QStringLiteral("%1 [%2]:").arg(i + 1).arg(line.rangeBefore);
        for (const DumpedToken &token : line.tokens) {
            if (token.text.isEmpty() && token.attribute.isEmpty())
                continue;
            out += u' ' + token.attribute + u'"' + escaped(token.text) + u'"';
        }
        out += QStringLiteral(" [%1]\n").arg(line.rangeAfter);
    }
    return out;
}
