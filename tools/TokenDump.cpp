#include "TokenDump.h"

#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
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

// Every number of the dump is at least 0; writing two digits at a time, straight into place,
// beats the general conversion by a wide margin on a dump of millions of numbers.
char *putNumber(char *at, unsigned long long value, char after)
{
    static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    int digits = 1;
    for (unsigned long long rest = value; rest >= 10; rest /= 10)
        ++digits;
    char *end = at + digits;
    char *first = end;
    while (value >= 100) {
        first -= 2;
        std::memcpy(first, Pairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (value >= 10)
        std::memcpy(first - 2, Pairs + 2 * value, 2);
    else
        first[-1] = static_cast<char>('0' + value);
    *end = after;
    return end + 1;
}

// Attribute names in UTF-8 with the line end that follows them, made once per attribute rather
// than once per token, and found again through a small table keyed by the attribute's address.
// Each is kept with room to spare, so that a short one is copied as one fixed-size block.
class AttributeNames
{
public:
    static constexpr qsizetype Block = 32;

    const QByteArray &of(const SynHighlighterAttributes *attribute)
    {
        const size_t slot = (reinterpret_cast<std::uintptr_t>(attribute) >> 4) % Slots;
        if (m_cache[slot].first != attribute || m_cache[slot].second.isNull()) {
            QByteArray name = (attribute ? attribute->AttriName().toUtf8() : QByteArray("-")) + '\n';
            name.reserve(std::max(name.size(), Block));
            m_cache[slot] = {attribute, name};
        }
        return m_cache[slot].second;
    }

    // Writes name (from of()) at at; answers where it ends.
    static char *put(char *at, const QByteArray &name)
    {
        if (name.size() <= Block)
            std::memcpy(at, name.constData(), Block);
        else
            std::memcpy(at, name.constData(), static_cast<size_t>(name.size()));
        return at + name.size();
    }

private:
    static constexpr size_t Slots = 61;
    std::array<std::pair<const SynHighlighterAttributes *, QByteArray>, Slots> m_cache{};
};

} // namespace

namespace {

// A token or a line's end as the dump writes it. A line's end has no attribute and holds the
// range state after the line in kind.
struct TokenRecord {
    int line;
    int start;
    qsizetype length;
    unsigned long long kind;
    const SynHighlighterAttributes *attribute;
    bool lineEnd;
};
using TokenBatch = std::vector<TokenRecord>;

// Batches of records handed from the thread that highlights to the one that writes, so that the
// two halves of the work run at once on two cores.
class BatchQueue
{
public:
    void push(TokenBatch batch)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_batches.push_back(std::move(batch));
        }
        m_ready.notify_one();
    }
    void finish()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_ready.notify_one();
    }
    // The next batch; false once every batch has been taken and none will come.
    bool pop(TokenBatch &batch)
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return !m_batches.empty() || m_finished; });
        if (m_batches.empty())
            return false;
        batch = std::move(m_batches.front());
        m_batches.pop_front();
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<TokenBatch> m_batches;
    bool m_finished = false;
};

void writeBatches(BatchQueue &queue, const std::function<void(const char *, size_t)> &write)
{
    DumpWriter out(write);
    AttributeNames names;
    TokenBatch batch;
    while (queue.pop(batch)) {
        for (const TokenRecord &token : batch) {
            if (token.lineEnd) {
                char *at = putNumber(out.reserve(2 * NumberRoom + 4), static_cast<unsigned>(token.line), '\t');
                at = std::copy_n("end\t", 4, at);
                out.commit(putNumber(at, token.kind, '\n'));
                continue;
            }
            const QByteArray &name = names.of(token.attribute);
            char *at = out.reserve(4 * NumberRoom + static_cast<size_t>(std::max(name.size(), AttributeNames::Block)));
            at = putNumber(at, static_cast<unsigned>(token.line), '\t');
            at = putNumber(at, static_cast<unsigned>(token.start), '\t');
            at = putNumber(at, static_cast<unsigned long long>(token.length), '\t');
            at = putNumber(at, token.kind, '\t');
            out.commit(AttributeNames::put(at, name));
        }
    }
}

} // namespace

void writeTokenDump(SynCustomHighlighter &highlighter, QStringView text,
                    const std::function<void(const char *, size_t)> &write)
{
    constexpr size_t BatchSize = 4096;
    BatchQueue queue;
    std::thread writer([&] { writeBatches(queue, write); });
    TokenBatch batch;
    batch.reserve(BatchSize);
    const auto add = [&](const TokenRecord &record) {
        batch.push_back(record);
        if (batch.size() == BatchSize) {
            queue.push(std::move(batch));
            batch = {};
            batch.reserve(BatchSize);
        }
    };
    highlighter.ClearRange();
    int i = 0;
    forEachLine(text, [&](QStringView line) {
        highlighter.BeginLine(line, i);
        for (; !highlighter.AtLineEnd(); highlighter.Advance()) {
            const qsizetype length = highlighter.TokenText().size();
            const SynHighlighterAttributes *attribute = highlighter.TokenAttri();
            if (length != 0 || attribute)
                add({i, highlighter.TokenStart(), length, static_cast<unsigned>(highlighter.TokenKindId()), attribute,
                     false});
        }
        add({i, 0, 0, highlighter.RangeState(), nullptr, true});
        ++i;
    });
    queue.push(std::move(batch));
    queue.finish();
    writer.join();
}

QByteArray tokenDump(SynCustomHighlighter &highlighter, QStringView text)
{
    QByteArray dump;
    writeTokenDump(highlighter, text, [&dump](const char *data, size_t size) { dump.append(data, qsizetype(size)); });
    return dump;
}
