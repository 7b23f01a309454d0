#include "SynHighlighterPHP.h"

#include "CharClasses.h"

#include <string_view>

namespace {

constexpr SynColor clNavy = 0x800000;
constexpr SynColor clPurple = 0x800080;
constexpr SynColor clTeal = 0x808000;
constexpr SynColor clBlue = 0xFF0000;

// Codes 1 to 32 except the line breaks, which are tokens of their own.
constexpr bool isBlank(char16_t c)
{
    return c >= 1 && c <= 32 && c != u'\n' && c != u'\r';
}

// Hexadecimal digits, the sign of an exponent, "." and the old long/hex markers all continue a
// number, so "5-3" stays one token.
constexpr bool isNumberChar(char16_t c)
{
    return isHexDigit(c) || c == u'-' || c == u'.' || c == u'L' || c == u'l' || c == u'X' || c == u'x';
}

// Letters hash to 1..26 in either case and "_" to 31; digits continue a word but add nothing, so
// a digit in a word matches any other digit.
const SynHashCharTables &phpTables()
{
    static const SynHashCharTables tables = [] {
        SynHashCharTables t;
        for (int c = 0; c < 256; ++c) {
            t.identifier[c] = t.inHash[c] = isAsciiLetter(c) || isAsciiDigit(c) || c == '_';
            t.value[c] = isAsciiLetter(c) ? (c & 0x1F) : c == '_' ? 31 : 0;
        }
        return t;
    }();
    return tables;
}

// Keywords of one hash are listed in the order they are tried.
// clang-format off
constexpr const char16_t *Keywords[] = {
    u"__FILE__", u"and", u"array", u"break", u"case", u"cfunction", u"const", u"continue", u"default",
    u"die", u"do", u"double", u"echo", u"var", u"else", u"elseif", u"empty", u"endfor", u"endif", u"endswitch",
    u"endwhile", u"eval", u"exit", u"extends", u"false", u"float", u"class", u"for", u"function", u"global",
    u"highlight_file", u"highlight_string", u"if", u"include", u"int", u"integer", u"isset", u"list", u"new",
    u"object", u"old_function", u"__LINE__", u"or", u"print", u"real", u"require", u"return", u"show_source",
    u"static", u"string", u"switch", u"true", u"unset", u"while", u"xor",
};
// clang-format on

std::vector<SynKeywordSlotTable::Keyword> keywordList()
{
    std::vector<SynKeywordSlotTable::Keyword> list;
    for (const char16_t *keyword : Keywords)
        list.push_back({keyword, static_cast<int>(SynPHPSyn::TokenKind::Key)});
    return list;
}

// The second characters that make a two-character symbol with the first ("-" also "->").
constexpr std::u16string_view pairFollowers(char16_t first)
{
    switch (first) {
    case u'>': return u"=>";
    case u'=': return u"=>";
    case u'&': return u"&=";
    case u'|': return u"|=";
    case u'+': return u"+=";
    case u'-': return u"-=>";
    default: return u"="; // ! * % ^
    }
}

} // namespace

SynPHPSyn::SynPHPSyn()
    : m_commentAttri(AddAttri(QStringLiteral("Comment"), fsItalic)),
      m_identifierAttri(AddAttri(QStringLiteral("Identifier"))),
      m_invalidSymbolAttri(AddAttri(QStringLiteral("Invalid symbol"))),
      m_keyAttri(AddAttri(QStringLiteral("Reserved word"), fsBold)),
      m_numberAttri(AddAttri(QStringLiteral("Number"))),
      m_spaceAttri(AddAttri(QStringLiteral("Space"))),
      m_stringAttri(AddAttri(QStringLiteral("String"))),
      m_symbolAttri(AddAttri(QStringLiteral("Symbol"))),
      m_variableAttri(AddAttri(QStringLiteral("Variable"))),
      m_keywords(phpTables(), keywordList(), static_cast<int>(TokenKind::Identifier))
{
    ConnectAttributes();
    buildDispatchTable();
    SetDefaultFilter(QStringLiteral("PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc"));
}

