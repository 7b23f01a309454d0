#include "SynHighlighterHtml.h"

#include "CharClasses.h"

#include <algorithm>

namespace {

constexpr char16_t OpeningTagNames[] =
    u"A ABBR ACRONYM ADDRESS APPLET AREA B BASE BASEFONT BGSOUND BIG BLINK BLOCKQUOTE BODY BR BUTTON "
    u"CAPTION CENTER CITE CODE COL COLGROUP COMMENT DD DEL DFN DIR DIV DL DT EM EMBED FIELDSET FONT "
    u"FORM FRAME FRAMESET H1 H2 H3 H4 H5 H6 HEAD HR HTML I IFRAME ILAYER IMG INPUT INS ISINDEX KBD "
    u"KEYGEN LABEL LAYER LEGEND LI LINK LISTING MAP MARQUEE MENU META MULTICOL NEXTID NOBR NOEMBED "
    u"NOFRAMES NOLAYER NOSCRIPT OBJECT OL OPTION P PARAM PLAINTEXT PRE Q S SAMP SCRIPT SELECT SERVER "
    u"SMALL SPACER SPAN STRIKE STRONG STYLE SUB SUP TABLE TBODY TD TEXTAREA TFOOT TH THEAD TITLE TR "
    u"TT U UL VAR WBR XMP";

// Empty elements: they have no closing tag.
constexpr char16_t UnclosedTagNames[] =
    u"AREA BASE BASEFONT BGSOUND BR COL FRAME HR IMG INPUT ISINDEX KEYGEN LINK META NEXTID PARAM "
    u"PLAINTEXT SPACER WBR";

// Searched in this order; each is written "&name;".
constexpr char16_t EntityNames[] =
    u"Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Mu Nu Xi Omicron Pi Rho Sigma "
    u"Tau Upsilon Phi Chi Psi Omega alpha beta gamma delta epsilon zeta eta theta iota kappa lambda "
    u"mu nu xi omicron pi rho sigmaf sigma tau upsilon phi chi psi omega thetasym upsih piv bull "
    u"hellip prime Prime oline frasl weierp image real trade alefsym larr uarr rarr darr harr crarr "
    u"lArr uArr rArr dArr hArr forall part exist empty nabla isin notin ni prod sum minus lowast "
    u"radic prop infin ang and or cap cup int there4 sim cong asymp ne equiv le ge sub sup nsub sube "
    u"supe oplus otimes perp sdot lceil rceil lfloor rfloor lang rang loz spades clubs hearts diams "
    u"lsquo rsquo sbquo ldquo rdquo bdquo dagger Dagger permil lsaquo rsaquo quot amp lt gt ndash "
    u"mdash nbsp thinsp ensp emsp iexcl cent pound curren yen brvbar brkbar sect uml die copy ordf "
    u"laquo not shy reg macr hibar deg plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo "
    u"frac14 frac12 frac34 iquest Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute "
    u"Ecirc Euml Igrave Iacute Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash "
    u"Ugrave Uacute Ucirc Uuml Yacute THORN szlig agrave aacute acirc atilde auml aring aelig ccedil "
    u"egrave eacute ecirc euml igrave iacute icirc iuml eth ntilde ograve oacute ocirc otilde ouml "
    u"divide oslash ugrave uacute ucirc uuml yacute thorn yuml euro OElig oelig scaron Scaron fnof "
    u"circ";

constexpr char16_t FileFilter[] = u"HTML Document (*.htm,*.html)|*.htm;*.html";

// A tag name whose hash reaches this is never looked up.
constexpr int TagSlotCount = 244;
// Digits after a name's letters add their numeric value to its hash (see TagName). In the lookup
// they carry values just above the letters', so that "h1" can never match "HA" by value, and the
// names with digits still hash below the table size.
constexpr int DigitLookupBase = 27;

constexpr QChar Nul = QChar(0);
constexpr QChar Lf = QChar(10);
constexpr QChar Cr = QChar(13);

bool isTagLetter(QChar c)
{
    return isAsciiLetter(c.unicode()) || c == u'!' || c == u'/';
}

bool isNulOrLineBreak(QChar c)
{
    return c == Nul || c == Lf || c == Cr;
}

QChar asciiLower(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

// What a blank run continues over: a TAB or a line break starts a token of its own.
bool continuesBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 1 && u <= 32 && u != 9 && u != 10 && u != 13;
}

bool endsText(QChar c)
{
    return c.unicode() < 32 || c == u'&' || c == u'<';
}

bool endsAttributeName(QChar c)
{
    return c.unicode() <= 32 || c == u'"' || c == u'=' || c == u'>';
}

bool endsUnquotedValue(QChar c)
{
    return c.unicode() <= 32 || c == u'>';
}

const SynHashCharTables &tagHashTables()
{
    static const SynHashCharTables tables = [] {
        SynHashCharTables t;
        for (int i = 0; i < 26; ++i) {
            t.value[u'A' + i] = t.value[u'a' + i] = i + 1;
            t.inHash[u'A' + i] = t.inHash[u'a' + i] = true;
        }
        t.value[u'/'] = 122;
        t.value[u'!'] = 123;
        t.inHash[u'/'] = t.inHash[u'!'] = true;
        for (int d = 0; d < 10; ++d) {
            t.value[u'0' + d] = DigitLookupBase + d;
            t.inHash[u'0' + d] = true;
        }
        return t;
    }();
    return tables;
}

std::vector<QStringView> words(QStringView list)
{
    std::vector<QStringView> out;
    for (QStringView word : list.tokenize(u' ', Qt::SkipEmptyParts))
        out.push_back(word);
    return out;
}

// The opening names, the closing names, then "!DOCTYPE": the order keywords of one hash are tried.
const std::vector<QString> &tagNames()
{
    static const std::vector<QString> names = [] {
        std::vector<QString> out;
        const std::vector<QStringView> opening = words(OpeningTagNames);
        const std::vector<QStringView> unclosed = words(UnclosedTagNames);
        for (QStringView name : opening)
            out.push_back(name.toString());
        for (QStringView name : opening)
            if (std::find(unclosed.begin(), unclosed.end(), name) == unclosed.end())
                out.push_back(u'/' + name.toString());
        out.push_back(QStringLiteral("!DOCTYPE"));
        return out;
    }();
    return names;
}

std::vector<SynKeywordSlotTable::Keyword> tagKeywords()
{
    std::vector<SynKeywordSlotTable::Keyword> keywords;
    for (const QString &name : tagNames())
        keywords.push_back({reinterpret_cast<const char16_t *>(name.utf16()), SynHTMLSyn::tkKey});
    return keywords;
}

const std::vector<QStringView> &entityNames()
{
    static const std::vector<QStringView> names = words(EntityNames);
    return names;
}

} // namespace

