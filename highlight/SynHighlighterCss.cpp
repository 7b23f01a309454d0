#include "SynHighlighterCss.h"

#include "CharClasses.h"

#include <string_view>

namespace {

// Beyond this a word is never looked up, whatever the keyword table holds.
constexpr int HighestLookedUpHash = 254;

// Codes 1 to 32 except the line breaks, which are tokens of their own.
constexpr bool isBlank(char16_t c)
{
    return c >= 1 && c <= 32 && c != u'\n' && c != u'\r';
}

constexpr bool isAsciiLetterOrDigit(char16_t c)
{
    return isAsciiLetter(c) || isAsciiDigit(c);
}

// Words run over letters, digits, "_" and "-". Letters hash to 1..26 in either case and "_" to
// 31; digits add nothing, so they all match each other ("panose-7" is "panose-1"); "-" subtracts,
// so a word full of dashes can hash below zero and is then no keyword.
const SynHashCharTables &cssTables()
{
    static const SynHashCharTables tables = [] {
        SynHashCharTables t;
        for (int c = 0; c < 256; ++c) {
            t.identifier[c] = t.inHash[c] = isAsciiLetterOrDigit(c) || c == '_' || c == '-';
            t.value[c] = isAsciiLetter(c) ? (c & 0x1F) : c == '_' ? 31 : c == '-' ? -19 : 0;
        }
        return t;
    }();
    return tables;
}

// clang-format off
constexpr const char16_t *Keywords[] = {
    u"ascent", u"azimuth", u"b-box", u"background", u"background-attachment", u"background-color",
    u"background-image", u"background-position", u"background-position-x", u"background-position-y",
    u"baseline", u"behavior", u"border", u"border-bottom", u"border-bottom-color", u"border-bottom-style",
    u"border-bottom-width", u"border-collapse", u"border-color", u"border-left", u"border-left-color",
    u"border-left-style", u"border-left-width", u"border-right", u"border-right-color", u"border-right-style",
    u"border-right-width", u"border-spacing", u"border-style", u"border-top", u"border-top-color",
    u"border-top-style", u"border-top-width", u"border-width", u"bottom", u"cap-height", u"caption-side",
    u"centerline", u"clear", u"clip", u"cm", u"color", u"content", u"counter", u"counter-increment",
    u"counter-reset", u"cue", u"cue-after", u"cue-before", u"cursor", u"definition-src", u"deg", u"descent",
    u"direction", u"display", u"elevation", u"em", u"empty-cells", u"ex", u"filter", u"float", u"font",
    u"font-family", u"font-size", u"font-size-adjust", u"font-stretch", u"font-style", u"font-variant",
    u"font-weight", u"grad", u"height", u"Hz", u"ime-mode", u"in", u"kHz", u"layout-grid", u"layout-grid-line",
    u"layout-grid-mode", u"layout-grid-type", u"left", u"letter-spacing", u"line-break", u"line-height",
    u"list-style", u"list-style-image", u"list-style-position", u"list-style-type", u"margin", u"margin-bottom",
    u"margin-left", u"margin-right", u"margin-top", u"marker-offset", u"marks", u"mathline", u"max-height",
    u"max-width", u"min-height", u"min-width", u"mm", u"ms", u"orphans", u"outline", u"outline-color",
    u"outline-style", u"outline-width", u"overflow", u"overflow-x", u"overflow-y", u"padding", u"padding-bottom",
    u"padding-left", u"padding-right", u"padding-top", u"page", u"page-break-after", u"page-break-before",
    u"page-break-inside", u"panose-1", u"pause", u"pause-after", u"pause-before", u"pc", u"pitch",
    u"pitch-range", u"play-during", u"position", u"pt", u"px", u"quotes", u"rad", u"richness", u"right",
    u"ruby-align", u"ruby-overhang", u"ruby-position", u"run-in", u"s", u"scrollbar-3d-light-color",
    u"scrollbar-arrow-color", u"scrollbar-base-color", u"scrollbar-dark-shadow-color", u"scrollbar-face-color",
    u"scrollbar-highlight-color", u"scrollbar-shadow-color", u"size", u"slope", u"speak", u"speak-header",
    u"speak-numeral", u"speak-punctuation", u"speech-rate", u"src", u"stemh", u"stemv", u"stress",
    u"table-layout", u"text-align", u"text-autospace", u"text-decoration", u"text-indent", u"text-justify",
    u"text-kashida-space", u"text-shadow", u"text-transform", u"text-underline-position", u"top", u"top-line",
    u"unicode-bidi", u"unicode-range", u"units-per-em", u"vertical-align", u"visibility", u"voice-family",
    u"volume", u"white-space", u"widows", u"width", u"widths", u"word-break", u"word-spacing", u"word-wrap",
    u"writing-mode", u"x-height", u"z-index", u"zoom",
};
// clang-format on

std::vector<SynKeywordSlotTable::Keyword> keywordList()
{
    std::vector<SynKeywordSlotTable::Keyword> list;
    for (const char16_t *keyword : Keywords)
        list.push_back({keyword, static_cast<int>(SynCssSyn::TokenKind::Key)});
    return list;
}

constexpr char16_t FileFilter[] = u"Cascading Stylesheets (*.css)|*.css";

} // namespace

