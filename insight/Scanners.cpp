#include "Scanners.h"

#include "CharClasses.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr QStringView PhpOpen = u"<?";
constexpr QStringView PhpClose = u"?>";
constexpr QStringView ScriptOpen = u"<SCRIPT";
constexpr QStringView ScriptClose = u"</SCRIPT>";

#ifdef __SSE2__
// The sifting loops below look at eight characters at a time: a file of many megabytes goes by
// at memory speed, and only the few places that pass are looked at one by one.
__m128i eightAt(const char16_t *data)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(data));
}

// Calls visit with each place (0 to 7) that a comparison of eight characters hit, in order,
// until visit answers true; answers whether it did.
template <typename Visit>
bool visitHits(__m128i hits, Visit visit)
{
    // Each place sets two bits of the mask.
    for (unsigned mask = unsigned(_mm_movemask_epi8(hits)); mask != 0; mask &= ~(3u << std::countr_zero(mask)))
        if (visit(std::countr_zero(mask) / 2))
            return true;
    return false;
}
#endif

// Case-sensitive search. The patterns are short and the lines many: places are sifted for the
// pattern's first two characters.
qsizetype findExact(QStringView text, QStringView pattern, qsizetype from = 0)
{
    const qsizetype last = text.size() - pattern.size();
    const char16_t *data = text.utf16();
    const auto matchesAt = [&](qsizetype at) { return text.sliced(at, pattern.size()) == pattern; };
    qsizetype at = from;
#ifdef __SSE2__
    if (pattern.size() >= 2) {
        const __m128i first = _mm_set1_epi16(short(pattern[0].unicode()));
        const __m128i second = _mm_set1_epi16(short(pattern[1].unicode()));
        // The second load reaches one place further, still inside the text while at + 8 <= last.
        for (; at + 8 <= last; at += 8) {
            const __m128i hits = _mm_and_si128(_mm_cmpeq_epi16(eightAt(data + at), first),
                                               _mm_cmpeq_epi16(eightAt(data + at + 1), second));
            qsizetype found = -1;
            if (visitHits(hits, [&](int place) { return matchesAt(found = at + place); }))
                return found;
        }
    }
#endif
    for (; at <= last; ++at)
        if (data[at] == pattern[0] && matchesAt(at))
            return at;
    return -1;
}

bool containsExact(QStringView text, QStringView pattern)
{
    return findExact(text, pattern) >= 0;
}

QChar asciiUpperChar(QChar c)
{
    return QChar(char16_t(asciiUpperCase(c.unicode())));
}

QChar asciiLowerChar(QChar c)
{
    return QChar(char16_t(asciiLowerCase(c.unicode())));
}

struct LineMarks {
    bool phpOpen = false;
    bool phpClose = false;
};

bool startsWithAsciiNoCase(QStringView text, QStringView upperNeedle)
{
    if (text.size() < upperNeedle.size())
        return false;
    for (qsizetype i = 0; i < upperNeedle.size(); ++i)
        if (asciiUpperChar(text[i]) != upperNeedle[i])
            return false;
    return true;
}

// The two characters at at (the first of them already known to match).
bool pairAt(QStringView line, qsizetype at, QStringView pair)
{
    return at + 1 < line.size() && line[at + 1] == pair[1];
}