SynHTMLSyn::SynHTMLSyn() : m_tagNames(tagHashTables(), tagKeywords(), tkUndefKey)
{
    m_aspAttri = NewAttri(QStringLiteral("Asp"), 0x000000, 0x00FFFF, 0);
    m_commentAttri = NewAttri(QStringLiteral("Comment"), clNone, clNone, 0);
    m_identifierAttri = NewAttri(QStringLiteral("Identifier"), clNone, clNone, fsBold);
    m_keyAttri = NewAttri(QStringLiteral("Reserved word"), 0xFF0080, clNone, fsBold);
    m_spaceAttri = NewAttri(QStringLiteral("Space"), clNone, clNone, 0);
    m_symbolAttri = NewAttri(QStringLiteral("Symbol"), clNone, clNone, fsBold);
    m_textAttri = NewAttri(QStringLiteral("Text"), clNone, clNone, 0);
    m_undefKeyAttri = NewAttri(QStringLiteral("Unknown word"), 0x0000FF, clNone, fsBold);
    m_valueAttri = NewAttri(QStringLiteral("Value"), 0xFF8000, clNone, 0);
    m_andAttri = NewAttri(QStringLiteral("Escape ampersand"), 0x00FF00, clNone, fsBold);
    ConnectAttributes();

    // By token kind; the end of the line has none.
    m_kindAttri = {m_andAttri,   m_aspAttri,   m_commentAttri, m_identifierAttri, m_keyAttri,      nullptr,
                   m_spaceAttri, m_valueAttri, m_symbolAttri,  m_textAttri,       m_undefKeyAttri, m_valueAttri};
    BuildDispatchTable();
    // TagName() skips the lookup from TagSlotCount up, which must be where the tag table ends.
    if (m_tagNames.SlotCount() != TagSlotCount)
        SynRaiseError(QStringLiteral("The HTML tag names fill %1 hash slots instead of %2: tags hashing beyond %2 "
                                     "are not recognised")
                          .arg(m_tagNames.SlotCount())
                          .arg(TagSlotCount));
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

SynHighlighterAttributes *SynHTMLSyn::NewAttri(const QString &name, SynColor foreground, SynColor background,
                                               std::uint8_t style)
{
    auto attribute = std::make_unique<SynHighlighterAttributes>(name);
    attribute->SetForeground(foreground);
    attribute->SetBackground(background);
    attribute->SetStyle(style);
    SynHighlighterAttributes *raw = attribute.get();
    AddAttri(std::move(attribute));
    return raw;
}

void SynHTMLSyn::ApplyMainFormSettings()
{
    m_identifierAttri->SetForeground(0x808000);
    m_identifierAttri->SetStyle(0);
    m_keyAttri->SetForeground(0x800000);
    m_symbolAttri->SetStyle(0);
    m_undefKeyAttri->SetStyle(fsBold | fsUnderline);
    m_valueAttri->SetForeground(0x800080);
    m_andAttri->SetForeground(0x000080);
    SetDefaultFilter(QString::fromUtf16(FileFilter));
}

void SynHTMLSyn::BuildDispatchTable()
{
    m_dispatch.fill(&SynHTMLSyn::WordRule);
    for (int c = 1; c <= 32; ++c)
        m_dispatch[c] = &SynHTMLSyn::Blank;
    m_dispatch[0] = &SynHTMLSyn::EndOfLine;
    m_dispatch[10] = &SynHTMLSyn::LineFeed;
    m_dispatch[13] = &SynHTMLSyn::CarriageReturn;
    m_dispatch[u'"'] = &SynHTMLSyn::QuotedString;
    m_dispatch[u'&'] = &SynHTMLSyn::EntityRule;
    m_dispatch[u'<'] = &SynHTMLSyn::OpeningRule;
    m_dispatch[u'='] = &SynHTMLSyn::EqualsSign;
    m_dispatch[u'>'] = &SynHTMLSyn::ClosingBracket;
}

SynHighlighterAttributes *SynHTMLSyn::StandardAttri(int index) const
{
    switch (index) {
    case siComment: return m_commentAttri;
    case siIdentifier: return m_identifierAttri;
    case siKeyword: return m_keyAttri;
    case siWhitespace: return m_spaceAttri;
    case siSymbol: return m_symbolAttri;
    default: return nullptr;
    }
}

CharSet SynHTMLSyn::WordChars() const
{
    CharSet chars = CharSet::range('0', '9') | CharSet::range('A', 'Z') | CharSet::of({'_'}) | CharSet::range('a', 'z')
        | CharSet::range(192, 255);
    return chars - CharSet::of({215, 247});
}

QString SynHTMLSyn::DemoSource() const
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
                          "<!-- Syntax highlighting -->\n"
                          "<html>\n"
                          "<body bgcolor=white>\n"
                          "<p align=\"center\">Caf&eacute; &amp; Bar &#169;</p>\n"
                          "<% Write(\"server side\") %>\n"
                          "<notatag data=x>\n"
                          "</body>\n"
                          "</html>\n");
}

