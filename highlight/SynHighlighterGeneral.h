#pragma once

#include "SynCustomHighlighter.h"

#include <QFlags>
#include <QStringList>

#include <array>
#include <string>
#include <vector>

// A lexer for a language known only by a word list and a few switches: which comment styles it
// has, which quote delimits strings, and whether "#" starts a preprocessor line. Comments of the
// "(* *)", "{ }" and "/* */" styles may span lines; strings end with their line.
class SynGeneralSyn : public SynCustomHighlighter
{
public:
    enum class TokenKind : int {
        Comment = 0,
        Identifier = 1,
        Key = 2,
        Null = 3, // the end-of-line token
        Number = 4,
        Preprocessor = 5,
        Space = 6,
        String = 7,
        Symbol = 8,
        Unknown = 9, // any other character, coloured as a symbol
    };

    // The state at the start of a line: which comment an earlier line left open, or rsNormal.
    // Values other than these four (as RestoreRange may give) behave as rsNormal.
    static constexpr SynRangeState rsAnsiComment = 1; // "(*" ... "*)"
    static constexpr SynRangeState rsPasComment = 2; // "{" ... "}"
    static constexpr SynRangeState rsCComment = 3; // "/*" ... "*/"
    static constexpr SynRangeState rsNormal = 4;

    enum CommentStyle : unsigned {
        csAnsiStyle = 1, // "(* *)"
        csPasStyle = 2, // "{ }"
        csCStyle = 4, // "/* */" ("//" comments are always on)
        csAsmStyle = 8, // ";" to the end of the line
        csBasStyle = 16, // ";" to the end of the line as well
    };
    Q_DECLARE_FLAGS(CommentStyles, CommentStyle)

    enum StringDelimiter { sdSingleQuote, sdDoubleQuote };

    SynGeneralSyn();

    // Applies the values the main window stores for its custom highlighter over the constructor's.
    // The word list is not among them: the main window fills it from its word-list files.
    void ApplyMainFormSettings();

    SynHighlighterAttributes *CommentAttri() const { return m_commentAttri; }
    SynHighlighterAttributes *IdentifierAttri() const { return m_identifierAttri; }
    SynHighlighterAttributes *KeyAttri() const { return m_keyAttri; }
    SynHighlighterAttributes *NumberAttri() const { return m_numberAttri; }
    SynHighlighterAttributes *PreprocessorAttri() const { return m_preprocessorAttri; }
    SynHighlighterAttributes *SpaceAttri() const { return m_spaceAttri; }
    SynHighlighterAttributes *StringAttri() const { return m_stringAttri; }
    SynHighlighterAttributes *SymbolAttri() const { return m_symbolAttri; }

    // Changing the comment styles, the preprocessor switch or the word list tells the listeners
    // (editors repaint) but does not rescan stored line ranges.
    CommentStyles Comments() const { return m_comments; }
    void SetComments(CommentStyles comments);
    bool DetectPreprocessor() const { return m_detectPreprocessor; }
    void SetDetectPreprocessor(bool detect);
    StringDelimiter StringDelim() const { return m_stringDelim; }
    void SetStringDelim(StringDelimiter delimiter);

    // The characters of the editor's word-wise commands, as a string of its members in code
    // order. They do not change how words are lexed. A character above 255 stands for 255.
    QString IdentifierChars() const;
    void SetIdentifierChars(QStringView chars);

    // The word list, sorted without regard to case and free of entries that differ only in case.
    const QStringList &KeyWords() const { return m_keyWords; }
    // Replaces the list by the given words upper-cased (the given list stays as it is).
    void SetKeyWords(const QStringList &words);
    // Empties the list, and adds words keeping their case (a word already there is skipped): how
    // the main window fills the list from its keyword and function files.
    void ClearKeyWords();
    void AddKeyWords(const QStringList &words);

    SynHighlighterAttributes *StandardAttri(int index) const override;
    CharSet WordChars() const override { return m_identifierChars; }
    QString LanguageTitle() const override { return QStringLiteral("General"); }
    // Whether an entry of the list equals the word, letter case aside.
    bool IsKeywordText(QStringView word) const override;

