#pragma once

#include "SynCustomHighlighter.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Colours JavaScript, on its own or as the text of a script block. Besides reserved words it knows
// the names of the browser object model and the HTML event handlers, each with its own colour.
// Keywords are case-sensitive. Only a block comment spans lines; strings end with their line.
class SynJScriptSyn : public SynCustomHighlighter
{
public:
    enum class TokenKind : int {
        Comment = 0,
        Identifier = 1,
        Key = 2,
        Null = 3, // the end-of-line token
        Number = 4,
        Space = 5,
        String = 6,
        Symbol = 7,
        Unknown = 8, // a character outside the language, painted without an attribute
        NonReservedKey = 9,
        Event = 10,
    };

    // The state at the start of a line: 0 ordinary code, 1 inside a block comment an earlier line
    // left open.
    static constexpr SynRangeState rsCode = 0;
    static constexpr SynRangeState rsComment = 1;

    // Keywords hash below this; a word whose hash reaches it is never looked up.
    static constexpr int KeywordSlotCount = 253;

    SynJScriptSyn();

    // The main window keeps no colours of its own for this highlighter, only the same file filter.
    void ApplyMainFormSettings();

    SynHighlighterAttributes *CommentAttri() const { return m_commentAttri; }
    SynHighlighterAttributes *IdentifierAttri() const { return m_identifierAttri; }
    SynHighlighterAttributes *KeyAttri() const { return m_keyAttri; }
    SynHighlighterAttributes *NonReservedKeyAttri() const { return m_nonReservedKeyAttri; }
    SynHighlighterAttributes *EventAttri() const { return m_eventAttri; }
    SynHighlighterAttributes *NumberAttri() const { return m_numberAttri; }
    SynHighlighterAttributes *SpaceAttri() const { return m_spaceAttri; }
    SynHighlighterAttributes *StringAttri() const { return m_stringAttri; }
    SynHighlighterAttributes *SymbolAttri() const { return m_symbolAttri; }

    SynHighlighterAttributes *StandardAttri(int index) const override;
    CharSet WordChars() const override;
    QString DemoSource() const override;
    QString LanguageTitle() const override { return QStringLiteral("Javascript"); }

    void BeginLine(QStringView line, int lineIndex) override;
    void Advance() override;
    bool AtLineEnd() const override { return m_kind == TokenKind::Null; }
    QStringView TokenText() const override { return m_line.mid(m_tokenStart, m_run - m_tokenStart); }
    SynHighlighterAttributes *TokenAttri() const override;
    int TokenKindId() const override { return static_cast<int>(m_kind); }
    int TokenStart() const override { return static_cast<int>(m_tokenStart); }
    SynRangeState RangeState() const override { return m_range; }
    void RestoreRange(SynRangeState state) override { m_range = state & 0xFF; }
    void ClearRange() override { m_range = rsCode; }

private:
    using Handler = void (SynJScriptSyn::*)();
    struct Keyword {
        std::u16string_view text;
        TokenKind kind;
    };

    void buildDispatchTable();
    void buildKeywordSlots();
    TokenKind keywordKind(std::u16string_view word, int hash) const;

    // The character at i, NUL past the end: the line ends at its first NUL.
    char16_t at(qsizetype i) const { return i < m_line.size() ? m_line[i].unicode() : u'\0'; }
    bool atLineBreak() const
    {
        const char16_t c = at(m_run);
        return c == u'\0' || c == u'\n' || c == u'\r';
    }
    void token(TokenKind kind, qsizetype length);
    // A symbol of the character alone or followed by one of the given characters.
    void symbolOrPair(std::u16string_view followers);

    void nullProc();
    void lfProc();
    void crProc();
    void spaceProc();
    void identProc();
    void numberProc();
    void stringProc();
    void slashProc();
    void pairProc();
    void dotProc();
    void unknownProc();
    void singleSymbolProc();
    void blockCommentProc();
    void lineCommentProc();
    void continueComment();

    SynHighlighterAttributes *m_commentAttri;
    SynHighlighterAttributes *m_identifierAttri;
    SynHighlighterAttributes *m_keyAttri;
    SynHighlighterAttributes *m_nonReservedKeyAttri;
    SynHighlighterAttributes *m_eventAttri;
    SynHighlighterAttributes *m_numberAttri;
    SynHighlighterAttributes *m_spaceAttri;
    SynHighlighterAttributes *m_stringAttri;
    SynHighlighterAttributes *m_symbolAttri;

    std::array<Handler, 256> m_dispatch{};
    // The keywords of slot h are m_slotWords[m_slotBegin[h]] up to m_slotWords[m_slotBegin[h + 1]].
    std::array<std::uint16_t, KeywordSlotCount + 1> m_slotBegin{};
    std::vector<Keyword> m_slotWords;

    QStringView m_line;
    qsizetype m_run = 0;
    qsizetype m_tokenStart = 0;
    TokenKind m_kind = TokenKind::Null;
    SynRangeState m_range = rsCode;
};
