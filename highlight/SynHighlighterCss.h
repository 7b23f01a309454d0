#pragma once

#include "SynCustomHighlighter.h"
#include "SynHighlighterHashEntries.h"

#include <array>

// Colours style sheets (also the text of a "<STYLE>" block handed over by the multi-language
// highlighter): property names and units as keywords, numbers and "#" colours, single-quoted
// strings and block comments. Only a block comment may span lines.
class SynCssSyn : public SynCustomHighlighter
{
public:
    enum class TokenKind : int {
        Comment = 0,
        Identifier = 1,
        Key = 2,
        Null = 3, // the end-of-line token
        Number = 4,
        Space = 5,
        String = 6, // also a brace with the digits right after it
        Symbol = 7,
        Unknown = 8, // any other character, coloured as an identifier
    };

    // The state at the start of a line: 0 ordinary text, 1 inside a block comment an earlier line
    // left open.
    static constexpr SynRangeState rsNormal = 0;
    static constexpr SynRangeState rsComment = 1;

    SynCssSyn();

    // The main window stores only the file filter for its style-sheet highlighter, the same text
    // the constructor sets; the attributes keep the constructor's defaults.
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
    QString LanguageTitle() const override { return QStringLiteral("Cascading style sheets"); }

    void BeginLine(QStringView line, int lineIndex) override;
    void Advance() override;
    bool AtLineEnd() const override { return m_kind == TokenKind::Null; }
    QStringView TokenText() const override { return m_line.mid(m_tokenStart, m_run - m_tokenStart); }
    SynHighlighterAttributes *TokenAttri() const override { return m_kindAttri[static_cast<size_t>(m_kind)]; }
    int TokenKindId() const override { return static_cast<int>(m_kind); }
    int TokenStart() const override { return static_cast<int>(m_tokenStart); }
    SynRangeState RangeState() const override { return m_range; }
    // Only the low byte counts; a value that is not one of ours starts ordinary text.
    void RestoreRange(SynRangeState state) override { m_range = (state & 0xFF) == rsComment ? rsComment : rsNormal; }
    void ClearRange() override { m_range = rsNormal; }

private:
    using Handler = void (SynCssSyn::*)();

    void buildDispatchTable();

    // The character at i, NUL past the end: the line ends at its first NUL.
    char16_t at(qsizetype i) const { return i < m_line.size() ? m_line[i].unicode() : u'\0'; }
    bool atLineBreak() const
    {
        const char16_t c = at(m_run);
        return c == u'\0' || c == u'\n' || c == u'\r';
    }
    // The first position from i on whose character fails test (the end of the line at the latest).
    template <typename Test>
    qsizetype skipWhile(qsizetype i, Test test) const
    {
        const char16_t *text = m_line.utf16();
        const qsizetype size = m_line.size();
        while (i < size && test(text[i]))
            ++i;
        return i;
    }
    void token(TokenKind kind, qsizetype length);
    bool continuesNumber() const;

    void nullProc();
    void lfProc();
    void crProc();
    void spaceProc();
    void wordProc();
    void numberProc();
    void hexProc();
    void stringProc();
    void braceProc();
    void bracketProc();
    void slashProc();
    void minusProc();
    void unknownProc();
    void continueComment();

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
    SynRangeState m_range = rsNormal;
};