// What the variable scan looks for, in one pass over the line: the tag marks, and the places of
// every "$" in dollars. Both tag marks hold a "?", which is far rarer than "$" or "<".
LineMarks marksOf(QStringView line, std::vector<qsizetype> &dollars)
{
    LineMarks marks;
    dollars.clear();
    const char16_t *data = line.utf16();
    const qsizetype size = line.size();
    const auto question = [&](qsizetype at) {
        marks.phpOpen = marks.phpOpen || (at > 0 && data[at - 1] == PhpOpen[0]);
        marks.phpClose = marks.phpClose || (at + 1 < size && data[at + 1] == PhpClose[1]);
    };
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i dollar = _mm_set1_epi16(u'$');
    const __m128i mark = _mm_set1_epi16(u'?');
    // The eight characters at at, of which those before from were looked at already.
    const auto block = [&](qsizetype at, qsizetype from) {
        const __m128i here = eightAt(data + at);
        visitHits(_mm_cmpeq_epi16(here, dollar), [&](int place) {
            if (at + place >= from)
                dollars.push_back(at + place);
            return false;
        });
        visitHits(_mm_cmpeq_epi16(here, mark), [&](int place) {
            question(at + place);
            return false;
        });
    };
    // Most blocks hold neither, and are passed over with one test.
    for (; i + 8 <= size; i += 8) {
        const __m128i here = eightAt(data + i);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(here, dollar), _mm_cmpeq_epi16(here, mark))) != 0)
            block(i, i);
    }
    // The rest as the last eight characters.
    if (i < size && size >= 8) {
        block(size - 8, i);
        i = size;
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == u'$')
            dollars.push_back(i);
        if (data[i] == u'?')
            question(i);
    }
    return marks;
}

// Whether the declaration scan has anything to do on the line: without "<?", "<SCRIPT" or the
// keyword (both in any case) it leaves the line as it is.
bool mayDeclare(QStringView line, QStringView keyword)
{
    const auto startsHere = [&](qsizetype at) {
        return line[at] == u'<' ? pairAt(line, at, PhpOpen) || startsWithAsciiNoCase(line.sliced(at), ScriptOpen)
                                : startsWithAsciiNoCase(line.sliced(at), keyword);
    };
    const char16_t *data = line.utf16();
    const qsizetype size = line.size();
    qsizetype i = 0;
#ifdef __SSE2__
    // Places are sifted for the first two characters of what is looked for. Setting the case bit
    // folds ASCII letters (and lets a few other characters through, which the full check turns
    // away).
    if (keyword.size() >= 2) {
        const __m128i caseBit = _mm_set1_epi16(0x20);
        const __m128i first = _mm_set1_epi16(short(keyword[0].unicode() | 0x20));
        const __m128i second = _mm_set1_epi16(short(keyword[1].unicode() | 0x20));
        const __m128i open = _mm_set1_epi16(u'<');
        const __m128i question = _mm_set1_epi16(u'?');
        const __m128i s = _mm_set1_epi16(u's');
        const auto hitsAt = [&](qsizetype at) {
            const __m128i here = eightAt(data + at);
            const __m128i next = eightAt(data + at + 1);
            const __m128i nextFolded = _mm_or_si128(next, caseBit);
            const __m128i word =
                _mm_and_si128(_mm_cmpeq_epi16(_mm_or_si128(here, caseBit), first), _mm_cmpeq_epi16(nextFolded, second));
            const __m128i tag =
                _mm_and_si128(_mm_cmpeq_epi16(here, open),
                              _mm_or_si128(_mm_cmpeq_epi16(next, question), _mm_cmpeq_epi16(nextFolded, s)));
            return visitHits(_mm_or_si128(word, tag), [&](int place) { return startsHere(at + place); });
        };
        for (; i + 9 <= size; i += 8)
            if (hitsAt(i))
                return true;
        // The rest as the last nine characters (places looked at twice give the same answer); the
        // very last place starts nothing, as every mark is two characters or more.
        if (i < size && size >= 9)
            return hitsAt(size - 9);
    }
#endif
    for (; i < size; ++i)
        if ((data[i] == u'<' || asciiUpperChar(QChar(data[i])) == keyword[0]) && startsHere(i))
            return true;
    return false;
}

bool containsAsciiNoCase(QStringView text, QStringView upperNeedle)
{
    return indexOfAsciiNoCase(text, upperNeedle) >= 0;
}

// From the "$" at dollar, the name as far as IsVariableChar reaches: name characters, and "->"
// as a pair.
QStringView variableNameAt(QStringView text, qsizetype dollar)
{
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = dollar + 1;
    while (i < size) {
        if (isNameChar(data[i]))
            ++i;
        else if (data[i] == u'-' && i + 1 < size && data[i + 1] == u'>')
            i += 2;
        else
            break;
    }
    return text.sliced(dollar + 1, i - dollar - 1);
}

