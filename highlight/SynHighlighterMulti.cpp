#include "SynHighlighterMulti.h"

#include <algorithm>

namespace {

constexpr unsigned SchemeBits = 5;
constexpr SynRangeState SchemeMask = (1u << SchemeBits) - 1;
constexpr unsigned InnerShift = SchemeBits;
constexpr unsigned OuterShift = 17;
constexpr SynRangeState StateMask = 0xFFF; // plain highlighters keep their states below 4096

} // namespace

// ---- Scheme

SynMultiScheme::SynMultiScheme(SynMultiSyn *owner)
    : m_owner(owner),
      m_markerAttri(std::make_unique<SynHighlighterAttributes>(QStringLiteral("Marker")))
{
    m_markerAttri->SetBackground(0x00FFFF); // yellow
    m_markerAttri->SetStyle(fsBold);
    m_markerAttri->SetOnAttriChange([this] { Changed(); });
}

SynMultiScheme::~SynMultiScheme() = default;

QString SynMultiScheme::Converted(const QString &expression) const
{
    return m_caseSensitive ? expression : expression.toUpper();
}

void SynMultiScheme::Changed()
{
    m_owner->AttriChanged();
}

void SynMultiScheme::Compile()
{
    m_start.SetExpression(Converted(m_startExpr), m_caseSensitive);
    m_end.SetExpression(Converted(m_endExpr), m_caseSensitive);
}

void SynMultiScheme::SetStartExpr(const QString &expression)
{
    const bool differs = Converted(expression) != Converted(m_startExpr);
    m_startExpr = expression;
    Compile();
    if (differs)
        Changed();
}

void SynMultiScheme::SetEndExpr(const QString &expression)
{
    const bool differs = Converted(expression) != Converted(m_endExpr);
    m_endExpr = expression;
    Compile();
    if (differs)
        Changed();
}

void SynMultiScheme::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == m_caseSensitive)
        return;
    m_caseSensitive = caseSensitive;
    Compile();
    Changed();
}

void SynMultiScheme::SetHighlighter(SynCustomHighlighter *highlighter)
{
    if (highlighter == m_highlighter)
        return;
    SynCustomHighlighter *previous = m_highlighter;
    m_highlighter = highlighter;
    m_owner->SchemeHighlighterChanged(previous, highlighter);
    Changed();
}

bool SynMultiScheme::IsUsable() const
{
    // A scheme whose end cannot be found would swallow the rest of the text.
    return !m_startExpr.isEmpty() && !m_endExpr.isEmpty() && m_start.IsValid() && m_end.IsValid() && m_highlighter
        && m_highlighter->Enabled();
}

// ---- Multi-language highlighter

SynMultiSyn::SynMultiSyn() = default;

SynMultiSyn::~SynMultiSyn()
{
    const auto stopListening = [this](SynCustomHighlighter *highlighter) {
        if (highlighter && highlighter != this) {
            highlighter->UnhookAttriChange(this);
            highlighter->UnhookDestroyed(this);
        }
    };
    stopListening(m_default);
    for (const auto &scheme : m_schemes)
        stopListening(scheme->Highlighter());
}

SynMultiScheme &SynMultiSyn::AddScheme()
{
    if (SchemeCount() == MaxSchemes)
        SynRaiseError(QStringLiteral("At most %1 schemes fit the range state of the multi-language highlighter: "
                                     "scheme %2 and those after it are never entered")
                          .arg(MaxSchemes)
                          .arg(MaxSchemes + 1));
    m_schemes.push_back(std::make_unique<SynMultiScheme>(this));
    return *m_schemes.back();
}

void SynMultiSyn::Hook(SynCustomHighlighter *highlighter)
{
    if (!highlighter || highlighter == this)
        return;
    highlighter->HookAttriChange(this, [this] { AttriChanged(); });
    highlighter->HookDestroyed(this, [this, highlighter] { Forget(highlighter); });
}

void SynMultiSyn::Unhook(SynCustomHighlighter *highlighter)
{
    if (!highlighter || highlighter == this)
        return;
    // Still referenced elsewhere here: keep listening.
    if (highlighter == m_default)
        return;
    for (const auto &scheme : m_schemes)
        if (scheme->Highlighter() == highlighter)
            return;
    highlighter->UnhookAttriChange(this);
    highlighter->UnhookDestroyed(this);
    std::erase(m_overflowReported, highlighter);
}

void SynMultiSyn::Forget(SynCustomHighlighter *highlighter)
{
    std::erase(m_overflowReported, highlighter);
    if (m_default == highlighter)
        m_default = nullptr;
    for (const auto &scheme : m_schemes)
        if (scheme->Highlighter() == highlighter)
            scheme->SetHighlighter(nullptr);
    SetCurrentScheme(m_currentScheme);
}

void SynMultiSyn::SchemeHighlighterChanged(SynCustomHighlighter *previous, SynCustomHighlighter *current)
{
    Hook(current);
    Unhook(previous);
    SetCurrentScheme(m_currentScheme);
}

