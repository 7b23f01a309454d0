#include "TextLines.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

bool IsLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// Calls part(begin, end) for every stretch between line ends; answers how many there were.
template<typename Part>
std::size_t ForEachPart(QStringView text, Part part)
{
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    std::size_t parts = 0;
    for (;;) {
        const char16_t *stop = std::find_if(p, end, IsLineEnd);
        part(p, stop);
        ++parts;
        if (stop == end)
            return parts;
        p = stop + 1;
        if (*stop == u'\r' && p != end && *p == u'\n')
            ++p;
    }
}

QString MakeLine(const char16_t *begin, const char16_t *end)
{
    return QString(reinterpret_cast<const QChar *>(begin), end - begin);
}

} // namespace

std::vector<QString> TextLines::SplitText(QStringView text)
{
    std::vector<QString> parts;
    ForEachPart(text, [&](const char16_t *b, const char16_t *e) { parts.push_back(MakeLine(b, e)); });
    return parts;
}

void TextLines::assign(QStringView text)
{
    clear();
    if (text.isEmpty())
        return;
    // Count first so that the line array is allocated once at its final size.
    std::size_t n = ForEachPart(text, [](const char16_t *, const char16_t *) {});
    if (IsLineEnd(text.back().unicode()))
        --n;  // a final line end adds no empty line
    m_lines.reserve(n);
    ForEachPart(text, [&](const char16_t *b, const char16_t *e) {
        if (m_lines.size() < n)
            m_lines.push_back({MakeLine(b, e), 0});
    });
    m_gapStart = m_gapEnd = m_lines.size();
}

void TextLines::clear()
{
    std::vector<Entry>().swap(m_lines);
    m_gapStart = m_gapEnd = 0;
}

void TextLines::moveGap(std::size_t index)
{
    if (index < m_gapStart) {
        std::move_backward(m_lines.begin() + index, m_lines.begin() + m_gapStart, m_lines.begin() + m_gapEnd);
        m_gapEnd -= m_gapStart - index;
    } else if (index > m_gapStart) {
        const std::size_t n = index - m_gapStart;
        std::move(m_lines.begin() + m_gapEnd, m_lines.begin() + m_gapEnd + n, m_lines.begin() + m_gapStart);
        m_gapEnd += n;
    }
    m_gapStart = index;
}

void TextLines::reserveGap(std::size_t n)
{
    if (gapSize() >= n)
        return;
    // A gap of a sixteenth of the text keeps regrowing rare without doubling the memory.
    const std::size_t used = static_cast<std::size_t>(count());
    const std::size_t gap = std::max({n, used / 16, std::size_t(64)});
    std::vector<Entry> grown(used + gap);
    std::move(m_lines.begin(), m_lines.begin() + m_gapStart, grown.begin());
    std::move(m_lines.begin() + m_gapEnd, m_lines.end(), grown.begin() + m_gapStart + gap);
    m_lines.swap(grown);
    m_gapEnd = m_gapStart + gap;
}

void TextLines::insert(int before, std::vector<QString> texts)
{
    reserveGap(texts.size());
    moveGap(static_cast<std::size_t>(before - 1));
    for (QString &t : texts)
        m_lines[m_gapStart++] = {std::move(t), 0};
}

void TextLines::insertOne(int before, QString text)
{
    std::vector<QString> one;
    one.push_back(std::move(text));
    insert(before, std::move(one));
}

std::vector<QString> TextLines::remove(int first, int n)
{
    moveGap(static_cast<std::size_t>(first - 1));
    std::vector<QString> removed;
    removed.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        removed.push_back(std::exchange(m_lines[m_gapEnd++].text, QString()));
    return removed;
}
