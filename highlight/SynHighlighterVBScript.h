#pragma once

#include "SynCustomHighlighter.h"
#include "SynHighlighterHashEntries.h"

#include <array>
#include <string_view>

// Colours VBScript, the language of the server-script blocks in HTML files. Nothing in it spans
// lines, so every line starts in the same state.
class SynVBScriptSyn : public SynCustomHighlighter
{
public:
    enum class TokenKind : int {
        Comment = 0,
        Identifier = 1, // also every character no other rule takes
        Key = 2,
        Null = 3, // the end-of-line token
        Number = 4,
        Space = 5,
        String = 6, // also date literals
        Symbol = 7,
        Unknown = 8, // never produced; coloured as an identifier
    };

    // The only range state: ordinary code.
    static constexpr SynRangeState rsCode = 0;

    SynVBScriptSyn();

    // Applies the values the main window stores for its VBScript highlighter: only the file filter.
    void ApplyMainFormSettings();

    SynHighlighterAttributes *CommentAttri() const { return m_commentAttri; }
    SynHighlighterAttributes *IdentifierAttri() const { return m_identifierAttri; }
    SynHighlighterAttributes *KeyAttri() const { return m_keyAttri; }
    SynHighlighterAttributes *NumberAttri() const { return m_numberAttri; }
    SynHighlighterAttributes *SpaceAttri() const { return m_spaceAttri; }
    SynHighlighterAttributes *StringAttri() const { return m_stringAttri; }
    SynHighlighterAttributes *SymbolAttri() const { return m_symbolAttri; }

    SynHighlighterAttributes *StandardAttri(int index) const override;
    CharSet WordChars() const override;
    QString DemoSource() const override;
    QString LanguageTitle() const override { return QStringLiteral("MS VBScript"); }

    void BeginLine(QStringView line, int lineIndex) override;
    void Advance() override;
    bool AtLineEnd() const override { return m_kind == TokenKind::Null; }
    QStringView TokenText() const override { return m_line.mid(m_tokenStart, m_run - m_tokenStart); }
    SynHighlighterAttributes *TokenAttri() const override { return m_kindAttri[static_cast<size_t>(m_kind)]; }
    int TokenKindId() const override { return static_cast<int>(m_kind); }
    int TokenStart() const override { return static_cast<int>(m_tokenStart); }
    SynRangeState RangeState() const override { return rsCode; }
    void RestoreRange(SynRangeState) override { }
    void ClearRange() override { }

private:
    using Handler = void (SynVBScriptSyn::*)();

    void buildDispatchTable();

    // The character at i, NUL past the end: the line ends at its first NUL.
    char16_t at(qsizetype i) const { return i < m_line.size() ? m_line[i].unicode() : u'\0'; }
    bool atLineBreak() const
    {
        const char16_t c = at(m_run);
        return c == u'\0' || c == u'\n' || c == u'\r';
    }
    void token(TokenKind kind, qsizetype length);
    // Takes the character at the column and everything up to the next close, or to the line end.
    void closedBy(char16_t close);

    void nullProc();
    void lfProc();
    void crProc();
    void spaceProc();
    void commentProc();
    void stringProc();
    void dateProc();
    void numberProc();
    void identProc();
    void pairProc();
    void symbolProc();
    void otherProc();

    SynHighlighterAttributes *m_commentAttri;
    SynHighlighterAttributes *m_identifierAttri;
    SynHighlighterAttributes *m_keyAttri;
    SynHighlighterAttributes *m_numberAttri;
    SynHighlighterAttributes *m_spaceAttri;
    SynHighlighterAttributes *m_stringAttri;
    SynHighlighterAttributes *m_symbolAttri;
    std::array<SynHighlighterAttributes *, static_cast<size_t>(TokenKind::Unknown) + 1> m_kindAttri{};

    std::array<Handler, 256> m_dispatch{};
    SynKeywordSlotTable m_keywords;

    QStringView m_line;
    qsizetype m_run = 0;
    qsizetype m_tokenStart = 0;
    TokenKind m_kind = TokenKind::Null;
};
