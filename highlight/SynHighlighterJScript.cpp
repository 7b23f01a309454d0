#include "SynHighlighterJScript.h"

#include "CharClasses.h"

#include <algorithm>

namespace {

using Kind = SynJScriptSyn::TokenKind;

// clang-format off
constexpr char16_t ReservedWords[] =
    u"abstract boolean break byte callee case catch char class const constructor continue debugger "
    u"default delete do double else enum export extends false final finally float for function goto "
    u"if implements import in instanceof int interface long NaN native new null package private "
    u"protected prototype public return short start static super switch synchronized this throw "
    u"throws transient true try typeof var void while with";

constexpr char16_t EventNames[] =
    u"onAbort onBlur onChange onClick onDblClick onError onFocus onKeyDown onKeyPress onKeyUp onLoad "
    u"onMouseDown onMouseMove onMouseOut onMouseOver onMouseUp onReset onSelect onSubmit onUnload";

// The browser object model: objects, methods and properties.
constexpr char16_t NonReservedWords[] =
    u"abs acos action alert align alinkColor All all Anchor anchor anchors appCodeName Applet applets "
    u"appName appVersion Area Arguments arguments Array asin atan atan2 back background bgColor big "
    u"blink blur body bold Boolean border bottom Button call caller captureEvents ceil charAt "
    u"charCodeAt Checkbox checked clear clearInterval clearTimeout click close closed color complete "
    u"concat confirm cookie cos current Date defaultChecked defaultSelected defaultStatus defaultValue "
    u"description display document domain E elements Embed embeds enabledPlugin encoding escape eval "
    u"event exp fgColor filename FileUpload find fixed Float floor focus fontcolor fontsize Form form "
    u"forms forward Frame frames fromCharCode Function getDate getDay getElementById getFullYear "
    u"getHours getMilliseconds getMinutes getMonth getSeconds getTime getTimezoneOffset getUTCDate "
    u"getUTCDay getUTCFullYear getUTCHours getUTCMilliseconds getUTCMinutes getUTCMonth getUTCSeconds "
    u"getYear Global go handleEvent hash height Hidden History history home host hostname href hspace "
    u"Image images index indexOf Infinity innerHeight innerWidth input isFinite isNaN italics java "
    u"javaEnabled join lastIndexOf lastModified Layer layers left length Link link linkColor links LN10 "
    u"LN2 Location location locationbar log LOG10E LOG2E logon lowsrc match Math max MAX_VALUE menubar "
    u"method MimeType mimeTypes min MIN_VALUE moveBy moveTo name Navigator navigator NEGATIVE_INFINITY "
    u"netscape next Null Number Object open opener Option options outerHeight outerWidth Packages pageX "
    u"pageXOffset pageY pageYOffset parent parse parseFloat parseInt Password pathname personalbar PI "
    u"platform Plugin plugins port POSITIVE_INFINITY pow previous print prompt protocol Radio random "
    u"referrer refresh RegExp releaseEvents reload replace Reset reset resizeBy resizeTo reverse right "
    u"round routeEvent screen scroll scrollbars scrollBy scrollTo search Select select selected "
    u"selectedIndex self setDate setFullYear setHours setInterval setMilliseconds setMinutes setMonth "
    u"setSeconds setTime setTimeout setUTCDate setUTCFullYear setUTCHours setUTCMilliseconds "
    u"setUTCMinutes setUTCMonth setUTCSeconds setYear sin slice small sort split sqrt SQRT1_2 SQRT2 src "
    u"status statusbar stop strike String style sub Submit submit substr substring suffixes sup tags "
    u"taint taintEnabled tan target Text text Textarea title toGMTString toLocaleString toLowerCase "
    u"toolbar top toSource toString toUpperCase toUTCString type Undefined undefined unescape untaint "
    u"unwatch URL userAgent UTC value valueOf visibility vlinkColor vspace watch width Window window "
    u"write writeln zIndex";
// clang-format on

constexpr char16_t FileFilter[] = u"Javascript Files (*.js)|*.js";

// Which characters continue a word, and what each adds to a word's hash: letters 1 to 26 in
// either case, "_" 31, digits nothing.
struct CharTables {
    std::array<bool, 256> identifier{};
    std::array<std::uint8_t, 256> hash{};
};

constexpr CharTables makeCharTables()
{
    CharTables t;
    for (int c = 0; c < 256; ++c) {
        t.identifier[c] = isAsciiLetter(c) || isAsciiDigit(c) || c == '_';
        t.hash[c] = static_cast<std::uint8_t>(isAsciiLetter(c) ? (c & 0x1F) : c == '_' ? 31 : 0);
    }
    return t;
}

constexpr CharTables Chars = makeCharTables();

constexpr bool isIdentifier(char16_t c)
{
    return c < 256 && Chars.identifier[c];
}

// Codes 1 to 32 except the line breaks, which are tokens of their own.
constexpr bool isBlank(char16_t c)
{
    return c >= 1 && c <= 32 && c != u'\n' && c != u'\r';
}

// The hash of a whole word; it stops growing once it is past the table, so no line is too long.
int wordHash(std::u16string_view word)
{
    int hash = 0;
    for (char16_t c : word) {
        if (hash >= SynJScriptSyn::KeywordSlotCount)
            break;
        hash += Chars.hash[c & 0xFF];
    }
    return hash;
}

// The second characters that make a two-character symbol with the first.
constexpr std::u16string_view pairFollowers(char16_t first)
{
    switch (first) {
    case u'&': return u"&=";
    case u'|': return u"|=";
    case u'+': return u"+=";
    case u'-': return u"-=>";
    default: return u"="; // * %
    }
}

} // namespace

