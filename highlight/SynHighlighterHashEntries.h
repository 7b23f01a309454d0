#pragma once

#include "CharSet.h"

#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// ---- Chained keyword table

// One keyword of a chain; an entry owns the rest of its chain.
struct SynHashEntry {
    SynHashEntry(QString keyword, int kind)
        : KeyLen(static_cast<int>(keyword.size())),
          Keyword(std::move(keyword)),
          Kind(kind)
    { }

    std::unique_ptr<SynHashEntry> Next;
    int KeyLen;
    QString Keyword;
    int Kind;
};

// Thrown when a keyword is stored twice (compared without regard to case), so that the code
// building a table can stop; what() holds the message too, in UTF-8.
class SynDuplicateKeyword : public std::runtime_error
{
public:
    explicit SynDuplicateKeyword(const QString &existing);
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Chain heads by hash value; chains are ordered by increasing keyword length, equal lengths in
// the order they were stored.
class SynHashEntryList
{
public:
    // The head of chain index, or none for an index outside the list.
    const SynHashEntry *Get(int index) const;
    // Grows the list as needed; throws SynDuplicateKeyword for a keyword already in the chain. An
    // entry with a negative index is raised as an error and not stored.
    void Put(int index, std::unique_ptr<SynHashEntry> entry);
    void Clear() { m_heads.clear(); }
    int Count() const { return static_cast<int>(m_heads.size()); }

private:
    std::vector<std::unique_ptr<SynHashEntry>> m_heads;
};

// Calls add for every run of wordChars characters in keywords, with the given kind.
void EnumerateKeywords(int kind, QStringView keywords, const CharSet &wordChars,
                       const std::function<void(QStringView keyword, int kind)> &add);

// ---- Keyword-slot scheme

// Per-character tables of a highlighter, computed once: which characters continue a word and
// each character's hash value (letters share one value for both cases).
struct SynHashCharTables {
    std::array<bool, 256> identifier{};
    std::array<bool, 256> inHash{};
    std::array<int, 256> value{};

    static int code(QChar c) { return c.unicode() < 256 ? c.unicode() : 255; }
    bool isIdentifier(QChar c) const { return identifier[code(c)]; }
    bool hashes(QChar c) const { return inHash[code(c)]; }
    int hashValue(QChar c) const { return value[code(c)]; }
};

// Keywords found by the additive hash of their characters: a word whose hash lands on a slot that
// holds keywords is compared with them in order, by length and by each character's hash value.
class SynKeywordSlotTable
{
public:
    struct Keyword {
        const char16_t *text;
        int kind;
    };

    SynKeywordSlotTable(const SynHashCharTables &tables, const std::vector<Keyword> &keywords, int missKind);

    // The hash and length of the word at the start of text: its characters summed while they
    // belong to the hash set.
    std::pair<int, int> HashOf(QStringView text) const;
    // The kind of the word (its first length characters), or the miss kind.
    int KindOf(QStringView word) const;
    int SlotCount() const { return static_cast<int>(m_slots.size()); }

private:
    bool Matches(QStringView word, const QString &keyword) const;

    const SynHashCharTables &m_tables;
    std::vector<std::vector<std::pair<QString, int>>> m_slots;
    int m_missKind;
};
