#pragma once

#include "SynCustomHighlighter.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <vector>

// The lines of a document without their line ends, each with the highlighter's range state at its
// start. Lines sit in a gap buffer, so inserting or removing lines near the last place that was
// edited does not move the rest of a large file. Lines are numbered from 1.
class TextLines
{
public:
    int count() const { return static_cast<int>(m_lines.size() - gapSize()); }
    const QString &text(int line) const { return at(line).text; }
    SynRangeState range(int line) const { return at(line).range; }
    void setRange(int line, SynRangeState range) { at(line).range = range; }
    QString &mutableText(int line) { return at(line).text; }

    // Inserts the texts as lines before line `before` (1..count()+1); their ranges are 0.
    void insert(int before, std::vector<QString> texts);
    void insertOne(int before, QString text);
    // Removes n lines from line `first` on and hands back their texts.
    std::vector<QString> remove(int first, int n);
    // Replaces every line by the lines of text (see SplitText); ranges become 0.
    void assign(QStringView text);
    void clear();

    // The parts of text between line ends (CR LF, lone CR, lone LF): always one more part than
    // there are line ends.
    static std::vector<QString> SplitText(QStringView text);

private:
    struct Entry {
        QString text;
        SynRangeState range = 0;
    };

    std::size_t gapSize() const { return m_gapEnd - m_gapStart; }
    std::size_t slot(int line) const
    {
        const auto index = static_cast<std::size_t>(line - 1);
        return index < m_gapStart ? index : index + gapSize();
    }
    const Entry &at(int line) const { return m_lines[slot(line)]; }
    Entry &at(int line) { return m_lines[slot(line)]; }
    void moveGap(std::size_t index);
    void reserveGap(std::size_t n);

    std::vector<Entry> m_lines;
    std::size_t m_gapStart = 0;
    std::size_t m_gapEnd = 0;
};
