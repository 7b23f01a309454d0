#pragma once

#include "SynCustomHighlighter.h"
#include "SynHighlighterHashEntries.h"

#include <array>
#include <string_view>

// Colours PHP code (the text between the PHP markers, which are cut out before it gets here).
// Strings and block comments may span lines; one such construct gives one token per line.
class SynPHPSyn : public SynCustomHighlighter
{
public:
    enum class TokenKind : int {
        Comment = 0,
        Identifier = 1,
        InvalidSymbol = 2,
        Key = 3,
        Null = 4, // the end-of-line token
        Number = 5,
        Space = 6,
        String = 7,
        Symbol = 8,
        Unknown = 9, // a character outside the language, coloured as an identifier
        Variable = 10,
    };

    // The state at the start of a line: 0 ordinary code, or which construct an earlier line left
    // open: 1 a single-quoted string, 2 a double-quoted string, 3 a block comment.
    static constexpr SynRangeState rsCode = 0;
    static constexpr SynRangeState rsSingleString = 1;
    static constexpr SynRangeState rsDoubleString = 2;
    static constexpr SynRangeState rsComment = 3;

    SynPHPSyn();

    // Applies the values the main window stores for its PHP highlighter over the constructor's.
    void ApplyMainFormSettings();

    SynHighlighterAttributes *CommentAttri() const { return m_commentAttri; }
    SynHighlighterAttributes *IdentifierAttri() const { return m_identifierAttri; }
    SynHighlighterAttributes *InvalidSymbolAttri() const { return m_invalidSymbolAttri; }
    SynHighlighterAttributes *KeyAttri() const { return m_keyAttri; }
    SynHighlighterAttributes *NumberAttri() const { return m_numberAttri; }
    SynHighlighterAttributes *SpaceAttri() const { return m_spaceAttri; }
    SynHighlighterAttributes *StringAttri() const { return m_stringAttri; }
    SynHighlighterAttributes *SymbolAttri() const { return m_symbolAttri; }
    SynHighlighterAttributes *VariableAttri() const { return m_variableAttri; }

    SynHighlighterAttributes *StandardAttri(int index) const override;
    CharSet WordChars() const override;
    QString DemoSource() const override;
    QString LanguageTitle() const override { return QStringLiteral("PHP"); }

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
    using Handler = void (SynPHPSyn::*)();

    void buildDispatchTable();

    // The character at i, NUL past the end: the line ends at its first NUL.
    char16_t at(qsizetype i) const { return i < m_line.size() ? m_line[i].unicode() : u'\0'; }
    bool atLineBreak() const
    {
        const char16_t c = at(m_run);
        return c == u'\0' || c == u'\n' || c == u'\r';
    }
    void symbol(TokenKind kind, qsizetype length);
    // A symbol of the character alone or followed by one of the given characters.
    void symbolOrPair(std::u16string_view followers);

    void nullProc();
    void lfProc();
    void crProc();
    void spaceProc();
    void identProc();
    void numberProc();
    void variableProc();
    void singleStringProc();
    void doubleStringProc();
    void slashProc();
    void lineCommentProc();
    void blockCommentProc();
    void invalidSymbolProc();
    void unknownProc();
    void lowerProc();
    void pairProc();
    void singleSymbolProc();
    void firstLineString(char16_t quote);
    void continueString(char16_t quote, bool escapes);
    void continueComment();

    SynHighlighterAttributes *m_commentAttri;
    SynHighlighterAttributes *m_identifierAttri;
    SynHighlighterAttributes *m_invalidSymbolAttri;
    SynHighlighterAttributes *m_keyAttri;
    SynHighlighterAttributes *m_numberAttri;
    SynHighlighterAttributes *m_spaceAttri;
    SynHighlighterAttributes *m_stringAttri;
    SynHighlighterAttributes *m_symbolAttri;
    SynHighlighterAttributes *m_variableAttri;

    std::array<Handler, 256> m_dispatch{};
    SynKeywordSlotTable m_keywords;

    QStringView m_line;
    qsizetype m_run = 0;
    qsizetype m_tokenStart = 0;
    TokenKind m_kind = TokenKind::Null;
    SynRangeState m_range = rsCode;
};
