// The token protocol of every highlighter over random text and random edits: tokens follow each
// other from column 0 and end with the end-of-line token; a line scanned alone from its stored
// range gives what it gave in sequence; a CR at the end is one more token, or part of a string or
// comment that runs to the end, and nothing else; and
// an edit changes nothing above the first line it touches.
// Input: a byte choosing the highlighter, the text (UTF-8), then after "\xff\xfe" the edits, three
// bytes each: line, what to do, and an argument.
#include "FuzzSupport.h"
#include "MainHighlighters.h"
#include "TokenDump.h"

namespace {

constexpr int MaxTokens = 100000;

void checkLine(SynCustomHighlighter &highlighter, const QString &line, int index, const DumpedLine &scanned)
{
    int start = 0;
    for (const DumpedToken &token : scanned.tokens) {
        FUZZ_CHECK(token.start == start);
        start += int(token.text.size());
    }
    FUZZ_CHECK(!scanned.tokens.empty());
    const DumpedToken &last = scanned.tokens.back();
    FUZZ_CHECK(last.text.isEmpty() && last.attribute.isEmpty());
    const qsizetype nul = line.indexOf(QChar(0));
    FUZZ_CHECK(last.start == (nul < 0 ? line.size() : nul));

    const DumpedLine alone = scanLine(highlighter, line, index, scanned.rangeBefore, MaxTokens);
    FUZZ_CHECK(alone.tokens == scanned.tokens);
    FUZZ_CHECK(alone.rangeAfter == scanned.rangeAfter);
    if (nul >= 0)
        return;
    const DumpedLine withCr = scanLine(highlighter, line + u'\r', index, scanned.rangeBefore, MaxTokens);
    FUZZ_CHECK(withCr.rangeAfter == scanned.rangeAfter);
    const std::vector<DumpedToken> &plain = scanned.tokens;
    const std::vector<DumpedToken> &cr = withCr.tokens;
    FUZZ_CHECK(!cr.empty() && cr.back().text.isEmpty());
    if (cr.size() == plain.size() + 1) {
        FUZZ_CHECK(std::equal(plain.begin(), plain.end() - 1, cr.begin()));
        FUZZ_CHECK(cr[plain.size() - 1].text == u"\r");
        return;
    }
    // A string or comment that runs to the line's end may take the CR in with it.
    FUZZ_CHECK(cr.size() == plain.size() && plain.size() >= 2);
    FUZZ_CHECK(std::equal(plain.begin(), plain.end() - 2, cr.begin()));
    const DumpedToken &lastText = plain[plain.size() - 2];
    const DumpedToken &lastWithCr = cr[cr.size() - 2];
    FUZZ_CHECK(lastWithCr.text == lastText.text + u'\r' && lastWithCr.attribute == lastText.attribute);
}

std::vector<DumpedLine> checkedScan(SynCustomHighlighter &highlighter, const QStringList &lines)
{
    const std::vector<DumpedLine> scanned = scanLines(highlighter, lines);
    FUZZ_CHECK(scanned.size() == std::size_t(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            FUZZ_CHECK(scanned[std::size_t(i)].rangeBefore == scanned[std::size_t(i - 1)].rangeAfter);
        checkLine(highlighter, lines[i], i, scanned[std::size_t(i)]);
    }
    return scanned;
}

// Applies one edit; answers the first line it touched.
int applyEdit(QStringList &lines, const uint8_t *edit)
{
    const int line = lines.isEmpty() ? 0 : edit[0] % lines.size();
    const int other = lines.isEmpty() ? 0 : edit[2] % lines.size();
    switch (edit[1] % 5) {
    case 0: lines.insert(line, lines.value(other)); break; // a line copied
    case 1:
        if (lines.size() > 1)
            lines.removeAt(line);
        break;
    case 2: // a piece of another line typed in
        if (!lines.isEmpty())
            lines[line].insert(std::min<qsizetype>(edit[2] % 16, lines[line].size()), lines.value(other).left(6));
        break;
    case 3: // characters deleted
        if (!lines.isEmpty())
            lines[line].remove(edit[2] % std::max<qsizetype>(1, lines[line].size()), 1 + edit[2] % 4);
        break;
    default: // a line broken in two
        if (!lines.isEmpty()) {
            const qsizetype at = std::min<qsizetype>(edit[2], lines[line].size());
            lines.insert(line + 1, lines[line].mid(at));
            lines[line].truncate(at);
        }
        break;
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static MainHighlighters highlighters;
    static const QStringList names = MainHighlighters::names();
    const QString &name = names[data[0] % names.size()];
    SynCustomHighlighter &highlighter = *highlighters.byName(name);
    highlighters.xhMulti.SetEnabled(name == u"multi");

    const QByteArrayView input(data + 1, qsizetype(size - 1));
    const qsizetype split = input.indexOf(QByteArrayView("\xff\xfe"));
    const QByteArrayView text = split < 0 ? input : input.first(split);
    const QByteArrayView edits = split < 0 ? QByteArrayView() : input.sliced(split + 2);

    QStringList lines = QString::fromUtf8(text).split(u'\n');
    std::vector<DumpedLine> before = checkedScan(highlighter, lines);
    for (qsizetype at = 0; at + 3 <= edits.size() && at < 3 * 16; at += 3) {
        const int first = applyEdit(lines, reinterpret_cast<const uint8_t *>(edits.data() + at));
        const std::vector<DumpedLine> after = checkedScan(highlighter, lines);
        for (int i = 0; i < first && i < int(after.size()); ++i) {
            FUZZ_CHECK(after[std::size_t(i)].tokens == before[std::size_t(i)].tokens);
            FUZZ_CHECK(after[std::size_t(i)].rangeAfter == before[std::size_t(i)].rangeAfter);
        }
        before = after;
    }
    return 0;
}