bool SynMultiSyn::SetDefaultHighlighter(SynCustomHighlighter *highlighter, QString *error)
{
    if (highlighter == m_default)
        return true;
    if (highlighter == this) {
        const QString reason = QStringLiteral("It is not good to set the DefaultHighlighter of a SynMultiSyn to the "
                                              "SynMultiSyn itself. Please do not try this again");
        if (error)
            *error = reason;
        else
            SynRaiseError(reason);
        return false;
    }
    SynCustomHighlighter *previous = m_default;
    m_default = highlighter;
    SetCurrentScheme(m_currentScheme);
    Hook(highlighter);
    Unhook(previous);
    AttriChanged();
    return true;
}

int SynMultiSyn::AttriCount() const
{
    return SchemeCount();
}

SynHighlighterAttributes *SynMultiSyn::AttriAt(int index) const
{
    return index >= 0 && index < SchemeCount() ? Scheme(index).MarkerAttri() : nullptr;
}

bool SynMultiSyn::Enterable(int scheme) const
{
    return scheme < MaxSchemes && Scheme(scheme).IsUsable();
}

void SynMultiSyn::SetCurrentScheme(int scheme)
{
    m_currentScheme = scheme >= 0 && scheme < std::min(SchemeCount(), MaxSchemes) ? scheme : -1;
    SynCustomHighlighter *own = m_currentScheme >= 0 ? Scheme(m_currentScheme).Highlighter() : nullptr;
    m_active = own ? own : m_default;
}

SynHighlighterAttributes *SynMultiSyn::StandardAttri(int index) const
{
    SynCustomHighlighter *active = Active();
    return active ? active->StandardAttri(index) : nullptr;
}

CharSet SynMultiSyn::WordChars() const
{
    SynCustomHighlighter *active = Active();
    return active ? active->WordChars() : SynCustomHighlighter::WordChars();
}

// ---- Markers

void SynMultiSyn::RecordMarker(int schemeIndex, const SynRegExpr &match, int offset, bool isStart)
{
    SynMultiScheme &scheme = Scheme(schemeIndex);
    int position = offset + match.MatchPos(); // 1-based in the line, as the checks expect
    int length = match.MatchLen();
    const SynCheckMarker &check = isStart ? scheme.OnCheckStartMarker : scheme.OnCheckEndMarker;
    if (check) {
        QString text = m_line.mid(position - 1, length).toString();
        check(this, position, length, text);
        if (text.isEmpty())
            return;
    }
    if (length > 0 && position >= 1 && position - 1 + length <= m_line.size())
        m_markers.push_back({schemeIndex, position - 1, length, isStart});
}

void SynMultiSyn::FindMarkers()
{
    m_markers.clear();
    int offset = 0;
    int searched = m_currentScheme;
    while (offset < m_line.size()) {
        const QStringView rest = m_line.mid(offset);
        int found = -1;
        if (searched >= 0) {
            if (!Scheme(searched).EndRegExpr().Exec(rest))
                return;
            found = searched;
        } else {
            for (int i = 0; i < SchemeCount() && found < 0; ++i)
                if (Enterable(i) && Scheme(i).StartRegExpr().Exec(rest))
                    found = i;
            if (found < 0)
                return;
        }
        const bool isStart = searched < 0;
        SynRegExpr &match = isStart ? Scheme(found).StartRegExpr() : Scheme(found).EndRegExpr();
        RecordMarker(found, match, offset, isStart);
        offset += match.MatchPos() + match.MatchLen() - 1;
        searched = isStart ? found : -1;
    }
}

// ---- Tokens

void SynMultiSyn::BeginLine(QStringView line, int lineIndex)
{
    m_line = line;
    m_lineIndex = lineIndex;
    SetCurrentScheme(m_currentScheme); // highlighters may have been swapped since the last line
    // Carried on from the line before, a state too big for the range must become what restoring the
    // range written after that line gives, or a repaint of this line would differ from a rescan.
    if (m_default) {
        const SynRangeState carried = Active()->RangeState();
        if (Fitted(carried, Active()) != carried)
            Active()->RestoreRange(0);
    }
    FindMarkers();
    // A NUL ends the line. A line without markers is one section, and the section's highlighter
    // stops at the NUL itself, so only lines with markers need looking at.
    if (!m_markers.empty()) {
        if (const qsizetype nul = line.indexOf(QChar(0)); nul >= 0) {
            m_line = line.left(nul);
            FindMarkers();
        }
    }
    m_currentMarker = -1;
    m_nextMarker = 0;
    m_tokenStart = 0;
    if (!m_default) {
        m_plainLineDone = m_line.isEmpty();
        return;
    }
    BeginSection(0);
    TakeMarkerAfterEmptySection();
}

int SynMultiSyn::NextMarkerPosition() const
{
    return m_nextMarker < static_cast<int>(m_markers.size()) ? m_markers[static_cast<size_t>(m_nextMarker)].position
                                                             : static_cast<int>(m_line.size());
}

int SynMultiSyn::CurrentEnd() const
{
    if (CurrentIsMarker())
        return m_tokenStart + m_markers[static_cast<size_t>(m_currentMarker)].length;
    return m_sectionStart + Active()->TokenStart() + static_cast<int>(Active()->TokenText().size());
}