// Every occurrence of pattern at or after from taken out of text, left to right without
// overlap, in place.
void removeAll(QString &text, QStringView pattern, qsizetype from)
{
    qsizetype found = findExact(text, pattern, from);
    if (found < 0)
        return;
    QChar *data = text.data();
    qsizetype written = found;
    qsizetype read = found;
    while (found >= 0) {
        std::copy(data + read, data + found, data + written);
        written += found - read;
        read = found + pattern.size();
        found = findExact(text, pattern, read);
    }
    std::copy(data + read, data + text.size(), data + written);
    text.truncate(written + text.size() - read);
}

// The name after the first keyword of upper: the character after the keyword is skipped, and
// the name runs to the next "{" or "(" or the line's end.
QString declaredName(QStringView upper, QStringView keyword)
{
    const qsizetype start = upper.indexOf(keyword) + keyword.size() + 1;
    qsizetype end = start;
    while (end < upper.size() && upper[end] != u'{' && upper[end] != u'(')
        ++end;
    if (end <= start)
        return {};
    return trimmedBlanks(upper.mid(start, end - start)).toString();
}

// The entries one declaration line gives: at most one in practice, from its first keyword.
void scanDeclarationLine(const QString &line, QStringView keyword, ScanResults &results)
{
    // An "=" left after the keywords and blanks are taken out: an assignment, or a declaration
    // with default parameter values. Neither holds an "=", so any "=" of the line counts.
    if (line.contains(u'='))
        return;
    QString upper = asciiUpper(line);
    while (containsExact(upper, keyword)) {
        const QString name = declaredName(upper, keyword);
        // Looked up in the line itself: after a first pass upper has lost its keywords. A name made
        // of text the removal joined occurs nowhere in the line and stays as found.
        const qsizetype at = indexOfAsciiNoCase(line, name);
        results.append(name.isEmpty() || at < 0 ? name : line.mid(at, name.size()));
        upper = ReplaceAll(upper, keyword, {});
    }
}

// What the declaration scan makes of one line, before it knows whether the line is inside PHP
// or a SCRIPT element: the work that needs nothing of the lines before it.
struct PreparedLine {
    QString text; // the line without its opening tag marks
    bool phpOpen = false;
    bool scriptOpen = false;
    bool keyword = false;
    ScanResults names; // what the line declares, if it lies inside a region
};

PreparedLine prepareDeclarationLine(QStringView line, QStringView keyword)
{
    PreparedLine prepared;
    prepared.text = line.toString();
    if (containsExact(prepared.text, PhpOpen)) {
        prepared.phpOpen = true;
        prepared.text = ReplaceAll(prepared.text, PhpOpen, {});
    }
    if (containsAsciiNoCase(prepared.text, ScriptOpen)) {
        prepared.scriptOpen = true;
        // Case-sensitive: a tag written in lower case stays in the text.
        prepared.text = ReplaceAll(prepared.text, ScriptOpen, {});
    }
    prepared.keyword = containsAsciiNoCase(prepared.text, keyword);
    if (prepared.keyword)
        scanDeclarationLine(prepared.text, keyword, prepared.names);
    return prepared;
}

struct DeclarationScan {
    QString keyword; // upper-cased
    ScanResults results;
    bool inPhp = false;
    bool inScript = false;

    // One prepared line, in order: its names count inside a region, and on such a line the
    // closing marks end the region and are removed from the text.
    void scan(PreparedLine &line)
    {
        inPhp = inPhp || line.phpOpen;
        inScript = inScript || line.scriptOpen;
        if ((!inPhp && !inScript) || !line.keyword)
            return;
        results += line.names;
        if (inPhp && containsExact(line.text, PhpClose)) {
            line.text = ReplaceAll(line.text, PhpClose, {});
            inPhp = false;
        }
        if (inScript && containsAsciiNoCase(line.text, ScriptClose)) {
            inScript = false;
            line.text = ReplaceAll(line.text, ScriptClose, {});
        }
    }
    // The same for a line that has not been prepared; its tag marks are removed as they are passed.
    void scan(QString &line)
    {
        PreparedLine prepared = prepareDeclarationLine(line, keyword);
        scan(prepared);
        line = std::move(prepared.text);
    }
};

