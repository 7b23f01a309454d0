#include "SynHighlighterHashEntries.h"

#include "SynCustomHighlighter.h"

namespace {

QString duplicateMessage(const QString &existing)
{
    return QStringLiteral("Keyword \"%1\" already in list").arg(existing);
}

} // namespace

SynDuplicateKeyword::SynDuplicateKeyword(const QString &existing)
    : std::runtime_error(duplicateMessage(existing).toStdString()),
      m_message(duplicateMessage(existing))
{ }

const SynHashEntry *SynHashEntryList::Get(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_heads[static_cast<size_t>(index)].get();
}

void SynHashEntryList::Put(int index, std::unique_ptr<SynHashEntry> entry)
{
    if (index < 0) {
        SynRaiseError(QStringLiteral("Keyword \"%1\" has no place in the list: its hash %2 is negative")
                          .arg(entry->Keyword)
                          .arg(index));
        return;
    }
    if (index >= Count())
        m_heads.resize(static_cast<size_t>(index) + 1);
    std::unique_ptr<SynHashEntry> *link = &m_heads[static_cast<size_t>(index)];
    while (*link) {
        SynHashEntry &current = **link;
        if (current.Keyword.compare(entry->Keyword, Qt::CaseInsensitive) == 0)
            throw SynDuplicateKeyword(current.Keyword);
        if (entry->KeyLen < current.KeyLen)
            break;
        link = &current.Next;
    }
    entry->Next = std::move(*link);
    *link = std::move(entry);
}

void EnumerateKeywords(int kind, QStringView keywords, const CharSet &wordChars,
                       const std::function<void(QStringView keyword, int kind)> &add)
{
    if (!add)
        return;
    qsizetype i = 0;
    while (i < keywords.size()) {
        while (i < keywords.size() && !wordChars.contains(keywords[i].unicode()))
            ++i;
        const qsizetype start = i;
        while (i < keywords.size() && wordChars.contains(keywords[i].unicode()))
            ++i;
        if (i > start)
            add(keywords.mid(start, i - start), kind);
    }
}

SynKeywordSlotTable::SynKeywordSlotTable(const SynHashCharTables &tables, const std::vector<Keyword> &keywords,
                                         int missKind)
    : m_tables(tables),
      m_missKind(missKind)
{
    for (const Keyword &keyword : keywords) {
        const QString text = QString::fromUtf16(keyword.text);
        const int hash = HashOf(text).first;
        if (hash >= SlotCount())
            m_slots.resize(static_cast<size_t>(hash) + 1);
        m_slots[static_cast<size_t>(hash)].emplace_back(text, keyword.kind);
    }
}

std::pair<int, int> SynKeywordSlotTable::HashOf(QStringView text) const
{
    int hash = 0;
    int length = 0;
    while (length < text.size() && m_tables.hashes(text[length])) {
        hash += m_tables.hashValue(text[length]);
        ++length;
    }
    return {hash, length};
}

bool SynKeywordSlotTable::Matches(QStringView word, const QString &keyword) const
{
    if (word.size() != keyword.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (m_tables.hashValue(word[i]) != m_tables.hashValue(keyword[i]))
            return false;
    }
    return true;
}

int SynKeywordSlotTable::KindOf(QStringView word) const
{
    const auto [hash, length] = HashOf(word);
    if (hash >= SlotCount())
        return m_missKind;
    const QStringView hashed = word.left(length);
    for (const auto &[keyword, kind] : m_slots[static_cast<size_t>(hash)]) {
        if (Matches(hashed, keyword))
            return kind;
    }
    return m_missKind;
}
