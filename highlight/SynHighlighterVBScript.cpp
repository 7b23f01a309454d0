#include "SynHighlighterVBScript.h"

#include "CharClasses.h"

#include <algorithm>

namespace {

constexpr char16_t FileFilter[] = u"VBScript Files (*.vbs)|*.vbs";

// Codes 1 to 32 except the line breaks, which are tokens of their own.
constexpr bool isBlank(char16_t c)
{
    return c >= 1 && c <= 32 && c != u'\n' && c != u'\r';
}

// An exponent's sign is not taken: "1E-3" is a number, a minus and a number.
constexpr bool isNumberChar(char16_t c)
{
    return isAsciiDigit(c) || c == u'.' || c == u'E' || c == u'e';
}

// Letters hash to 1..26 in either case and "_" to 31; digits continue a word but add nothing.
const SynHashCharTables &vbsTables()
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

// clang-format off
constexpr std::u16string_view Keywords[] = {
    u"And", u"As", u"Boolean", u"ByRef", u"Byte", u"ByVal", u"Call", u"Case", u"Class", u"Const", u"Currency",
    u"Debug", u"Dim", u"Do", u"Double", u"Each", u"Else", u"ElseIf", u"Empty", u"End", u"EndIf", u"Enum", u"Eqv",
    u"Erase", u"Error", u"Event", u"Exit", u"Explicit", u"False", u"For", u"Function", u"Get", u"GoTo", u"If",
    u"Imp", u"Implements", u"In", u"Integer", u"Is", u"Let", u"Like", u"Long", u"Loop", u"LSet", u"Me", u"Mod",
    u"New", u"Next", u"Not", u"Nothing", u"Null", u"On", u"Option", u"Optional", u"Or", u"ParamArray", u"Preserve",
    u"Private", u"property", u"Public", u"RaiseEvent", u"Randomize", u"ReDim", u"Rem", u"Resume", u"RSet",
    u"Select", u"Set", u"Shared", u"Single", u"Static", u"Stop", u"Sub", u"Then", u"To", u"True", u"Type",
    u"TypeOf", u"Until", u"Variant", u"Wend", u"While", u"With", u"Xor",
};
// clang-format on

// A longer word cannot be a keyword, so it is never hashed: long runs cost one pass, not two.
constexpr qsizetype LongestKeyword = std::ranges::max(Keywords, {}, &std::u16string_view::size).size();

std::vector<SynKeywordSlotTable::Keyword> keywordList()
{
    std::vector<SynKeywordSlotTable::Keyword> list;
    for (std::u16string_view keyword : Keywords)
        list.push_back({keyword.data(), static_cast<int>(SynVBScriptSyn::TokenKind::Key)});
    return list;
}

// The second characters that make a two-character symbol with the first.
constexpr std::u16string_view pairFollowers(char16_t first)
{
    return first == u'<' ? u"=>" : u"=";
}

} // namespace