bool SynMultiSyn::MarkerDue() const
{
    return m_nextMarker < static_cast<int>(m_markers.size()) && NextMarkerPosition() <= CurrentEnd();
}

void SynMultiSyn::TakeMarker()
{
    const int start = CurrentEnd();
    // Two markers in a row (an empty section) still switch schemes in order.
    if (CurrentIsMarker())
        LeaveMarker();
    m_currentMarker = m_nextMarker++;
    m_tokenStart = start;
}

void SynMultiSyn::TakeMarkerAfterEmptySection()
{
    // A section with nothing in it ends where the next marker begins: the marker is the token.
    if (MarkerDue() && Active()->AtLineEnd())
        TakeMarker();
}

void SynMultiSyn::BeginSection(int from)
{
    m_sectionStart = from;
    Active()->BeginLine(m_line.mid(from, NextMarkerPosition() - from), m_lineIndex);
}

void SynMultiSyn::LeaveMarker()
{
    const SynMarker &marker = m_markers[static_cast<size_t>(m_currentMarker)];
    if (marker.isStart) {
        m_savedOuterRange = Fitted(m_default->RangeState(), m_default);
        SetCurrentScheme(marker.scheme);
        Active()->ClearRange();
    } else {
        SetCurrentScheme(-1);
        m_default->RestoreRange(m_savedOuterRange);
    }
    m_currentMarker = -1;
}

void SynMultiSyn::Advance()
{
    if (!m_default) {
        // Without a default highlighter the whole line is one token.
        m_tokenStart = static_cast<int>(m_line.size());
        m_plainLineDone = true;
        return;
    }
    // Most tokens lie in a section with no marker after it on the line.
    if (!CurrentIsMarker() && m_nextMarker >= static_cast<int>(m_markers.size())) {
        m_active->Advance();
        return;
    }
    if (MarkerDue()) {
        TakeMarker();
        return;
    }
    if (CurrentIsMarker()) {
        const int end = CurrentEnd();
        LeaveMarker();
        BeginSection(end);
    } else {
        Active()->Advance();
    }
    TakeMarkerAfterEmptySection();
}

bool SynMultiSyn::AtLineEnd() const
{
    if (!m_default)
        return m_plainLineDone;
    return !CurrentIsMarker() && m_active->AtLineEnd();
}

int SynMultiSyn::TokenStart() const
{
    if (CurrentIsMarker() || !m_default)
        return m_tokenStart;
    return m_sectionStart + Active()->TokenStart();
}

QStringView SynMultiSyn::TokenText() const
{
    if (!m_default)
        return m_line.mid(m_tokenStart);
    if (CurrentIsMarker())
        return m_line.mid(m_tokenStart, m_markers[static_cast<size_t>(m_currentMarker)].length);
    // The section is a view of the line, so its tokens are too.
    return Active()->TokenText();
}

SynHighlighterAttributes *SynMultiSyn::TokenAttri() const
{
    if (CurrentIsMarker())
        return Scheme(m_markers[static_cast<size_t>(m_currentMarker)].scheme).MarkerAttri();
    return m_default ? Active()->TokenAttri() : nullptr;
}

int SynMultiSyn::TokenKindId() const
{
    if (CurrentIsMarker() || !m_default)
        return 0;
    return Active()->TokenKindId();
}

// ---- Range state

SynRangeState SynMultiSyn::RangeState() const
{
    const SynRangeState scheme = static_cast<SynRangeState>(m_currentScheme + 2);
    const SynRangeState inner = m_default ? Fitted(Active()->RangeState(), Active()) : 0;
    const SynRangeState outer = m_currentScheme >= 0 ? m_savedOuterRange : 0;
    return scheme | inner << InnerShift | outer << OuterShift;
}

SynRangeState SynMultiSyn::Fitted(SynRangeState state, const SynCustomHighlighter *from) const
{
    if (state <= StateMask)
        return state;
    // Told once per highlighter: the state comes back at the end of every line it leaves open.
    if (std::find(m_overflowReported.begin(), m_overflowReported.end(), from) == m_overflowReported.end()) {
        m_overflowReported.push_back(from);
        SynRaiseError(QStringLiteral("Range state %1 of the %2 highlighter does not fit in the 12 bits the "
                                     "multi-language highlighter keeps for it: it is kept as 0")
                          .arg(state)
                          .arg(from->LanguageTitle()));
    }
    return 0;
}

void SynMultiSyn::RestoreRange(SynRangeState range)
{
    if (range == 0)
        return;
    SetCurrentScheme(static_cast<int>(range & SchemeMask) - 2);
    m_savedOuterRange = m_currentScheme >= 0 ? (range >> OuterShift) & StateMask : 0;
    if (SynCustomHighlighter *active = Active())
        active->RestoreRange((range >> InnerShift) & StateMask);
}

void SynMultiSyn::ClearRange()
{
    SetCurrentScheme(-1);
    m_savedOuterRange = 0;
    if (m_default)
        m_default->ClearRange();
}