// The variables of a line inside PHP, in order, each met name given to record once per place.
// Each "$" gives the name that follows it, and every later "$" + that name of the line is taken
// out with it (which also takes longer names that begin with it, and may join text into new
// names); a lone "$" takes every "$" after it. dollars holds the places of the line's "$", and is
// used up.
template <typename Record>
void lineVariables(QStringView line, std::vector<qsizetype> &dollars, QString &rest, QString &pattern, Record record)
{
    // What is left of the line: the line itself until a removal changes it, then rest. Nothing
    // before a "$" changes when names after it are taken away.
    QStringView text = line;
    for (std::size_t k = 0; k < dollars.size();) {
        const qsizetype dollar = dollars[k];
        const QStringView name = variableNameAt(text, dollar);
        if (name.isEmpty())
            return;
        record(name);
        const QStringView here = text.sliced(dollar, name.size() + 1);
        // Names hold no "$": a later "$" + the name starts at one of the later places.
        const bool again = std::any_of(dollars.begin() + k + 1, dollars.end(), [&](qsizetype at) {
            return at + here.size() <= text.size() && std::equal(here.begin(), here.end(), text.begin() + at);
        });
        if (!again) {
            // Taking out this one place is passing over it.
            ++k;
            continue;
        }
        // A copy: the removal overwrites the place the pattern stands.
        pattern = here.toString();
        if (text.data() != rest.constData()) {
            rest.resize(0);
            rest += text;
        }
        removeAll(rest, pattern, dollar);
        text = rest;
        dollars.clear();
        for (qsizetype at = text.indexOf(u'$', dollar); at >= 0; at = text.indexOf(u'$', at + 1))
            dollars.push_back(at);
        k = 0;
    }
}

// The name case-folded, in key when it needs changing. Names are mostly ASCII, and folding ASCII
// is lowering its letters.
QStringView caseFolded(QStringView name, QString &key)
{
    const auto needsFolding = [](QChar c) { return c.unicode() >= 0x80 || (c >= u'A' && c <= u'Z'); };
    if (std::none_of(name.begin(), name.end(), needsFolding))
        return name;
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x80; })) {
        key = name.toString().toCaseFolded();
        return key;
    }
    key.resize(name.size());
    std::transform(name.begin(), name.end(), key.begin(), asciiLowerChar);
    return key;
}

// The distinct spellings of names in the order they are first met. Names are met millions of
// times and are mostly ones already seen: they are looked up in a flat table by a cheap hash, and
// kept one after another in a single string.
class Spellings
{
public:
    // Whether the name is new.
    bool add(QStringView name)
    {
        const std::uint64_t hash = hashOf(name);
        const std::uint32_t tag = std::uint32_t(hash >> 32);
        std::size_t slot = hash & (m_slots.size() - 1);
        for (; m_slots[slot].index != Empty; slot = (slot + 1) & (m_slots.size() - 1))
            if (m_slots[slot].tag == tag && equal(m_spellings[m_slots[slot].index], name))
                return false;
        m_slots[slot] = {tag, std::uint32_t(m_spellings.size())};
        m_spellings.push_back({hash, m_text.size(), name.size()});
        m_text += name;
        if (m_spellings.size() * 2 > m_slots.size())
            grow();
        return true;
    }
    qsizetype size() const { return qsizetype(m_spellings.size()); }
    QStringView at(qsizetype index) const
    {
        const Spelling &spelling = m_spellings[std::size_t(index)];
        return QStringView(m_text).sliced(spelling.start, spelling.size);
    }

private:
    struct Spelling {
        std::uint64_t hash;
        qsizetype start;
        qsizetype size;
    };
    // The hash's high half is kept with the index, so that other names are mostly passed over
    // without a look at their text.
    struct Slot {
        std::uint32_t tag;
        std::uint32_t index;
    };
    static constexpr std::uint32_t Empty = ~std::uint32_t(0);