SynJScriptSyn::SynJScriptSyn()
    : m_commentAttri(AddAttri(QStringLiteral("Comment"), fsItalic)),
      m_identifierAttri(AddAttri(QStringLiteral("Identifier"))),
      m_keyAttri(AddAttri(QStringLiteral("Reserved word"), fsBold)),
      m_nonReservedKeyAttri(AddAttri(QStringLiteral("Non-reserved keyword"))),
      m_eventAttri(AddAttri(QStringLiteral("Event"))),
      m_numberAttri(AddAttri(QStringLiteral("Number"))),
      m_spaceAttri(AddAttri(QStringLiteral("Space"))),
      m_stringAttri(AddAttri(QStringLiteral("String"))),
      m_symbolAttri(AddAttri(QStringLiteral("Symbol")))
{
    ConnectAttributes();
    buildDispatchTable();
    buildKeywordSlots();
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

void SynJScriptSyn::buildDispatchTable()
{
    // "#", "$", "@", "\", "^", "`" and everything from 127 up stay "other character".
    m_dispatch.fill(&SynJScriptSyn::unknownProc);
    for (int c = 0; c < 256; ++c) {
        if (isBlank(c))
            m_dispatch[c] = &SynJScriptSyn::spaceProc;
        else if (isAsciiLetter(c) || c == '_')
            m_dispatch[c] = &SynJScriptSyn::identProc;
        else if (isAsciiDigit(c))
            m_dispatch[c] = &SynJScriptSyn::numberProc;
    }
    const struct {
        std::u16string_view chars;
        Handler handler;
    } rules[] = {
        {std::u16string_view(u"\0", 1), &SynJScriptSyn::nullProc},
        {u"\n", &SynJScriptSyn::lfProc},
        {u"\r", &SynJScriptSyn::crProc},
        {u"'\"", &SynJScriptSyn::stringProc},
        {u"/", &SynJScriptSyn::slashProc},
        {u"&|+-*%", &SynJScriptSyn::pairProc},
        {u".", &SynJScriptSyn::dotProc},
        {u"!(),:;<=>?[]{}~", &SynJScriptSyn::singleSymbolProc},
    };
    for (const auto &rule : rules)
        for (char16_t c : rule.chars)
            m_dispatch[c] = rule.handler;
}

// Groups the keywords by hash so that a word is compared only with those of its own slot.
void SynJScriptSyn::buildKeywordSlots()
{
    const struct {
        std::u16string_view words;
        Kind kind;
    } lists[] = {{ReservedWords, Kind::Key}, {EventNames, Kind::Event}, {NonReservedWords, Kind::NonReservedKey}};
    std::vector<std::pair<int, Keyword>> hashed;
    for (const auto &list : lists) {
        for (std::u16string_view rest = list.words; !rest.empty();) {
            const size_t end = std::min(rest.find(u' '), rest.size());
            const std::u16string_view word = rest.substr(0, end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
            const int hash = wordHash(word);
            if (hash < KeywordSlotCount)
                hashed.push_back({hash, {word, list.kind}});
            else
                SynRaiseError(QStringLiteral("The JavaScript keyword \"%1\" hashes beyond the keyword table")
                                  .arg(QString::fromUtf16(word.data(), static_cast<qsizetype>(word.size()))));
        }
    }
    std::stable_sort(hashed.begin(), hashed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    m_slotWords.reserve(hashed.size());
    size_t next = 0;
    for (int slot = 0; slot < KeywordSlotCount; ++slot) {
        m_slotBegin[slot] = static_cast<std::uint16_t>(m_slotWords.size());
        for (; next < hashed.size() && hashed[next].first == slot; ++next)
            m_slotWords.push_back(hashed[next].second);
    }
    m_slotBegin[KeywordSlotCount] = static_cast<std::uint16_t>(m_slotWords.size());
}

SynJScriptSyn::TokenKind SynJScriptSyn::keywordKind(std::u16string_view word, int hash) const
{
    if (hash >= KeywordSlotCount)
        return Kind::Identifier;
    for (int i = m_slotBegin[hash]; i < m_slotBegin[hash + 1]; ++i) {
        if (m_slotWords[i].text == word)
            return m_slotWords[i].kind;
    }
    return Kind::Identifier;
}

void SynJScriptSyn::ApplyMainFormSettings()
{
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

SynHighlighterAttributes *SynJScriptSyn::StandardAttri(int index) const
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

CharSet SynJScriptSyn::WordChars() const
{
    return LatinWordChars();
}

QString SynJScriptSyn::DemoSource() const
{
    return QStringLiteral("/* Counts the clicks on a button\n"
                          "   and shows the total */\n"
                          "function countClicks(button) {\n"
                          "    var total = 0x0;\n"
                          "    button.onClick = function () {\n"
                          "        total += 1.5; // half a click more each time\n"
                          "        document.title = 'Clicked: ' + total;\n"
                          "        if (total >= 10 && !window.closed) alert(\"That's plenty\");\n"
                          "    };\n"
                          "    return $el || null;\n"
                          "}\n");
}

SynHighlighterAttributes *SynJScriptSyn::TokenAttri() const
{
    switch (m_kind) {
    case Kind::Comment: return m_commentAttri;
    case Kind::Identifier: return m_identifierAttri;
    case Kind::Key: return m_keyAttri;
    case Kind::Number: return m_numberAttri;
    case Kind::Space: return m_spaceAttri;
    case Kind::String: return m_stringAttri;
    case Kind::Symbol: return m_symbolAttri;
    case Kind::NonReservedKey: return m_nonReservedKeyAttri;
    case Kind::Event: return m_eventAttri;
    case Kind::Null:
    case Kind::Unknown: break;
    }
    return nullptr;
}

void SynJScriptSyn::BeginLine(QStringView line, int)
{
    m_line = line;
    m_run = 0;
    Advance();
}

void SynJScriptSyn::Advance()
{
    m_tokenStart = m_run;
    // A line break inside an open comment is a blank like any other; scanning it as comment would
    // give an empty token that never moves on.
    if (m_range == rsComment && !atLineBreak()) {
        continueComment();
        return;
    }
    const char16_t c = at(m_run);
    (this->*m_dispatch[c < 256 ? c : 255])();
}

void SynJScriptSyn::token(TokenKind kind, qsizetype length)
{
    m_kind = kind;
    m_run += length;
}

void SynJScriptSyn::symbolOrPair(std::u16string_view followers)
{
    const char16_t next = at(m_run + 1);
    token(Kind::Symbol, next != u'\0' && followers.find(next) != std::u16string_view::npos ? 2 : 1);
}

void SynJScriptSyn::nullProc()
{
    m_kind = Kind::Null;
}

void SynJScriptSyn::lfProc()
{
    token(Kind::Space, 1);
}

void SynJScriptSyn::crProc()
{
    token(Kind::Space, at(m_run + 1) == u'\n' ? 2 : 1);
}

void SynJScriptSyn::spaceProc()
{
    m_kind = Kind::Space;
    while (isBlank(at(m_run)))
        ++m_run;
}

void SynJScriptSyn::identProc()
{
    qsizetype end = m_run;
    while (end < m_line.size() && isIdentifier(m_line[end].unicode()))
        ++end;
    const std::u16string_view word(m_line.utf16() + m_run, static_cast<size_t>(end - m_run));
    m_kind = keywordKind(word, wordHash(word));
    m_run = end;
}

// Digits, ".", hex letters and "x" continue a number, but ".." never belongs to one, hex letters
// only after "0x", and the "x" only right after a leading "0" with a hex digit behind it.
void SynJScriptSyn::numberProc()
{
    m_kind = Kind::Number;
    bool hex = false;
    for (++m_run;; ++m_run) {
        const char16_t c = at(m_run);
        if (c == u'.') {
            if (at(m_run + 1) == u'.')
                return;
        } else if (c == u'x' || c == u'X') {
            hex = m_run == m_tokenStart + 1 && at(m_tokenStart) == u'0' && isHexDigit(at(m_run + 1));
            if (!hex)
                return;
        } else if (!isAsciiDigit(c) && !(hex && isHexDigit(c))) {
            return;
        }
    }
}

// Three quotes in a row open a string that the next single quote closes. A quote after a
// backslash never closes, whatever comes before the backslash. A string ends with its line.
void SynJScriptSyn::stringProc()
{
    m_kind = Kind::String;
    const char16_t quote = at(m_run);
    if (at(m_run + 1) == quote && at(m_run + 2) == quote)
        m_run += 2;
    do {
        if (atLineBreak())
            return; // the line break stays a blank of its own
        ++m_run;
    } while (at(m_run) != quote || at(m_run - 1) == u'\\');
    ++m_run;
}

void SynJScriptSyn::slashProc()
{
    switch (at(m_run + 1)) {
    case u'*': blockCommentProc(); break;
    case u'/': lineCommentProc(); break;
    default: symbolOrPair(u"=");
    }
}

void SynJScriptSyn::pairProc()
{
    symbolOrPair(pairFollowers(at(m_run)));
}

void SynJScriptSyn::dotProc()
{
    token(Kind::Symbol, at(m_run + 1) == u'.' && at(m_run + 2) == u'.' ? 3 : 1);
}

// A character outside the language; a surrogate pair is one character, never split.
void SynJScriptSyn::unknownProc()
{
    const bool pair = QChar::isHighSurrogate(at(m_run)) && QChar::isLowSurrogate(at(m_run + 1));
    token(Kind::Unknown, pair ? 2 : 1);
}

void SynJScriptSyn::singleSymbolProc()
{
    token(Kind::Symbol, 1);
}

void SynJScriptSyn::blockCommentProc()
{
    m_range = rsComment;
    m_run += 2; // the "*" of "/*" cannot also close the comment
    continueComment();
}

void SynJScriptSyn::lineCommentProc()
{
    m_kind = Kind::Comment;
    while (!atLineBreak())
        ++m_run;
}

void SynJScriptSyn::continueComment()
{
    m_kind = Kind::Comment;
    while (!atLineBreak()) {
        if (at(m_run) == u'*' && at(m_run + 1) == u'/') {
            m_run += 2;
            m_range = rsCode;
            return;
        }
        ++m_run;
    }
}
