#include "SynHighlighterGeneral.h"

#include "CharClasses.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr SynColor clNavy = 0x800000;
constexpr SynColor clPurple = 0x800080;
constexpr SynColor clTeal = 0x808000;
constexpr SynColor clBlue = 0xFF0000;

const CharSet DefaultIdentifierChars = CharSet::range(33, 255);

// Codes 1 to 32 except the line breaks, which are tokens of their own.
constexpr bool isBlank(char16_t c)
{
    return c >= 1 && c <= 32 && c != u'\n' && c != u'\r';
}

// Words are lexed from this fixed set whatever IdentifierChars holds.
constexpr bool isWordChar(char16_t c)
{
    return isAsciiLetter(c) || isAsciiDigit(c) || c == u'_';
}

bool isAsciiWord(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return isWordChar(c.unicode()); });
}

// "." and "E" continue a number so that 1.5e3 is one token; a sign does not.
constexpr bool isNumberChar(char16_t c)
{
    return isAsciiDigit(c) || c == u'.' || c == u'E' || c == u'e';
}

constexpr std::u16string_view commentCloser(SynRangeState range)
{
    switch (range) {
    case SynGeneralSyn::rsAnsiComment: return u"*)";
    case SynGeneralSyn::rsPasComment: return u"}";
    default: return u"*/";
    }
}

constexpr bool isOpenComment(SynRangeState range)
{
    return range == SynGeneralSyn::rsAnsiComment || range == SynGeneralSyn::rsPasComment
        || range == SynGeneralSyn::rsCComment;
}

bool caseInsensitiveLess(const QString &entry, QStringView word)
{
    return QStringView(entry).compare(word, Qt::CaseInsensitive) < 0;
}

} // namespace

// ---- The word table

void SynGeneralSyn::WordTable::Clear()
{
    m_chars.clear();
    m_entries.clear();
    m_slots.clear();
}

std::uint32_t SynGeneralSyn::WordTable::HashOf(QStringView word)
{
    std::uint32_t hash = 2166136261u;
    for (QChar c : word)
        hash = (hash ^ static_cast<std::uint32_t>(asciiLowerCase(c.unicode()))) * 16777619u;
    return hash;
}

bool SynGeneralSyn::WordTable::Equal(const Entry &entry, QStringView word) const
{
    if (entry.length != static_cast<std::uint32_t>(word.size()))
        return false;
    const char *chars = m_chars.data() + entry.offset;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (static_cast<int>(chars[i]) != asciiLowerCase(word[i].unicode()))
            return false;
    return true;
}

bool SynGeneralSyn::WordTable::Contains(QStringView word) const
{
    if (m_slots.empty())
        return false;
    const std::uint32_t hash = HashOf(word);
    const std::size_t mask = m_slots.size() - 1;
    // At most half the slots are taken, so the probe always reaches a free one.
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint32_t slot = m_slots[i];
        if (slot == 0)
            return false;
        const Entry &entry = m_entries[slot - 1];
        if (entry.hash == hash && Equal(entry, word))
            return true;
    }
}

void SynGeneralSyn::WordTable::Insert(QStringView foldedWord)
{
    if (Contains(foldedWord))
        return;
    const auto offset = static_cast<std::uint32_t>(m_chars.size());
    for (QChar c : foldedWord)
        m_chars.push_back(static_cast<char>(c.unicode()));
    m_entries.push_back({HashOf(foldedWord), offset, static_cast<std::uint32_t>(foldedWord.size())});
    if (m_entries.size() * 2 > m_slots.size())
        Grow();
    else
        Place(static_cast<std::uint32_t>(m_entries.size() - 1));
}

void SynGeneralSyn::WordTable::Place(std::uint32_t entryIndex)
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = m_entries[entryIndex].hash & mask;
    while (m_slots[i] != 0)
        i = (i + 1) & mask;
    m_slots[i] = entryIndex + 1;
}

void SynGeneralSyn::WordTable::Grow()
{
    std::size_t size = std::max<std::size_t>(16, m_slots.size());
    while (size < m_entries.size() * 2)
        size *= 2;
    m_slots.assign(size, 0);
    for (std::uint32_t i = 0; i < m_entries.size(); ++i)
        Place(i);
}

// ---- The highlighter

SynGeneralSyn::SynGeneralSyn()
    : m_commentAttri(AddAttri(QStringLiteral("Comment"), fsItalic)),
      m_identifierAttri(AddAttri(QStringLiteral("Identifier"))),
      m_keyAttri(AddAttri(QStringLiteral("Reserved word"), fsBold)),
      m_numberAttri(AddAttri(QStringLiteral("Number"))),
      m_spaceAttri(AddAttri(QStringLiteral("Space"))),
      m_stringAttri(AddAttri(QStringLiteral("String"))),
      m_symbolAttri(AddAttri(QStringLiteral("Symbol"))),
      m_preprocessorAttri(AddAttri(QStringLiteral("Preprocessor"))),
      m_identifierChars(DefaultIdentifierChars)
{
    ConnectAttributes();
    // By token kind; the end of the line has none, other characters look like symbols.
    m_kindAttri = {m_commentAttri,      m_identifierAttri, m_keyAttri,    nullptr,       m_numberAttri,
                   m_preprocessorAttri, m_spaceAttri,      m_stringAttri, m_symbolAttri, m_symbolAttri};
    buildDispatchTable();
}

