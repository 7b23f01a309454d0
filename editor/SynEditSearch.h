#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>

// The editor's search engine: finds a pattern in one line at a time with a shift table, so a
// step can skip up to the pattern's length + 1 characters. Matches in a line never overlap.
// Columns are 1-based. The tables cover the first 256 characters; characters beyond them are
// folded and tested by the library's Unicode rules, which give the same results for 8-bit text.
class TSynEditSearch
{
public:
    TSynEditSearch();

    QString Pattern() const { return m_pattern; }
    // Also resets the running count.
    void SetPattern(const QString &pattern);
    bool Sensitive() const { return m_sensitive; }
    void SetSensitive(bool sensitive);
    bool Whole() const { return m_whole; }
    void SetWhole(bool whole) { m_whole = whole; }

    // Every match of the line, in order; answers how many.
    int FindAllInLine(QStringView line);
    // The column of the first match in text, or 0. An empty pattern reports "Pattern is empty".
    int FindFirstMatch(QStringView text);
    // The column of the next match after the last one, or 0.
    int FindNextMatch();
    // Walking the results from the last towards the first, subtracts delta from each one greater
    // than first, and stops at the first that is not.
    void ShiftResults(int first, int delta);

    int ResultCount() const { return int(m_results.size()); }
    // Result index (from 0), or 0 out of range.
    int Result(int index) const { return m_results.value(index); }
    // Matches found since the pattern was last set.
    int Count() const { return m_count; }
    // Whether the shift table is known to fit the pattern: it is built again before each first
    // match when the pattern's last character occurs earlier in it too.
    bool ShiftTableValid() const { return m_tableValid; }

private:
    // Identity when matching case, else the character's lower-case form.
    char16_t translate(QChar c) const
    {
        const char16_t u = c.unicode();
        return u < 256 ? (*m_translate)[u] : translateWide(c);
    }
    char16_t translateWide(QChar c) const;
    int shiftOf(char16_t translated) const;
    static bool isDelimiter(QChar c);
    void buildShiftTable();

    QString m_pattern;
    QString m_translatedPattern;
    bool m_sensitive = false;
    bool m_whole = false;
    const std::array<char16_t, 256> *m_translate;
    std::array<int, 256> m_shift{};
    QHash<char16_t, int> m_wideShift; // pattern characters beyond the table
    int m_lookAt = 0;
    bool m_tableValid = false;
    QString m_builtPattern; // what the table was last built for
    bool m_builtSensitive = false;
    QList<int> m_results;
    int m_count = 0;
    QStringView m_text;
    qsizetype m_run = 0; // on the character under the window's last position
};