void SynPHPSyn::buildDispatchTable()
{
    // Backslash, backtick and everything from 127 up stay "other character".
    m_dispatch.fill(&SynPHPSyn::unknownProc);
    for (int c = 0; c < 256; ++c) {
        if (isBlank(c))
            m_dispatch[c] = &SynPHPSyn::spaceProc;
        else if (isAsciiLetter(c) || c == '_')
            m_dispatch[c] = &SynPHPSyn::identProc;
        else if (isAsciiDigit(c))
            m_dispatch[c] = &SynPHPSyn::numberProc;
    }
    const struct {
        std::u16string_view chars;
        Handler handler;
    } rules[] = {
        {std::u16string_view(u"\0", 1), &SynPHPSyn::nullProc},
        {u"\n", &SynPHPSyn::lfProc},
        {u"\r", &SynPHPSyn::crProc},
        {u"$", &SynPHPSyn::variableProc},
        {u"'", &SynPHPSyn::singleStringProc},
        {u"\"", &SynPHPSyn::doubleStringProc},
        {u"#", &SynPHPSyn::lineCommentProc},
        {u"/", &SynPHPSyn::slashProc},
        {u"@", &SynPHPSyn::invalidSymbolProc},
        {u"<", &SynPHPSyn::lowerProc},
        {u">=!&|+-*%^", &SynPHPSyn::pairProc},
        {u"()[]{},;:.?~", &SynPHPSyn::singleSymbolProc},
    };
    for (const auto &rule : rules)
        for (char16_t c : rule.chars)
            m_dispatch[c] = rule.handler;
}

void SynPHPSyn::ApplyMainFormSettings()
{
    m_commentAttri->SetForeground(clTeal);
    m_identifierAttri->SetForeground(clNavy);
    m_invalidSymbolAttri->SetStyle(fsUnderline);
    m_numberAttri->SetForeground(clBlue);
    m_numberAttri->SetStyle(fsBold);
    m_stringAttri->SetForeground(clPurple);
    m_variableAttri->SetForeground(clBlue);
    SetDefaultFilter(QStringLiteral("PHP files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc"));
}

SynHighlighterAttributes *SynPHPSyn::StandardAttri(int index) const
{
    switch (index) {
    case siComment: return m_commentAttri;
    case siIdentifier: return m_identifierAttri;
    case siKeyword: return m_keyAttri;
    case siString: return m_stringAttri;
    case siWhitespace: return m_spaceAttri;
    case siSymbol: return m_symbolAttri;
    default: return nullptr;
    }
}

CharSet SynPHPSyn::WordChars() const
{
    return LatinWordChars();
}

QString SynPHPSyn::DemoSource() const
{
    return QStringLiteral("/* Greets every visitor by name */\n"
                          "class Greeter extends Base {\n"
                          "    var $count = 0x1F;\n"
                          "    function greet($name) {\n"
                          "        if (empty($name)) return false; // nobody there\n"
                          "        echo \"Hello, \\\"$name\\\"\\n\";\n"
                          "        $this->count += 1.5;\n"
                          "        @print('it\\'s done');\n"
                          "    }\n"
                          "}\n");
}

SynHighlighterAttributes *SynPHPSyn::TokenAttri() const
{
    switch (m_kind) {
    case TokenKind::Comment: return m_commentAttri;
    case TokenKind::Identifier:
    case TokenKind::Unknown: return m_identifierAttri;
    case TokenKind::InvalidSymbol: return m_invalidSymbolAttri;
    case TokenKind::Key: return m_keyAttri;
    case TokenKind::Number: return m_numberAttri;
    case TokenKind::Space: return m_spaceAttri;
    case TokenKind::String: return m_stringAttri;
    case TokenKind::Symbol: return m_symbolAttri;
    case TokenKind::Variable: return m_variableAttri;
    case TokenKind::Null: break;
    }
    return nullptr;
}

void SynPHPSyn::BeginLine(QStringView line, int)
{
    m_line = line;
    m_run = 0;
    Advance();
}

void SynPHPSyn::Advance()
{
    m_tokenStart = m_run;
    const char16_t c = at(m_run);
    const bool open = m_range == rsSingleString || m_range == rsDoubleString || m_range == rsComment;
    if (open && !atLineBreak()) {
        if (m_range == rsComment)
            continueComment();
        else
            continueString(m_range == rsSingleString ? u'\'' : u'"', m_range == rsDoubleString);
        return;
    }
    // Line breaks inside an open construct are blanks and keep it open.
    if (!open)
        m_range = rsCode;
    (this->*m_dispatch[c < 256 ? c : 255])();
}

void SynPHPSyn::symbol(TokenKind kind, qsizetype length)
{
    m_kind = kind;
    m_run += length;
}

void SynPHPSyn::symbolOrPair(std::u16string_view followers)
{
    const char16_t next = at(m_run + 1);
    symbol(TokenKind::Symbol, next != u'\0' && followers.find(next) != std::u16string_view::npos ? 2 : 1);
}