void SynGeneralSyn::buildDispatchTable()
{
    m_dispatch.fill(&SynGeneralSyn::unknownProc);
    for (int c = 0; c < 256; ++c) {
        if (isBlank(c))
            m_dispatch[c] = &SynGeneralSyn::spaceProc;
        else if (isAsciiLetter(c) || c == '_')
            m_dispatch[c] = &SynGeneralSyn::identProc;
        else if (isAsciiDigit(c))
            m_dispatch[c] = &SynGeneralSyn::numberProc;
    }
    const struct {
        char16_t c;
        Handler handler;
    } rules[] = {
        {u'\0', &SynGeneralSyn::nullProc},     {u'\n', &SynGeneralSyn::lfProc},   {u'\r', &SynGeneralSyn::crProc},
        {u'$', &SynGeneralSyn::hexProc},       {u'#', &SynGeneralSyn::hashProc},  {u'(', &SynGeneralSyn::roundOpenProc},
        {u'{', &SynGeneralSyn::braceOpenProc}, {u'/', &SynGeneralSyn::slashProc}, {u';', &SynGeneralSyn::semicolonProc},
    };
    for (const auto &rule : rules)
        m_dispatch[rule.c] = rule.handler;
    m_dispatch[m_stringDelim == sdDoubleQuote ? u'"' : u'\''] = &SynGeneralSyn::stringProc;
}

void SynGeneralSyn::ApplyMainFormSettings()
{
    m_commentAttri->SetForeground(clTeal);
    SetComments(csCStyle);
    SetDetectPreprocessor(false);
    m_identifierAttri->SetForeground(clNavy);
    m_identifierChars = DefaultIdentifierChars;
    m_numberAttri->SetForeground(clBlue);
    m_numberAttri->SetStyle(fsBold);
    m_preprocessorAttri->SetStyle(fsItalic);
    m_stringAttri->SetForeground(clPurple);
    SetStringDelim(sdDoubleQuote);
}

void SynGeneralSyn::SetComments(CommentStyles comments)
{
    m_comments = comments;
    AttriChanged();
}

void SynGeneralSyn::SetDetectPreprocessor(bool detect)
{
    m_detectPreprocessor = detect;
    AttriChanged();
}

void SynGeneralSyn::SetStringDelim(StringDelimiter delimiter)
{
    if (m_stringDelim == delimiter)
        return;
    m_stringDelim = delimiter;
    buildDispatchTable();
}

QString SynGeneralSyn::IdentifierChars() const
{
    QString chars;
    for (char16_t c = 0; c < 256; ++c)
        if (m_identifierChars.contains(c))
            chars.append(QChar(c));
    return chars;
}

void SynGeneralSyn::SetIdentifierChars(QStringView chars)
{
    CharSet set;
    for (QChar c : chars)
        set.insert(std::min<unsigned>(c.unicode(), 255));
    m_identifierChars = set;
}

void SynGeneralSyn::SetKeyWords(const QStringList &words)
{
    m_keyWords.clear();
    m_wordTable.Clear();
    for (const QString &word : words)
        addKeyWord(word.toUpper());
    AttriChanged();
}

void SynGeneralSyn::ClearKeyWords()
{
    m_keyWords.clear();
    m_wordTable.Clear();
    AttriChanged();
}

void SynGeneralSyn::AddKeyWords(const QStringList &words)
{
    for (const QString &word : words)
        addKeyWord(word);
    AttriChanged();
}

void SynGeneralSyn::addKeyWord(const QString &word)
{
    const auto at = std::lower_bound(m_keyWords.begin(), m_keyWords.end(), QStringView(word), caseInsensitiveLess);
    if (at != m_keyWords.end() && at->compare(word, Qt::CaseInsensitive) == 0)
        return;
    m_keyWords.insert(at, word);
    // Folding can turn a few non-ASCII letters (the Kelvin sign) into ASCII ones, which then
    // match scanned words just as the case-insensitive comparison says they should.
    const QString folded = word.toCaseFolded();
    if (isAsciiWord(folded))
        m_wordTable.Insert(folded);
}

bool SynGeneralSyn::IsKeywordText(QStringView word) const
{
    if (isAsciiWord(word))
        return m_wordTable.Contains(word);
    const auto at = std::lower_bound(m_keyWords.begin(), m_keyWords.end(), word, caseInsensitiveLess);
    return at != m_keyWords.end() && at->compare(word, Qt::CaseInsensitive) == 0;
}

SynHighlighterAttributes *SynGeneralSyn::StandardAttri(int index) const
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

void SynGeneralSyn::BeginLine(QStringView line, int)
{
    m_line = line;
    m_run = 0;
    Advance();
}

void SynGeneralSyn::Advance()
{
    m_tokenStart = m_run;
    // A line break inside an open comment is a blank of its own and keeps the comment open.
    if (isOpenComment(m_range) && !atLineBreak()) {
        continueComment();
        return;
    }
    const char16_t c = at(m_run);
    (this->*m_dispatch[c < 256 ? c : 255])();
}

