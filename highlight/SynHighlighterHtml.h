#pragma once

#include "SynCustomHighlighter.h"
#include "SynHighlighterHashEntries.h"

#include <array>

// HTML: text, tags with their attributes and values, comments, character entities and "<% %>"
// server-script blocks. The same character means different things in text, inside a tag, after
// "=" and inside a comment, so the lexer is a state machine over the range state.
class SynHTMLSyn : public SynCustomHighlighter
{
public:
    enum TokenKind {
        tkAmpersand = 0, // a character entity
        tkASP, // a server-script block
        tkComment,
        tkIdentifier, // an attribute name, or a word too long to be a tag name
        tkKey, // a known tag name
        tkNull, // the end of the line
        tkSpace,
        tkString, // a quoted string that is not an attribute value
        tkSymbol,
        tkText,
        tkUndefKey, // a tag name we do not know
        tkValue, // an attribute value
    };

    // Range states (the low byte of the range value):
    //   rsText --"<"--> rsTagOpen --name--> rsInTag --"="--> rsBeforeValue --value--> rsInTag;
    //   in a tag, ">" and "&" lead back to rsText (a tag, like a comment or a server-script
    //   block, may span lines);
    //   rsText --"<!--"--> rsComment --"-->"--> rsText;  rsText --"<%"--> rsAsp --"%>"--> rsText;
    //   rsEntity is set just before an entity and left by it, so it never ends a line.
    static constexpr SynRangeState rsEntity = 0;
    static constexpr SynRangeState rsAsp = 1;
    static constexpr SynRangeState rsComment = 2;
    static constexpr SynRangeState rsTagOpen = 3;
    static constexpr SynRangeState rsInTag = 4;
    static constexpr SynRangeState rsText = 5;
    static constexpr SynRangeState rsBeforeValue = 7;

    SynHTMLSyn();

    // The values the main window stores for its HTML highlighter.
    void ApplyMainFormSettings();

    SynHighlighterAttributes *ASPAttri() const { return m_aspAttri; }
    SynHighlighterAttributes *CommentAttri() const { return m_commentAttri; }
    SynHighlighterAttributes *IdentifierAttri() const { return m_identifierAttri; }
    SynHighlighterAttributes *KeyAttri() const { return m_keyAttri; }
    SynHighlighterAttributes *SpaceAttri() const { return m_spaceAttri; }
    SynHighlighterAttributes *SymbolAttri() const { return m_symbolAttri; }
    SynHighlighterAttributes *TextAttri() const { return m_textAttri; }
    SynHighlighterAttributes *UndefKeyAttri() const { return m_undefKeyAttri; }
    SynHighlighterAttributes *ValueAttri() const { return m_valueAttri; }
    SynHighlighterAttributes *AndAttri() const { return m_andAttri; }

    SynHighlighterAttributes *StandardAttri(int index) const override;
    CharSet WordChars() const override;
    QString DemoSource() const override;
    QString LanguageTitle() const override { return QStringLiteral("HTML document"); }

    void BeginLine(QStringView line, int lineIndex) override;
    void Advance() override;
    bool AtLineEnd() const override { return m_tokenKind == tkNull; }
    QStringView TokenText() const override { return m_line.mid(m_tokenStart, m_run - m_tokenStart); }
    SynHighlighterAttributes *TokenAttri() const override { return m_kindAttri[m_tokenKind]; }
    int TokenKindId() const override { return m_tokenKind; }
    int TokenStart() const override { return m_tokenStart; }
    SynRangeState RangeState() const override { return m_range; }
    void RestoreRange(SynRangeState state) override { m_range = state & 0xFF; }
    void ClearRange() override { m_range = rsText; }

private:
    using Handler = void (SynHTMLSyn::*)();

    SynHighlighterAttributes *NewAttri(const QString &name, SynColor foreground, SynColor background,
                                       std::uint8_t style);
    void BuildDispatchTable();

    // Positions at or after the end of the line read as NUL.
    QChar At(int column) const { return column < m_line.size() ? m_line[column] : QChar(); }
    void Dispatch();
    int SkipDigits(int column) const;
    int EntityAt(int column) const;

    // The rules the range state selects.
    void TextRule();
    void BlockRule(TokenKind kind);
    bool ClosesBlock(TokenKind kind) const;

    // The dispatch-table handlers.
    void EndOfLine();
    void LineFeed();
    void CarriageReturn();
    void Blank();
    void QuotedString();
    void EntityRule();
    void OpeningRule();
    void EqualsSign();
    void ClosingBracket();
    void WordRule();
    void TagName();

    SynHighlighterAttributes *m_aspAttri;
    SynHighlighterAttributes *m_commentAttri;
    SynHighlighterAttributes *m_identifierAttri;
    SynHighlighterAttributes *m_keyAttri;
    SynHighlighterAttributes *m_spaceAttri;
    SynHighlighterAttributes *m_symbolAttri;
    SynHighlighterAttributes *m_textAttri;
    SynHighlighterAttributes *m_undefKeyAttri;
    SynHighlighterAttributes *m_valueAttri;
    SynHighlighterAttributes *m_andAttri;
    std::array<SynHighlighterAttributes *, tkValue + 1> m_kindAttri{};

    std::array<Handler, 256> m_dispatch{};
    SynKeywordSlotTable m_tagNames;

    QStringView m_line;
    int m_run = 0;
    int m_tokenStart = 0;
    TokenKind m_tokenKind = tkText;
    SynRangeState m_range = rsText;
    int m_entity = -1; // the entity the text rule found, for the entity rule right after it
};
