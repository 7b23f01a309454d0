#include "SynEditSearch.h"

#include "SynCustomHighlighter.h"

namespace {

// The first 256 characters through the case setting: identity, or each one's lower-case form.
struct TranslateTable {
    std::array<char16_t, 256> folded{};
    std::array<char16_t, 256> same{};
    TranslateTable()
    {
        for (int c = 0; c < 256; ++c) {
            same[c] = char16_t(c);
            folded[c] = QChar(c).toLower().unicode();
        }
    }
};

const TranslateTable &translateTable()
{
    static const TranslateTable table;
    return table;
}

} // namespace

TSynEditSearch::TSynEditSearch() : m_translate(&translateTable().folded) { }

void TSynEditSearch::SetPattern(const QString &pattern)
{
    if (pattern != m_pattern)
        m_tableValid = false;
    m_pattern = pattern;
    m_count = 0;
}

void TSynEditSearch::SetSensitive(bool sensitive)
{
    if (sensitive != m_sensitive)
        m_tableValid = false;
    m_sensitive = sensitive;
    m_translate = sensitive ? &translateTable().same : &translateTable().folded;
}

char16_t TSynEditSearch::translateWide(QChar c) const
{
    return m_sensitive ? c.unicode() : c.toCaseFolded().unicode();
}

int TSynEditSearch::shiftOf(char16_t translated) const
{
    if (translated < 256)
        return m_shift[translated];
    return m_wideShift.value(translated, int(m_pattern.size()) + 1);
}

// Letters, digits and "_" make words; everything else parts them.
bool TSynEditSearch::isDelimiter(QChar c)
{
    return !(c.isLetterOrNumber() || c == u'_');
}

void TSynEditSearch::buildShiftTable()
{
    const int m = int(m_pattern.size());
    m_translatedPattern.resize(m);
    for (int i = 0; i < m; ++i)
        m_translatedPattern[i] = QChar(translate(m_pattern[i]));
    m_shift.fill(m + 1);
    m_wideShift.clear();
    // Later positions overwrite earlier ones: a character's entry reflects its last occurrence.
    for (int i = 0; i < m; ++i) {
        const char16_t c = m_translatedPattern[i].unicode();
        if (c < 256)
            m_shift[c] = m - i;
        else
            m_wideShift[c] = m - i;
    }
    const QChar last = m_translatedPattern[m - 1];
    m_lookAt = m;
    for (int k = 1; k < m; ++k)
        if (m_translatedPattern[m - 1 - k] == last) {
            m_lookAt = k;
            break;
        }
    m_tableValid = m_lookAt == m;
    m_builtPattern = m_pattern;
    m_builtSensitive = m_sensitive;
}

int TSynEditSearch::FindAllInLine(QStringView line)
{
    m_results.clear();
    for (int column = FindFirstMatch(line); column > 0; column = FindNextMatch())
        m_results.append(column);
    return int(m_results.size());
}

int TSynEditSearch::FindFirstMatch(QStringView text)
{
    if (m_pattern.isEmpty()) {
        SynRaiseError(QStringLiteral("Pattern is empty"));
        return 0;
    }
    // A table the rule calls stale would come out the same unless the pattern or the case
    // setting changed since it was built, so only then is it built again.
    if (!m_tableValid && (m_builtPattern != m_pattern || m_builtSensitive != m_sensitive))
        buildShiftTable();
    m_text = text;
    if (text.size() < m_pattern.size())
        return 0;
    m_run = -1;
    return FindNextMatch();
}

int TSynEditSearch::FindNextMatch()
{
    const qsizetype m = m_pattern.size();
    const qsizetype n = m_text.size();
    const QChar last = m_translatedPattern[m - 1];
    // The character just past the end of the text counts as code 0.
    const auto after = [&](qsizetype r) { return r + 1 < n ? translate(m_text[r + 1]) : char16_t(0); };
    m_run += m;
    while (m_run < n) {
        if (translate(m_text[m_run]) != last) {
            m_run += shiftOf(after(m_run));
            continue;
        }
        const qsizetype start = m_run - m + 1;
        bool match = true;
        for (qsizetype i = 0; i < m - 1 && match; ++i)
            match = translate(m_text[start + i]) == m_translatedPattern[i];
        if (match && m_whole)
            match =
                (start == 0 || isDelimiter(m_text[start - 1])) && (m_run + 1 == n || isDelimiter(m_text[m_run + 1]));
        if (match) {
            ++m_count;
            return int(start + 1);
        }
        m_run += m_lookAt;
        if (m_run >= n)
            break;
        m_run += shiftOf(translate(m_text[m_run])) - 1;
    }
    return 0;
}

void TSynEditSearch::ShiftResults(int first, int delta)
{
    for (qsizetype i = m_results.size() - 1; i >= 0 && m_results[i] > first; --i)
        m_results[i] -= delta;
}