    void BeginLine(QStringView line, int lineIndex) override;
    void Advance() override;
    bool AtLineEnd() const override { return m_kind == TokenKind::Null; }
    QStringView TokenText() const override { return m_line.mid(m_tokenStart, m_run - m_tokenStart); }
    SynHighlighterAttributes *TokenAttri() const override { return m_kindAttri[static_cast<int>(m_kind)]; }
    int TokenKindId() const override { return static_cast<int>(m_kind); }
    int TokenStart() const override { return static_cast<int>(m_tokenStart); }
    SynRangeState RangeState() const override { return m_range; }
    void RestoreRange(SynRangeState state) override { m_range = state & 0xFF; }
    void ClearRange() override { m_range = rsNormal; }

private:
    using Handler = void (SynGeneralSyn::*)();

    // Words folded to lower case in an open-addressing hash table, so that a lookup folds and
    // hashes the scanned word in place: no copy, no allocation. Holds only words of "0"-"9",
    // "A"-"Z", "_", "a"-"z", the only ones the lexer produces.
    class WordTable
    {
    public:
        void Clear();
        // foldedWord: ASCII word characters already in lower case.
        void Insert(QStringView foldedWord);
        // word: ASCII word characters in any case.
        bool Contains(QStringView word) const;
        bool Empty() const { return m_entries.empty(); }

    private:
        struct Entry {
            std::uint32_t hash;
            std::uint32_t offset;
            std::uint32_t length;
        };
        static std::uint32_t HashOf(QStringView word);
        bool Equal(const Entry &entry, QStringView word) const;
        void Place(std::uint32_t entryIndex);
        void Grow();

        std::string m_chars; // every entry's characters, one after the other
        std::vector<Entry> m_entries;
        std::vector<std::uint32_t> m_slots; // entry index + 1, 0 for a free slot
    };

    void buildDispatchTable();
    void addKeyWord(const QString &word);

    // The character at i, NUL past the end: the line ends at its first NUL.
    char16_t at(qsizetype i) const { return i < m_line.size() ? m_line[i].unicode() : u'\0'; }
    bool atLineBreak() const
    {
        const char16_t c = at(m_run);
        return c == u'\0' || c == u'\n' || c == u'\r';
    }
    void token(TokenKind kind, qsizetype length);
    void toLineEnd(TokenKind kind);
    void openComment(SynRangeState range, qsizetype openerLength);
    void continueComment();

    void nullProc();
    void lfProc();
    void crProc();
    void spaceProc();
    void identProc();
    void numberProc();
    void hexProc();
    void hashProc();
    void roundOpenProc();
    void braceOpenProc();
    void slashProc();
    void semicolonProc();
    void stringProc();
    void unknownProc();

    SynHighlighterAttributes *m_commentAttri;
    SynHighlighterAttributes *m_identifierAttri;
    SynHighlighterAttributes *m_keyAttri;
    SynHighlighterAttributes *m_numberAttri;
    SynHighlighterAttributes *m_spaceAttri;
    SynHighlighterAttributes *m_stringAttri;
    SynHighlighterAttributes *m_symbolAttri;
    SynHighlighterAttributes *m_preprocessorAttri;
    std::array<SynHighlighterAttributes *, static_cast<int>(TokenKind::Unknown) + 1> m_kindAttri{};

    CommentStyles m_comments;
    bool m_detectPreprocessor = false;
    StringDelimiter m_stringDelim = sdSingleQuote;
    CharSet m_identifierChars;

    QStringList m_keyWords;
    WordTable m_wordTable;

    std::array<Handler, 256> m_dispatch{};

    QStringView m_line;
    qsizetype m_run = 0;
    qsizetype m_tokenStart = 0;
    TokenKind m_kind = TokenKind::Null;
    SynRangeState m_range = rsNormal;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SynGeneralSyn::CommentStyles)