    // Eight bytes at a time: names are short, and most take one or two steps.
    static std::uint64_t hashOf(QStringView name)
    {
        constexpr std::uint64_t Odd = 0x9e3779b97f4a7c15;
        const auto *bytes = reinterpret_cast<const char *>(name.utf16());
        std::size_t left = std::size_t(name.size()) * sizeof(char16_t);
        std::uint64_t hash = left;
        const auto mix = [&hash](std::uint64_t word) { hash = std::rotl((hash ^ word) * Odd, 29); };
        for (; left >= 8; left -= 8, bytes += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes, 8);
            mix(word);
        }
        if (left > 0) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes, left);
            mix(word);
        }
        hash ^= hash >> 33;
        hash *= 0xff51afd7ed558ccd;
        return hash ^ (hash >> 33);
    }
    bool equal(const Spelling &spelling, QStringView name) const
    {
        return spelling.size == name.size()
            && std::memcmp(m_text.constData() + spelling.start, name.utf16(), std::size_t(name.size()) * 2) == 0;
    }
    void grow()
    {
        m_slots.assign(m_slots.size() * 2, {0, Empty});
        for (std::size_t index = 0; index < m_spellings.size(); ++index) {
            const std::uint64_t hash = m_spellings[index].hash;
            std::size_t slot = hash & (m_slots.size() - 1);
            while (m_slots[slot].index != Empty)
                slot = (slot + 1) & (m_slots.size() - 1);
            m_slots[slot] = {std::uint32_t(hash >> 32), std::uint32_t(index)};
        }
    }

    std::vector<Spelling> m_spellings;
    std::vector<Slot> m_slots = std::vector<Slot>(1024, {0, Empty});
    QString m_text;
};

// What the variable scan finds in a run of lines. Whether the run starts inside PHP depends on
// how the lines before it end; until the first line that settles it (a "<?", or a "?>" on a line
// with a "$"), the run's lines are read as inside PHP and their names kept apart.
struct VariablesOfRun {
    Spellings ifInPhp; // the names of the unsettled first lines, read as inside PHP
    Spellings names; // the names of the lines after them
    bool endsInPhp = false;
};

template <typename Lines>
VariablesOfRun variablesOfRun(const Lines &lines, qsizetype first, qsizetype last, bool settled)
{
    VariablesOfRun run;
    QString rest;
    QString pattern;
    std::vector<qsizetype> dollars;
    bool inPhp = false;
    for (qsizetype i = first; i < last; ++i) {
        const QStringView line = lines[i];
        const LineMarks marks = marksOf(line, dollars);
        settled = settled || marks.phpOpen;
        inPhp = inPhp || marks.phpOpen;
        // A "?>" on a line without "$" leaves the flag on.
        if (dollars.empty())
            continue;
        // Outside PHP the line gives nothing: its removals only touch the line itself.
        if (!settled)
            lineVariables(line, dollars, rest, pattern, [&](QStringView name) { run.ifInPhp.add(name); });
        else if (inPhp)
            lineVariables(line, dollars, rest, pattern, [&](QStringView name) { run.names.add(name); });
        if (marks.phpClose) {
            settled = true;
            inPhp = false;
        }
    }
    run.endsInPhp = inPhp;
    return run;
}

// Runs scan(half, first, last) for the lines [0, count / 2) and [count / 2, count) at once, one
// half on each core; a text too small to be worth a second thread is one half, run here.
template <typename Scan>
void inTwoHalves(qsizetype count, Scan scan)
{
    constexpr qsizetype WorthASecondThread = 50'000;
    if (count < WorthASecondThread) {
        scan(0, 0, count);
        return;
    }
    std::thread second([&] { scan(1, count / 2, count); });
    scan(0, 0, count / 2);
    second.join();
}

template <typename Lines>
ScanResults scanVariables(const Lines &lines)
{
    // The second half's unsettled first lines count when the first half ends inside PHP.
    VariablesOfRun halves[2];
    inTwoHalves(lines.size(), [&](int half, qsizetype first, qsizetype last) {
        halves[half] = variablesOfRun(lines, first, last, half == 0);
    });
    // The first spelling of each name compared without regard to case, in the order met.
    ScanResults results;
    Spellings folded;
    QString key;
    const auto addAll = [&](const Spellings &names) {
        for (qsizetype i = 0; i < names.size(); ++i)
            if (const QStringView spelling = names.at(i); folded.add(caseFolded(spelling, key)))
                results.append(spelling.toString());
    };
    addAll(halves[0].names);
    if (halves[0].endsInPhp)
        addAll(halves[1].ifInPhp);
    addAll(halves[1].names);
    return results;
}