void SynHTMLSyn::BeginLine(QStringView line, int)
{
    m_line = line;
    m_run = 0;
    // Nothing of an earlier scan, perhaps stopped mid-line, may leak into this one: no remembered
    // entity, and a definite kind for an empty token that would keep the previous token's kind.
    m_entity = -1;
    m_tokenKind = tkText;
    Advance();
}

void SynHTMLSyn::Advance()
{
    m_tokenStart = m_run;
    switch (m_range) {
    case rsAsp: BlockRule(tkASP); break;
    case rsComment: BlockRule(tkComment); break;
    case rsText: TextRule(); break;
    default: Dispatch(); break;
    }
}

void SynHTMLSyn::Dispatch()
{
    const char16_t c = At(m_run).unicode();
    (this->*m_dispatch[c < 256 ? c : 255])();
}

int SynHTMLSyn::SkipDigits(int column) const
{
    while (isAsciiDigit(At(column).unicode()))
        ++column;
    return column;
}

int SynHTMLSyn::EntityAt(int column) const
{
    const std::vector<QStringView> &names = entityNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const QStringView name = names[i];
        int k = 0;
        while (k < name.size() && asciiLower(At(column + 1 + k)) == asciiLower(name[k]))
            ++k;
        if (k == name.size() && At(column + 1 + k) == u';')
            return static_cast<int>(i);
    }
    return -1;
}

void SynHTMLSyn::TextRule()
{
    const QChar first = At(m_run);
    if (first.unicode() < 32 || first == u'<') {
        Dispatch();
        return;
    }
    m_tokenKind = tkText;
    for (;;) {
        while (!endsText(At(m_run)))
            ++m_run;
        if (At(m_run) != u'&')
            return;
        if (At(m_run + 1) == u'#') {
            // A numeric entity is its own token only when its ";" is there.
            const int ampersand = m_run;
            m_run = SkipDigits(m_run + 2);
            if (At(m_run) == u';') {
                m_run = ampersand;
                m_range = rsEntity;
            }
            return;
        }
        m_entity = EntityAt(m_run);
        if (m_entity >= 0) {
            m_range = rsEntity;
            return;
        }
        ++m_run;
    }
}

