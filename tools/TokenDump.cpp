#include "TokenDump.h"

#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <span>
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

// A growing buffer the dump is put together in. A record is written in place: reserve room for
// it, write, then commit what was written.
class DumpBuffer
{
public:
    char *reserve(size_t size)
    {
        if (m_used + size > m_capacity)
            grow(m_used + size);
        return m_bytes.get() + m_used;
    }
    void commit(const char *end) { m_used = static_cast<size_t>(end - m_bytes.get()); }
    const char *data() const { return m_bytes.get(); }
    size_t size() const { return m_used; }
    void clear() { m_used = 0; }

private:
    void grow(size_t needed)
    {
        // Not a vector: its growth would first fill the new room with zeros.
        const size_t capacity = std::max(needed, 2 * m_capacity);
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_used > 0)
            std::memcpy(bytes.get(), m_bytes.get(), m_used);
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_bytes;
    size_t m_capacity = 0;
    size_t m_used = 0;
};

constexpr size_t NumberRoom = 21; // a 64-bit number and its separator

// Every number of the dump is at least 0; writing two digits at a time, straight into place,
// beats the general conversion by a wide margin on a dump of millions of numbers, most of them
// below 100 (columns, lengths, kinds).
inline char *putNumber(char *at, unsigned long long value, char after)
{
    static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    if (value < 10) {
        at[0] = static_cast<char>('0' + value);
        at[1] = after;
        return at + 2;
    }
    if (value < 100) {
        std::memcpy(at, Pairs + 2 * value, 2);
        at[2] = after;
        return at + 3;
    }
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

// A run of whole lines' records, with each line and the state after it. Kept for the next chunk
// once written: fresh memory costs a page fault every few records.
struct ChunkRecords {
    DumpBuffer dump;
    std::vector<QStringView> lines;
    std::vector<size_t> lineEnds; // where each line's records end in dump
    std::vector<SynRangeState> rangesAfter;

    void clear()
    {
        dump.clear();
        lines.clear();
        lineEnds.clear();
        rangesAfter.clear();
    }
};

// A run of whole lines scanned as one piece of work, from the state its scan started in.
struct Chunk {
    QStringView text; // the lines and their line ends
    int firstLine = 0;
    SynRangeState start = 0;
    ChunkRecords records;
    bool scanned = false;
};

// The runs of whole lines of about chunkChars characters each.
std::vector<Chunk> chunksOf(QStringView text, qsizetype chunkChars)
{
    std::vector<Chunk> chunks;
    int index = 0;
    forEachLine(text, [&](QStringView line) {
        if (chunks.empty() || line.begin() - chunks.back().text.begin() >= chunkChars) {
            if (!chunks.empty())
                chunks.back().text = QStringView(chunks.back().text.begin(), line.begin());
            Chunk &chunk = chunks.emplace_back();
            chunk.text = QStringView(line.begin(), text.end());
            chunk.firstLine = index;
        }
        ++index;
    });
    return chunks;
}

// One thread's highlighter and what it writes with.
class LineFormatter
{
public:
    explicit LineFormatter(SynCustomHighlighter &highlighter) : m_highlighter(highlighter) { }

    SynRangeState initialRange()
    {
        m_highlighter.ClearRange();
        return m_highlighter.RangeState();
    }
    void restoreRange(SynRangeState range) { m_highlighter.RestoreRange(range); }

    // Writes the records of the line and answers the state after it.
    SynRangeState format(QStringView line, int index, DumpBuffer &out)
    {
        SynCustomHighlighter &h = m_highlighter;
        // Every record of the line starts with its number: made once, copied as one block.
        char lineNumber[32];
        static_assert(sizeof lineNumber >= NumberRoom);
        const size_t lineNumberSize =
            static_cast<size_t>(putNumber(lineNumber, static_cast<unsigned>(index), '\t') - lineNumber);
        h.BeginLine(line, index);
        for (; !h.AtLineEnd(); h.Advance()) {
            const qsizetype length = h.TokenText().size();
            const SynHighlighterAttributes *attribute = h.TokenAttri();
            if (length == 0 && !attribute)
                continue;
            const QByteArray &name = m_names.of(attribute);
            char *at = out.reserve(sizeof lineNumber + 3 * NumberRoom
                                   + static_cast<size_t>(std::max(name.size(), AttributeNames::Block)));
            std::memcpy(at, lineNumber, sizeof lineNumber);
            at += lineNumberSize;
            at = putNumber(at, static_cast<unsigned>(h.TokenStart()), '\t');
            at = putNumber(at, static_cast<unsigned long long>(length), '\t');
            at = putNumber(at, static_cast<unsigned>(h.TokenKindId()), '\t');
            out.commit(AttributeNames::put(at, name));
        }
        const SynRangeState after = h.RangeState();
        char *at = out.reserve(sizeof lineNumber + 4 + NumberRoom);
        std::memcpy(at, lineNumber, sizeof lineNumber);
        at = std::copy_n("end\t", 4, at + lineNumberSize);
        out.commit(putNumber(at, after, '\n'));
        return after;
    }

    void scan(Chunk &chunk)
    {
        ChunkRecords &records = chunk.records;
        restoreRange(chunk.start);
        int index = chunk.firstLine;
        forEachLine(chunk.text, [&](QStringView line) {
            records.lines.push_back(line);
            records.rangesAfter.push_back(format(line, index++, records.dump));
            records.lineEnds.push_back(records.dump.size());
        });
    }

private:
    SynCustomHighlighter &m_highlighter;
    AttributeNames m_names;
};

} // namespace