SynVBScriptSyn::SynVBScriptSyn()
    : m_commentAttri(AddAttri(QStringLiteral("Comment"), fsItalic)),
      m_identifierAttri(AddAttri(QStringLiteral("Identifier"))),
      m_keyAttri(AddAttri(QStringLiteral("Reserved word"), fsBold)),
      m_numberAttri(AddAttri(QStringLiteral("Number"))),
      m_spaceAttri(AddAttri(QStringLiteral("Space"))),
      m_stringAttri(AddAttri(QStringLiteral("String"))),
      m_symbolAttri(AddAttri(QStringLiteral("Symbol"))),
      m_keywords(vbsTables(), keywordList(), static_cast<int>(TokenKind::Identifier))
{
    ConnectAttributes();
    // By token kind; the end of the line has none.
    m_kindAttri = {m_commentAttri, m_identifierAttri, m_keyAttri,    nullptr,          m_numberAttri,
                   m_spaceAttri,   m_stringAttri,     m_symbolAttri, m_identifierAttri};
    buildDispatchTable();
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

void SynVBScriptSyn::buildDispatchTable()
{
    // Everything no rule names, code 127 and all from 128 up included, is an "other" character.
    m_dispatch.fill(&SynVBScriptSyn::otherProc);
    for (int c = 0; c < 256; ++c) {
        if (isBlank(c))
            m_dispatch[c] = &SynVBScriptSyn::spaceProc;
        else if (isAsciiLetter(c) || c == '_')
            m_dispatch[c] = &SynVBScriptSyn::identProc;
        else if (isAsciiDigit(c))
            m_dispatch[c] = &SynVBScriptSyn::numberProc;
    }
    const struct {
        std::u16string_view chars;
        Handler handler;
    } rules[] = {
        {std::u16string_view(u"\0", 1), &SynVBScriptSyn::nullProc},
        {u"\n", &SynVBScriptSyn::lfProc},
        {u"\r", &SynVBScriptSyn::crProc},
        {u"'", &SynVBScriptSyn::commentProc},
        {u"\"", &SynVBScriptSyn::stringProc},
        {u"#", &SynVBScriptSyn::dateProc},
        {u"<>", &SynVBScriptSyn::pairProc},
        {u"&()*+,-./:;=^{}", &SynVBScriptSyn::symbolProc},
    };
    for (const auto &rule : rules)
        for (char16_t c : rule.chars)
            m_dispatch[c] = rule.handler;
}

void SynVBScriptSyn::ApplyMainFormSettings()
{
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

SynHighlighterAttributes *SynVBScriptSyn::StandardAttri(int index) const
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

CharSet SynVBScriptSyn::WordChars() const
{
    return LatinWordChars();
}

QString SynVBScriptSyn::DemoSource() const
{
    return QStringLiteral("' Syntax highlighting\n"
                          "Function PrintNumber\n"
                          "  Number = 12345\n"
                          "  Document.Write(\"The number is \" & Number)\n"
                          "  For I = 0 To 1000\n"
                          "    Number = Number + 1\n"
                          "  Next\n"
                          "End Function\n");
}

void SynVBScriptSyn::BeginLine(QStringView line, int)
{
    m_line = line;
    m_run = 0;
    Advance();
}

void SynVBScriptSyn::Advance()
{
    m_tokenStart = m_run;
    const char16_t c = at(m_run);
    (this->*m_dispatch[c < 256 ? c : 255])();
}

void SynVBScriptSyn::token(TokenKind kind, qsizetype length)
{
    m_kind = kind;
    m_run += length;
}

void SynVBScriptSyn::closedBy(char16_t close)
{
    m_kind = TokenKind::String;
    ++m_run;
    while (!atLineBreak() && at(m_run) != close)
        ++m_run;
    if (at(m_run) == close)
        ++m_run;
}

void SynVBScriptSyn::nullProc()
{
    m_kind = TokenKind::Null;
}

void SynVBScriptSyn::lfProc()
{
    token(TokenKind::Space, 1);
}

void SynVBScriptSyn::crProc()
{
    token(TokenKind::Space, at(m_run + 1) == u'\n' ? 2 : 1);
}

void SynVBScriptSyn::spaceProc()
{
    m_kind = TokenKind::Space;
    while (isBlank(at(m_run)))
        ++m_run;
}

// A line break is a blank of its own even here, as everywhere else.
void SynVBScriptSyn::commentProc()
{
    m_kind = TokenKind::Comment;
    while (!atLineBreak())
        ++m_run;
}

// A string opening with three quotes starts with an escaped quote, so its third quote does not
// close it.
void SynVBScriptSyn::stringProc()
{
    if (at(m_run + 1) == u'"' && at(m_run + 2) == u'"')
        m_run += 2;
    closedBy(u'"');
}

void SynVBScriptSyn::dateProc()
{
    closedBy(u'#');
}

void SynVBScriptSyn::numberProc()
{
    m_kind = TokenKind::Number;
    ++m_run;
    while (isNumberChar(at(m_run)))
        ++m_run;
}

void SynVBScriptSyn::identProc()
{
    const SynHashCharTables &tables = vbsTables();
    qsizetype end = m_run + 1;
    while (end < m_line.size() && tables.isIdentifier(m_line[end]))
        ++end;
    const qsizetype length = end - m_run;
    m_kind = length > LongestKeyword ? TokenKind::Identifier
                                     : static_cast<TokenKind>(m_keywords.KindOf(m_line.mid(m_run, length)));
    m_run = end;
}

void SynVBScriptSyn::pairProc()
{
    const char16_t next = at(m_run + 1);
    const bool pair = next != u'\0' && pairFollowers(at(m_run)).find(next) != std::u16string_view::npos;
    token(TokenKind::Symbol, pair ? 2 : 1);
}

void SynVBScriptSyn::symbolProc()
{
    token(TokenKind::Symbol, 1);
}

// A character outside the language; a surrogate pair is one character, never split.
void SynVBScriptSyn::otherProc()
{
    const bool pair = QChar::isHighSurrogate(at(m_run)) && QChar::isLowSurrogate(at(m_run + 1));
    token(TokenKind::Identifier, pair ? 2 : 1);
}
