#pragma once

#include "SynCustomHighlighter.h"
#include "SynHighlighterHashEntries.h"

#include <QStringList>

#include <array>
#include <string_view>

// Colours SQL text. Block comments and single-quoted strings may span lines; one such construct
// gives one token per line. Keywords live in a chained table built for the selected dialect, to
// which the table names are added.
class SynSQLSyn : public SynCustomHighlighter
{
public:
    enum class TokenKind : int {
        Comment = 0,
        DataType = 1,
        DefaultPackage = 2,
        Exception = 3,
        Function = 4,
        Identifier = 5,
        Key = 6,
        Null = 7, // the end-of-line token
        Number = 8,
        Space = 9,
        PLSQL = 10,
        SQLPlus = 11,
        String = 12,
        Symbol = 13,
        TableName = 14,
        Unknown = 15, // a character outside the language, coloured as an identifier
        Variable = 16,
    };

    // Only Sybase has a keyword list here; the other dialects are kept so that a stored value
    // reads back, and know no keywords of their own.
    enum class SQLDialect : int {
        sqlStandard,
        sqlInterbase6,
        sqlMSSQL7,
        sqlMySQL,
        sqlOracle,
        sqlSybase,
        sqlIngres,
        sqlMSSQL2K,
    };

    // The state at the start of a line: 0 ordinary text, or which construct an earlier line left
    // open: 1 a block comment, 2 a single-quoted string.
    static constexpr SynRangeState rsNormal = 0;
    static constexpr SynRangeState rsComment = 1;
    static constexpr SynRangeState rsString = 2;

    SynSQLSyn();

    // Applies the values the main window stores for its SQL highlighter over the constructor's.
    void ApplyMainFormSettings();

    SynHighlighterAttributes *CommentAttri() const { return m_commentAttri; }
    SynHighlighterAttributes *DataTypeAttri() const { return m_dataTypeAttri; }
    SynHighlighterAttributes *DefaultPackageAttri() const { return m_defaultPackageAttri; }
    SynHighlighterAttributes *ExceptionAttri() const { return m_exceptionAttri; }
    SynHighlighterAttributes *FunctionAttri() const { return m_functionAttri; }
    SynHighlighterAttributes *IdentifierAttri() const { return m_identifierAttri; }
    SynHighlighterAttributes *KeyAttri() const { return m_keyAttri; }
    SynHighlighterAttributes *NumberAttri() const { return m_numberAttri; }
    SynHighlighterAttributes *PLSQLAttri() const { return m_plsqlAttri; }
    SynHighlighterAttributes *SpaceAttri() const { return m_spaceAttri; }
    SynHighlighterAttributes *SQLPlusAttri() const { return m_sqlPlusAttri; }
    SynHighlighterAttributes *StringAttri() const { return m_stringAttri; }
    SynHighlighterAttributes *SymbolAttri() const { return m_symbolAttri; }
    SynHighlighterAttributes *TableNameAttri() const { return m_tableNameAttri; }
    SynHighlighterAttributes *VariableAttri() const { return m_variableAttri; }

    // Changing either rebuilds the keyword table and tells the listeners.
    const QStringList &TableNames() const { return m_tableNames; }
    void SetTableNames(const QStringList &names);
    SQLDialect Dialect() const { return m_dialect; }
    void SetSQLDialect(SQLDialect dialect);
    // The keywords and table names by hash, for inspection.
    const SynHashEntryList &KeywordTable() const { return m_keywords; }

    SynHighlighterAttributes *StandardAttri(int index) const override;
    CharSet WordChars() const override;
    QString LanguageTitle() const override { return QStringLiteral("SQL"); }
    // True when the word (its leading identifier characters) is a keyword of one of the
    // keyword classes; identifiers and table names are not.
    bool IsKeywordText(QStringView word) const override;

    void BeginLine(QStringView line, int lineIndex) override;
    void Advance() override;
    bool AtLineEnd() const override { return m_kind == TokenKind::Null; }
    QStringView TokenText() const override { return m_line.mid(m_tokenStart, m_run - m_tokenStart); }
    SynHighlighterAttributes *TokenAttri() const override { return m_kindAttri[static_cast<size_t>(m_kind)]; }
    int TokenKindId() const override { return static_cast<int>(m_kind); }
    int TokenStart() const override { return static_cast<int>(m_tokenStart); }
    SynRangeState RangeState() const override { return m_range; }
    void RestoreRange(SynRangeState state) override { m_range = state & 0xFF; }
    void ClearRange() override { m_range = rsNormal; }

private:
    using Handler = void (SynSQLSyn::*)();

    void buildDispatchTable();
    void buildKeywordTable();
    void addTableName(const QString &name);
    const SynHashCharTables &charTables() const;
    // The kind of the word made of the identifier characters at the start of text, and their count.
    std::pair<TokenKind, qsizetype> lookUp(QStringView text) const;

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
    void variableProc();
    void singleStringProc();
    void doubleStringProc();
    void minusProc();
    void slashProc();
    void lowerProc();
    void pairProc();
    void singleSymbolProc();
    void unknownProc();
    void continueString();
    void continueComment();

    SynHighlighterAttributes *m_commentAttri;
    SynHighlighterAttributes *m_dataTypeAttri;
    SynHighlighterAttributes *m_defaultPackageAttri;
    SynHighlighterAttributes *m_exceptionAttri;
    SynHighlighterAttributes *m_functionAttri;
    SynHighlighterAttributes *m_identifierAttri;
    SynHighlighterAttributes *m_keyAttri;
    SynHighlighterAttributes *m_numberAttri;
    SynHighlighterAttributes *m_plsqlAttri;
    SynHighlighterAttributes *m_spaceAttri;
    SynHighlighterAttributes *m_sqlPlusAttri;
    SynHighlighterAttributes *m_stringAttri;
    SynHighlighterAttributes *m_symbolAttri;
    SynHighlighterAttributes *m_tableNameAttri;
    SynHighlighterAttributes *m_variableAttri;
    std::array<SynHighlighterAttributes *, static_cast<size_t>(TokenKind::Variable) + 1> m_kindAttri{};

    std::array<Handler, 256> m_dispatch{};
    SynHashEntryList m_keywords;
    QStringList m_tableNames;
    SQLDialect m_dialect = SQLDialect::sqlSybase;

    QStringView m_line;
    int m_lineIndex = 0;
    qsizetype m_run = 0;
    qsizetype m_tokenStart = 0;
    TokenKind m_kind = TokenKind::Null;
    SynRangeState m_range = rsNormal;
};