// The lines are cut into chunks that several threads, each with a highlighter of its own, scan at
// once; the calling thread writes them in order. A chunk whose line before it is not yet scanned
// is scanned from the initial state, a guess that holds for most lines of most languages. Where
// it fails, the writing thread scans the chunk's lines again from the true state until a line
// ends in the state the guess reached there too: from that line on the two scans agree.
class TokenDumper::Chunks
{
public:
    explicit Chunks(SynCustomHighlighter &writer) : m_writer(writer), m_initialRange(m_writer.initialRange()) { }

    // Until stop(): scans the chunks of each text as they come.
    void help(SynCustomHighlighter &highlighter)
    {
        LineFormatter formatter(highlighter);
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stopping || canTake(); });
            if (m_stopping)
                return;
            scanNext(formatter, lock);
            m_changed.notify_all();
        }
    }

    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
    }

    void write(QStringView text, const DumpWrite &write, qsizetype chunkChars)
    {
        std::vector<Chunk> chunks = chunksOf(text, chunkChars);
        std::unique_lock lock(m_mutex);
        m_chunks = std::move(chunks);
        m_next = m_written = 0;
        m_trueRange = m_initialRange;
        m_changed.notify_all();
        while (m_written < m_chunks.size()) {
            Chunk &next = m_chunks[m_written];
            if (next.scanned) {
                const SynRangeState trueRange = m_trueRange;
                lock.unlock();
                const SynRangeState after = writeChunk(next, trueRange, write);
                lock.lock();
                m_trueRange = after;
                next.records.clear();
                m_spare.push_back(std::move(next.records));
                ++m_written;
                m_changed.notify_all();
            } else if (canTake()) {
                scanNext(m_writer, lock);
            } else {
                m_changed.wait(lock);
            }
        }
        m_chunks.clear();
    }

private:
    // How far ahead of the writing the scans may run, which bounds the memory held.
    static constexpr size_t Window = 8;

    bool canTake() const { return m_next < m_chunks.size() && m_next < m_written + Window; }

    // The next chunk to scan, with the state to start in and records to fill.
    Chunk &take()
    {
        Chunk &chunk = m_chunks[m_next];
        chunk.start = m_next == m_written ? m_trueRange : m_initialRange;
        if (!m_spare.empty()) {
            chunk.records = std::move(m_spare.back());
            m_spare.pop_back();
        }
        ++m_next;
        return chunk;
    }

    // Takes the next chunk and scans it with the lock let go meanwhile.
    void scanNext(LineFormatter &formatter, std::unique_lock<std::mutex> &lock)
    {
        Chunk &chunk = take();
        lock.unlock();
        formatter.scan(chunk);
        lock.lock();
        chunk.scanned = true;
    }

    // Writes the chunk as it is when it was scanned from the true state; otherwise its lines are
    // scanned again until the two scans agree. Answers the state after the chunk.
    SynRangeState writeChunk(const Chunk &chunk, SynRangeState trueRange, const DumpWrite &write)
    {
        const ChunkRecords &records = chunk.records;
        if (chunk.start == trueRange) {
            write(records.dump.data(), records.dump.size());
            return records.rangesAfter.back();
        }
        m_rescanned.clear();
        m_writer.restoreRange(trueRange);
        SynRangeState range = trueRange;
        for (size_t i = 0; i < records.rangesAfter.size(); ++i) {
            range = m_writer.format(records.lines[i], chunk.firstLine + static_cast<int>(i), m_rescanned);
            if (range == records.rangesAfter[i]) {
                write(m_rescanned.data(), m_rescanned.size());
                const size_t from = records.lineEnds[i];
                write(records.dump.data() + from, records.dump.size() - from);
                return records.rangesAfter.back();
            }
        }
        write(m_rescanned.data(), m_rescanned.size());
        return range;
    }

    LineFormatter m_writer;
    const SynRangeState m_initialRange;
    DumpBuffer m_rescanned;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Chunk> m_chunks;
    size_t m_next = 0; // the next chunk to scan
    size_t m_written = 0; // the chunks written
    SynRangeState m_trueRange = 0; // the state after the chunks written
    std::vector<ChunkRecords> m_spare;
    bool m_stopping = false;
};

TokenDumper::TokenDumper(std::span<SynCustomHighlighter *const> highlighters)
    : m_chunks(std::make_unique<Chunks>(*highlighters.front()))
{
    for (SynCustomHighlighter *highlighter : highlighters.subspan(1))
        m_helpers.emplace_back([this, highlighter] { m_chunks->help(*highlighter); });
}

TokenDumper::~TokenDumper()
{
    m_chunks->stop();
    m_helpers.clear(); // joins them before the chunks go
}

void TokenDumper::write(QStringView text, const DumpWrite &write, qsizetype chunkChars)
{
    m_chunks->write(text, write, chunkChars);
}

QByteArray tokenDump(std::span<SynCustomHighlighter *const> highlighters, QStringView text, qsizetype chunkChars)
{
    QByteArray dump;
    TokenDumper(highlighters)
        .write(
            text, [&dump](const char *data, size_t size) { dump.append(data, qsizetype(size)); }, chunkChars);
    return dump;
}

QByteArray tokenDump(SynCustomHighlighter &highlighter, QStringView text)
{
    SynCustomHighlighter *const one[] = {&highlighter};
    return tokenDump(one, text);
}