void SynGeneralSyn::token(TokenKind kind, qsizetype length)
{
    m_kind = kind;
    m_run += length;
}

void SynGeneralSyn::toLineEnd(TokenKind kind)
{
    m_kind = kind;
    while (!atLineBreak())
        ++m_run;
}

void SynGeneralSyn::openComment(SynRangeState range, qsizetype openerLength)
{
    m_range = range;
    // The opener's "*" cannot also close the comment: "(*)" and "/*/" leave it open.
    m_run += openerLength;
    continueComment();
}

void SynGeneralSyn::continueComment()
{
    m_kind = TokenKind::Comment;
    const std::u16string_view closer = commentCloser(m_range);
    while (!atLineBreak()) {
        if (at(m_run) == closer[0] && (closer.size() == 1 || at(m_run + 1) == closer[1])) {
            m_run += static_cast<qsizetype>(closer.size());
            m_range = rsNormal;
            return;
        }
        ++m_run;
    }
}

void SynGeneralSyn::nullProc()
{
    m_kind = TokenKind::Null;
}

void SynGeneralSyn::lfProc()
{
    token(TokenKind::Space, 1);
}

void SynGeneralSyn::crProc()
{
    token(TokenKind::Space, at(m_run + 1) == u'\n' ? 2 : 1);
}

void SynGeneralSyn::spaceProc()
{
    m_kind = TokenKind::Space;
    ++m_run;
    while (isBlank(at(m_run)))
        ++m_run;
}

void SynGeneralSyn::identProc()
{
    qsizetype end = m_run + 1;
    while (end < m_line.size() && isWordChar(m_line[end].unicode()))
        ++end;
    const bool key = !m_wordTable.Empty() && m_wordTable.Contains(m_line.mid(m_run, end - m_run));
    m_kind = key ? TokenKind::Key : TokenKind::Identifier;
    m_run = end;
}

void SynGeneralSyn::numberProc()
{
    m_kind = TokenKind::Number;
    ++m_run;
    for (char16_t c = at(m_run); isNumberChar(c) || c == u'x'; c = at(m_run)) {
        if (c == u'x') {
            hexProc();
            return;
        }
        // "1..2" is a range, not a number with two points.
        if (c == u'.' && at(m_run + 1) == u'.')
            return;
        ++m_run;
    }
}

// "$" or "x" and the hexadecimal digits after it.
void SynGeneralSyn::hexProc()
{
    m_kind = TokenKind::Number;
    ++m_run;
    while (isHexDigit(at(m_run)))
        ++m_run;
}

// Without preprocessor lines "#" and its digits are a character code written as a string.
void SynGeneralSyn::hashProc()
{
    if (m_detectPreprocessor) {
        toLineEnd(TokenKind::Preprocessor);
        return;
    }
    m_kind = TokenKind::String;
    ++m_run;
    while (isAsciiDigit(at(m_run)))
        ++m_run;
}

void SynGeneralSyn::roundOpenProc()
{
    const char16_t next = at(m_run + 1);
    if (m_comments.testFlag(csAnsiStyle) && next == u'*')
        openComment(rsAnsiComment, 2);
    else
        token(TokenKind::Symbol, m_comments.testFlag(csAnsiStyle) && next == u'.' ? 2 : 1);
}

void SynGeneralSyn::braceOpenProc()
{
    if (m_comments.testFlag(csPasStyle))
        openComment(rsPasComment, 1);
    else
        token(TokenKind::Symbol, 1);
}

void SynGeneralSyn::slashProc()
{
    const char16_t next = at(m_run + 1);
    if (next == u'/')
        toLineEnd(TokenKind::Comment);
    else if (next == u'*' && m_comments.testFlag(csCStyle))
        openComment(rsCComment, 2);
    else
        token(TokenKind::Symbol, 1);
}

void SynGeneralSyn::semicolonProc()
{
    if (m_comments.testFlag(csAsmStyle) || m_comments.testFlag(csBasStyle)) {
        m_range = rsNormal;
        toLineEnd(TokenKind::Comment);
    } else {
        token(TokenKind::Symbol, 1);
    }
}

// No escapes, and the string ends with its line. A quote doubled right after the opening one is
// taken with it, so """x" is one string.
void SynGeneralSyn::stringProc()
{
    const char16_t quote = at(m_run);
    m_kind = TokenKind::String;
    if (at(m_run + 1) == quote && at(m_run + 2) == quote)
        m_run += 2;
    do {
        if (atLineBreak())
            break;
        ++m_run;
    } while (at(m_run) != quote);
    // Past the closing quote, or past a CR or LF that ended the string early.
    if (at(m_run) != u'\0')
        ++m_run;
}

// A surrogate pair is one character, never split.
void SynGeneralSyn::unknownProc()
{
    const bool pair = QChar::isHighSurrogate(at(m_run)) && QChar::isLowSurrogate(at(m_run + 1));
    token(TokenKind::Unknown, pair ? 2 : 1);
}