void SynHTMLSyn::BlockRule(TokenKind kind)
{
    if (isNulOrLineBreak(At(m_run))) {
        Dispatch();
        return;
    }
    m_tokenKind = kind;
    for (; !isNulOrLineBreak(At(m_run)); ++m_run) {
        if (At(m_run) == u'>' && ClosesBlock(kind)) {
            ++m_run;
            m_range = rsText;
            return;
        }
    }
}

bool SynHTMLSyn::ClosesBlock(TokenKind kind) const
{
    // The closing characters may belong to the previous token, never to the previous line.
    if (kind == tkComment)
        return m_run >= 2 && m_line[m_run - 1] == u'-' && m_line[m_run - 2] == u'-';
    return m_run >= 1 && m_line[m_run - 1] == u'%';
}

void SynHTMLSyn::EndOfLine()
{
    m_tokenKind = tkNull;
}

void SynHTMLSyn::LineFeed()
{
    ++m_run;
    m_tokenKind = tkSpace;
}

void SynHTMLSyn::CarriageReturn()
{
    ++m_run;
    if (At(m_run) == Lf)
        ++m_run;
    m_tokenKind = tkSpace;
}

void SynHTMLSyn::Blank()
{
    ++m_run;
    while (continuesBlank(At(m_run)))
        ++m_run;
    m_tokenKind = tkSpace;
}

void SynHTMLSyn::QuotedString()
{
    if (m_range == rsBeforeValue) {
        m_range = rsInTag;
        m_tokenKind = tkValue;
    } else {
        m_tokenKind = tkString;
    }
    ++m_run;
    while (!isNulOrLineBreak(At(m_run)) && At(m_run) != u'"')
        ++m_run;
    if (At(m_run) == u'"')
        ++m_run;
}

void SynHTMLSyn::EntityRule()
{
    if (m_entity >= 0) {
        m_run += static_cast<int>(entityNames()[static_cast<size_t>(m_entity)].size()) + 2;
        m_tokenKind = tkAmpersand;
    } else if (At(m_run + 1) == u'#') {
        m_run = SkipDigits(m_run + 2);
        if (At(m_run) == u';') {
            ++m_run;
            m_tokenKind = tkAmpersand;
        } else {
            m_tokenKind = tkText;
        }
    }
    // Otherwise an empty token that keeps the previous token's kind; the text rule takes the "&".
    m_entity = -1;
    m_range = rsText;
}

void SynHTMLSyn::OpeningRule()
{
    ++m_run;
    if (At(m_run) == u'!' && At(m_run + 1) == u'-' && At(m_run + 2) == u'-') {
        m_run += 3;
        m_tokenKind = tkComment;
        m_range = rsComment;
    } else if (At(m_run) == u'%') {
        ++m_run;
        m_tokenKind = tkASP;
        m_range = rsAsp;
    } else {
        m_tokenKind = tkSymbol;
        m_range = rsTagOpen;
    }
}

void SynHTMLSyn::EqualsSign()
{
    ++m_run;
    m_tokenKind = tkSymbol;
    m_range = rsBeforeValue;
}

void SynHTMLSyn::ClosingBracket()
{
    ++m_run;
    m_tokenKind = tkSymbol;
    m_range = rsText;
}

void SynHTMLSyn::WordRule()
{
    switch (m_range) {
    case rsTagOpen:
        m_range = rsInTag;
        TagName();
        return;
    case rsBeforeValue:
        m_range = rsInTag;
        m_tokenKind = tkValue;
        do
            ++m_run;
        while (!endsUnquotedValue(At(m_run)));
        return;
    default:
        m_tokenKind = tkIdentifier;
        do
            ++m_run;
        while (!endsAttributeName(At(m_run)));
        return;
    }
}

void SynHTMLSyn::TagName()
{
    // Letters, "!" and "/" first, then the digits directly after them ("h1x" is "h1" and "x").
    const SynHashCharTables &tables = tagHashTables();
    const int start = m_run;
    int hash = 0;
    while (isTagLetter(At(m_run)))
        hash += tables.hashValue(At(m_run++));
    while (isAsciiDigit(At(m_run).unicode()))
        hash += At(m_run++).unicode() - u'0';
    if (hash >= TagSlotCount)
        m_tokenKind = tkIdentifier;
    else
        m_tokenKind = static_cast<TokenKind>(m_tagNames.KindOf(m_line.mid(start, m_run - start)));
}
