#include "TokenDump.h"

#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

DumpedLine scanLine(SynCustomHighlighter &highlighter, QStringView line, int index, SynRangeState range, int maxTokens)
{
    DumpedLine dumped;
    dumped.rangeBefore = range;
    highlighter.RestoreRange(range);
    highlighter.BeginLine(line, index);
    for (int n = 0; n < maxTokens; ++n) {
        const SynHighlighterAttributes *attribute = highlighter.TokenAttri();
        dumped.tokens.push_back({highlighter.TokenStart(), highlighter.TokenText().toString(),
                                 highlighter.TokenKindId(), attribute ? attribute->AttriName() : QString()});
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

namespace {

// Collects the dump in a buffer of its own and hands it on in large pieces. A record is put
// together in place: reserve room for it, write, then commit what was written.
class DumpWriter
{
public:
    explicit DumpWriter(const std::function<void(const char *, size_t)> &write) : m_write(write) { }
    ~DumpWriter() { flush(); }
    DumpWriter(const DumpWriter &) = delete;
    DumpWriter &operator=(const DumpWriter &) = delete;

    char *reserve(size_t size)
    {
        if (m_used + size > m_buffer.size())
            flush();
        if (size > m_buffer.size())
            m_buffer.resize(size);
        return m_buffer.data() + m_used;
    }
    void commit(const char *end) { m_used = static_cast<size_t>(end - m_buffer.data()); }

private:
    void flush()
    {
        if (m_used > 0)
            m_write(m_buffer.data(), m_used);
        m_used = 0;
    }

    const std::function<void(const char *, size_t)> &m_write;
    std::vector<char> m_buffer = std::vector<char>(1 << 16);
    size_t m_used = 0;
};

constexpr size_t NumberRoom = 21; // a 64-bit number and its separator

// Every number of the dump is at least 0; writing two digits at a time beats the general
// conversion by a wide margin on a dump of millions of numbers.
char *putNumber(char *at, unsigned long long value, char after)
{
    static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    char digits[20];
    char *end = digits + sizeof digits;
    char *first = end;
    while (value >= 100) {
        first -= 2;
        std::memcpy(first, Pairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (value >= 10) {
        first -= 2;
        std::memcpy(first, Pairs + 2 * value, 2);
    } else {
        *--first = static_cast<char>('0' + value);
    }
    at = std::copy(first, end, at);
    *at++ = after;
    return at;
}

// Attribute names in UTF-8, made once per attribute rather than once per token, and found again
// through a small table keyed by the attribute's address.
class AttributeNames
{
public:
    const QByteArray &of(const SynHighlighterAttributes *attribute)
    {
        const size_t slot = (reinterpret_cast<std::uintptr_t>(attribute) >> 4) % Slots;
        if (m_cache[slot].first != attribute || m_cache[slot].second.isNull())
            m_cache[slot] = {attribute, attribute ? attribute->AttriName().toUtf8() : QByteArray("-")};
        return m_cache[slot].second;
    }

private:
    static constexpr size_t Slots = 61;
    std::array<std::pair<const SynHighlighterAttributes *, QByteArray>, Slots> m_cache{};
};

} // namespace

void writeTokenDump(SynCustomHighlighter &highlighter, QStringView text,
                    const std::function<void(const char *, size_t)> &write)
{
    DumpWriter out(write);
    AttributeNames names;
    highlighter.ClearRange();
    int i = 0;
    forEachLine(text, [&](QStringView line) {
        highlighter.BeginLine(line, i);
        for (; !highlighter.AtLineEnd(); highlighter.Advance()) {
            const qsizetype length = highlighter.TokenText().size();
            const SynHighlighterAttributes *attribute = highlighter.TokenAttri();
            if (length == 0 && !attribute)
                continue;
            const QByteArray &name = names.of(attribute);
            char *at = out.reserve(4 * NumberRoom + static_cast<size_t>(name.size()) + 1);
            at = putNumber(at, static_cast<unsigned>(i), '\t');
            at = putNumber(at, static_cast<unsigned>(highlighter.TokenStart()), '\t');
            at = putNumber(at, static_cast<unsigned long long>(length), '\t');
            at = putNumber(at, static_cast<unsigned>(highlighter.TokenKindId()), '\t');
            std::memcpy(at, name.constData(), static_cast<size_t>(name.size()));
            at += name.size();
            *at++ = '\n';
            out.commit(at);
        }
        char *at = putNumber(out.reserve(2 * NumberRoom + 4), static_cast<unsigned>(i), '\t');
        at = std::copy_n("end\t", 4, at);
        out.commit(putNumber(at, highlighter.RangeState(), '\n'));
        ++i;
    });
}

QByteArray tokenDump(SynCustomHighlighter &highlighter, QStringView text)
{
    QByteArray dump;
    writeTokenDump(highlighter, text, [&dump](const char *data, size_t size) { dump.append(data, qsizetype(size)); });
    return dump;
}