template <typename Lines>
ScanResults declaredNames(const Lines &lines, QStringView keyword, ChangedLines *changed)
{
    DeclarationScan scan{asciiUpper(keyword), {}};
    // Sifting and preparing the lines is the work, and needs nothing of other lines: both halves
    // are done at once, and the few lines that pass are then scanned in order.
    std::vector<std::pair<qsizetype, PreparedLine>> passed[2];
    inTwoHalves(lines.size(), [&](int half, qsizetype first, qsizetype last) {
        for (qsizetype i = first; i < last; ++i)
            if (mayDeclare(lines[i], scan.keyword))
                passed[half].emplace_back(i, prepareDeclarationLine(lines[i], scan.keyword));
    });
    for (auto &half : passed) {
        for (auto &[i, line] : half) {
            scan.scan(line);
            if (changed && line.text != lines[i])
                changed->insert(i, line.text);
        }
    }
    return scan.results;
}

} // namespace

QString ReplaceAll(const QString &text, QStringView pattern, QStringView replacement)
{
    if (text.isEmpty() || pattern.isEmpty())
        return text;
    qsizetype found = findExact(text, pattern);
    if (found < 0)
        return text;
    QString replaced;
    replaced.reserve(text.size());
    qsizetype from = 0;
    do {
        replaced += QStringView(text).mid(from, found - from);
        replaced += replacement;
        from = found + pattern.size();
        found = findExact(text, pattern, from);
    } while (found >= 0);
    replaced += QStringView(text).mid(from);
    return replaced;
}

ScanResults ScanVariables(const QStringList &lines)
{
    return scanVariables(lines);
}

ScanResults ScanVariables(const QList<QStringView> &lines)
{
    return scanVariables(lines);
}

ScanResults ScanVariables(const LineSource &lines)
{
    return scanVariables(lines);
}

ScanResults ScanDeclarations(QStringList &lines, QStringView keyword)
{
    DeclarationScan scan{asciiUpper(keyword), {}};
    for (QString &line : lines)
        if (mayDeclare(line, scan.keyword))
            scan.scan(line);
    return scan.results;
}

ScanResults DeclaredNames(const QList<QStringView> &lines, QStringView keyword, ChangedLines *changed)
{
    return declaredNames(lines, keyword, changed);
}

ScanResults DeclaredNames(const LineSource &lines, QStringView keyword)
{
    return declaredNames(lines, keyword, nullptr);
}

ScanResults sortedWithoutCase(ScanResults names)
{
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QStringView trimmedBlanks(QStringView text)
{
    const auto blank = [](QChar c) { return c.unicode() <= u' '; };
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

QString asciiUpper(QStringView text)
{
    QString upper(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        upper[i] = asciiUpperChar(text[i]);
    return upper;
}

qsizetype indexOfAsciiNoCase(QStringView text, QStringView upperNeedle, qsizetype from)
{
    if (upperNeedle.isEmpty())
        return -1;
    const QChar first = upperNeedle.front();
    const QChar lower = asciiLowerChar(first);
    const bool letter = lower != first;
    const qsizetype last = text.size() - upperNeedle.size();
    // The candidates are found with the library's fast character search, once per case.
    qsizetype upperAt = text.indexOf(first, from);
    qsizetype lowerAt = letter ? text.indexOf(lower, from) : -1;
    for (;;) {
        const qsizetype at = upperAt < 0 ? lowerAt : lowerAt < 0 ? upperAt : std::min(upperAt, lowerAt);
        if (at < 0 || at > last)
            return -1;
        if (startsWithAsciiNoCase(text.sliced(at), upperNeedle))
            return at;
        if (at == upperAt)
            upperAt = text.indexOf(first, at + 1);
        else
            lowerAt = text.indexOf(lower, at + 1);
    }
}