SynCssSyn::SynCssSyn()
    : m_commentAttri(AddAttri(QStringLiteral("Comment"), fsItalic)),
      m_identifierAttri(AddAttri(QStringLiteral("Identifier"))),
      m_keyAttri(AddAttri(QStringLiteral("Key"), fsBold)),
      m_numberAttri(AddAttri(QStringLiteral("Number"))),
      m_spaceAttri(AddAttri(QStringLiteral("Space"))),
      m_stringAttri(AddAttri(QStringLiteral("String"))),
      m_symbolAttri(AddAttri(QStringLiteral("Symbol"))),
      m_keywords(cssTables(), keywordList(), static_cast<int>(TokenKind::Identifier))
{
    ConnectAttributes();
    // By token kind; the end of the line has none, other characters look like identifiers.
    m_kindAttri = {m_commentAttri, m_identifierAttri, m_keyAttri,    nullptr,          m_numberAttri,
                   m_spaceAttri,   m_stringAttri,     m_symbolAttri, m_identifierAttri};
    buildDispatchTable();
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

void SynCssSyn::buildDispatchTable()
{
    // Punctuation, double quotes and everything from 127 up stay "other character".
    m_dispatch.fill(&SynCssSyn::unknownProc);
    for (int c = 0; c < 256; ++c) {
        if (isBlank(c))
            m_dispatch[c] = &SynCssSyn::spaceProc;
        else if (isAsciiLetter(c) || c == '_')
            m_dispatch[c] = &SynCssSyn::wordProc;
        else if (isAsciiDigit(c))
            m_dispatch[c] = &SynCssSyn::numberProc;
    }
    const struct {
        std::u16string_view chars;
        Handler handler;
    } rules[] = {
        {std::u16string_view(u"\0", 1), &SynCssSyn::nullProc},
        {u"\n", &SynCssSyn::lfProc},
        {u"\r", &SynCssSyn::crProc},
        {u"#$", &SynCssSyn::hexProc},
        {u"'", &SynCssSyn::stringProc},
        {u"{}", &SynCssSyn::braceProc},
        {u"()", &SynCssSyn::bracketProc},
        {u"/", &SynCssSyn::slashProc},
        {u"-", &SynCssSyn::minusProc},
    };
    for (const auto &rule : rules)
        for (char16_t c : rule.chars)
            m_dispatch[c] = rule.handler;
}

void SynCssSyn::ApplyMainFormSettings()
{
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

SynHighlighterAttributes *SynCssSyn::StandardAttri(int index) const
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

// "-" continues a keyword but is no word character for the editor's word commands.
CharSet SynCssSyn::WordChars() const
{
    return LatinWordChars();
}

QString SynCssSyn::DemoSource() const
{
    return QStringLiteral("/* Page layout,\n"
                          "   two columns */\n"
                          "body { font-family: 'Verdana', sans-serif; margin: 0 -2px; }\n"
                          "h1 { font-size: 1.5em; color: #FF00cc; z-index: 10; }\n"
                          "div.note { border: 1px solid #ccc; padding: 2ex 1e1pt; width: 50%; }\n");
}

void SynCssSyn::BeginLine(QStringView line, int)
{
    m_line = line;
    m_run = 0;
    Advance();
}

void SynCssSyn::Advance()
{
    m_tokenStart = m_run;
    // A line break inside an open comment is a blank of its own and leaves the comment open.
    if (m_range == rsComment && !atLineBreak()) {
        continueComment();
        return;
    }
    const char16_t c = at(m_run);
    (this->*m_dispatch[c < 256 ? c : 255])();
}

void SynCssSyn::token(TokenKind kind, qsizetype length)
{
    m_kind = kind;
    m_run += length;
}

void SynCssSyn::nullProc()
{
    m_kind = TokenKind::Null;
}

void SynCssSyn::lfProc()
{
    token(TokenKind::Space, 1);
}

void SynCssSyn::crProc()
{
    token(TokenKind::Space, at(m_run + 1) == u'\n' ? 2 : 1);
}

void SynCssSyn::spaceProc()
{
    m_kind = TokenKind::Space;
    m_run = skipWhile(m_run, isBlank);
}

// The hash is summed while the word is scanned, so only words that can be keywords are compared.
void SynCssSyn::wordProc()
{
    const SynHashCharTables &tables = cssTables();
    qint64 hash = 0; // a line may hold a word long enough to overflow an int
    const qsizetype end = skipWhile(m_run, [&](char16_t c) {
        const bool inWord = tables.isIdentifier(c);
        hash += inWord ? tables.hashValue(c) : 0;
        return inWord;
    });
    const bool lookedUp = hash >= 0 && hash <= HighestLookedUpHash;
    m_kind =
        lookedUp ? static_cast<TokenKind>(m_keywords.KindOf(m_line.sliced(m_run, end - m_run))) : TokenKind::Identifier;
    m_run = end;
}

// A number takes digits, "." and exponents, but leaves ".." and the units "ex" and "em" alone.
bool SynCssSyn::continuesNumber() const
{
    const char16_t next = at(m_run + 1);
    switch (at(m_run)) {
    case u'.': return next != u'.';
    case u'e': return next != u'x' && next != u'm';
    case u'E': return true;
    default: return isAsciiDigit(at(m_run));
    }
}

void SynCssSyn::numberProc()
{
    m_kind = TokenKind::Number;
    ++m_run;
    while (continuesNumber())
        ++m_run;
}

// "#" colours (and "$"), coloured as numbers.
void SynCssSyn::hexProc()
{
    m_kind = TokenKind::Number;
    m_run = skipWhile(m_run + 1, isHexDigit);
}

// No escapes, and never beyond the line: an unclosed string ends before the line break, which
// stays a blank of its own.
void SynCssSyn::stringProc()
{
    m_kind = TokenKind::String;
    if (at(m_run + 1) == u'\'' && at(m_run + 2) == u'\'')
        m_run += 2;
    do {
        if (atLineBreak())
            return;
        ++m_run;
    } while (at(m_run) != u'\'');
    ++m_run;
}

void SynCssSyn::braceProc()
{
    m_kind = TokenKind::String;
    m_run = skipWhile(m_run + 1, isAsciiDigit);
}

void SynCssSyn::bracketProc()
{
    token(TokenKind::Symbol, 1);
}

void SynCssSyn::slashProc()
{
    if (at(m_run + 1) != u'*') {
        token(TokenKind::Symbol, 1);
        return;
    }
    m_range = rsComment;
    m_run += 2; // the "*" of "/*" cannot also close the comment
    continueComment();
}

void SynCssSyn::continueComment()
{
    m_kind = TokenKind::Comment;
    while (!atLineBreak()) {
        if (at(m_run) == u'*' && at(m_run + 1) == u'/') {
            m_run += 2;
            m_range = rsNormal;
            return;
        }
        ++m_run;
    }
}

// After a space, "-" before a letter or digit (or before "." and one) is the sign of a number;
// anywhere else, and alone after a space, it is an identifier of its own.
void SynCssSyn::minusProc()
{
    if (m_run > 0 && at(m_run - 1) == u' ') {
        if (isAsciiLetterOrDigit(at(m_run + 1))) {
            token(TokenKind::Number, 1);
            return;
        }
        if (at(m_run + 1) == u'.' && isAsciiLetterOrDigit(at(m_run + 2))) {
            token(TokenKind::Number, 2);
            return;
        }
    }
    token(TokenKind::Identifier, 1);
}

// A surrogate pair is one character, never split.
void SynCssSyn::unknownProc()
{
    const bool pair = QChar::isHighSurrogate(at(m_run)) && QChar::isLowSurrogate(at(m_run + 1));
    token(TokenKind::Unknown, pair ? 2 : 1);
}
