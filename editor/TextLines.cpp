#include "TextLines.h"

#include "TextEncoding.h"

#include <algorithm>
#include <iterator>
#include <utility>

std::vector<QString> TextLines::SplitText(QStringView text)
{
    std::vector<QString> parts;
    forEachPart(text, [&](QStringView part, bool) { parts.push_back(part.toString()); });
    return parts;
}

void TextLines::assign(QStringView text)
{
    clear();
    if (text.isEmpty())
        return;
    // Count first so that the line array is allocated once at its final size.
    std::size_t n = 0;
    forEachLine(text, [&n](QStringView) { ++n; });
    m_lines.reserve(n);
    forEachLine(text, [this](QStringView line) { m_lines.push_back({line.toString(), 0}); });
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