void SynPHPSyn::nullProc()
{
    m_kind = TokenKind::Null;
}

void SynPHPSyn::lfProc()
{
    symbol(TokenKind::Space, 1);
}

void SynPHPSyn::crProc()
{
    symbol(TokenKind::Space, at(m_run + 1) == u'\n' ? 2 : 1);
}

void SynPHPSyn::spaceProc()
{
    m_kind = TokenKind::Space;
    while (isBlank(at(m_run)))
        ++m_run;
}

void SynPHPSyn::identProc()
{
    const SynHashCharTables &tables = phpTables();
    qsizetype end = m_run;
    while (end < m_line.size() && tables.isIdentifier(m_line[end]))
        ++end;
    m_kind = static_cast<TokenKind>(m_keywords.KindOf(m_line.mid(m_run, end - m_run)));
    m_run = end;
}

void SynPHPSyn::numberProc()
{
    m_kind = TokenKind::Number;
    ++m_run;
    // "1..5" is a number, two dots and a number: ".." never belongs to a number.
    while (isNumberChar(at(m_run)) && !(at(m_run) == u'.' && at(m_run + 1) == u'.'))
        ++m_run;
}

void SynPHPSyn::variableProc()
{
    m_kind = TokenKind::Variable;
    ++m_run;
    while (m_run < m_line.size() && phpTables().isIdentifier(m_line[m_run]))
        ++m_run;
}

void SynPHPSyn::singleStringProc()
{
    m_range = rsSingleString;
    firstLineString(u'\'');
}

void SynPHPSyn::doubleStringProc()
{
    m_range = rsDoubleString;
    firstLineString(u'"');
}

// On the line where it opens, a backslash escapes the quote or another backslash. A string left
// open keeps its range state, and the line break stays a token of its own.
void SynPHPSyn::firstLineString(char16_t quote)
{
    m_kind = TokenKind::String;
    do {
        if (atLineBreak())
            return;
        if (at(m_run) == u'\\' && (at(m_run + 1) == quote || at(m_run + 1) == u'\\'))
            ++m_run;
        ++m_run;
    } while (at(m_run) != quote);
    m_range = rsCode;
    ++m_run;
}

// On a continuation line only a double quote can be escaped, and only in a double-quoted string.
void SynPHPSyn::continueString(char16_t quote, bool escapes)
{
    m_kind = TokenKind::String;
    while (!atLineBreak()) {
        const char16_t c = at(m_run);
        if (escapes && c == u'\\' && at(m_run + 1) == quote) {
            m_run += 2;
            continue;
        }
        ++m_run;
        if (c == quote) {
            m_range = rsCode;
            return;
        }
    }
}

void SynPHPSyn::slashProc()
{
    switch (at(m_run + 1)) {
    case u'*': blockCommentProc(); break;
    case u'/': lineCommentProc(); break;
    default: symbolOrPair(u"=");
    }
}

void SynPHPSyn::lineCommentProc()
{
    m_kind = TokenKind::Comment;
    while (!atLineBreak())
        ++m_run;
}

void SynPHPSyn::blockCommentProc()
{
    m_range = rsComment;
    m_run += 2; // the "*" of "/*" cannot also close the comment
    continueComment();
}

void SynPHPSyn::continueComment()
{
    m_kind = TokenKind::Comment;
    while (!atLineBreak()) {
        if (at(m_run) == u'*' && at(m_run + 1) == u'/') {
            m_run += 2;
            m_range = rsCode;
            return;
        }
        ++m_run;
    }
}

void SynPHPSyn::invalidSymbolProc()
{
    symbol(TokenKind::InvalidSymbol, 1);
}

// A character outside the language; a surrogate pair is one character, never split.
void SynPHPSyn::unknownProc()
{
    const bool pair = QChar::isHighSurrogate(at(m_run)) && QChar::isLowSurrogate(at(m_run + 1));
    symbol(TokenKind::Unknown, pair ? 2 : 1);
}

void SynPHPSyn::lowerProc()
{
    if (at(m_run + 1) == u'<')
        symbol(TokenKind::Symbol, at(m_run + 2) == u'=' ? 3 : 2);
    else
        symbolOrPair(u"=");
}

void SynPHPSyn::pairProc()
{
    symbolOrPair(pairFollowers(at(m_run)));
}

void SynPHPSyn::singleSymbolProc()
{
    symbol(TokenKind::Symbol, 1);
}
