#pragma once

#include "SynCustomHighlighter.h"
#include "SynRegExpr.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class SynMultiSyn;

// One marker found in the current line (its text is the line's, at position; 0-based here).
struct SynMarker {
    int scheme = 0;
    int position = 0;
    int length = 0;
    bool isStart = false;
};

// A check of a found marker; it may move, resize, rename or (with an empty text or no length)
// drop it.
using SynCheckMarker = std::function<void(SynMultiSyn *sender, int &startPos, int &markerLen, QString &markerText)>;

// One embedded language: the expressions of its start and end markers, the highlighter of the
// text between them and the attribute of the markers themselves.
class SynMultiScheme
{
public:
    explicit SynMultiScheme(SynMultiSyn *owner);
    ~SynMultiScheme(); // the owner stops listening to the scheme's highlighter
    SynMultiScheme(const SynMultiScheme &) = delete;
    SynMultiScheme &operator=(const SynMultiScheme &) = delete;

    const QString &StartExpr() const { return m_startExpr; }
    void SetStartExpr(const QString &expression);
    const QString &EndExpr() const { return m_endExpr; }
    void SetEndExpr(const QString &expression);
    bool CaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool caseSensitive);
    SynCustomHighlighter *Highlighter() const { return m_highlighter; }
    void SetHighlighter(SynCustomHighlighter *highlighter);
    SynHighlighterAttributes *MarkerAttri() const { return m_markerAttri.get(); }
    const QString &SchemeName() const { return m_name; }
    void SetSchemeName(const QString &name) { m_name = name; }

    SynCheckMarker OnCheckStartMarker;
    SynCheckMarker OnCheckEndMarker;

    // Whether the scheme can be entered at all: both expressions set and compiling, and an enabled
    // highlighter.
    bool IsUsable() const;
    SynRegExpr &StartRegExpr() { return m_start; }
    SynRegExpr &EndRegExpr() { return m_end; }

private:
    // Case-insensitive schemes compare upper-cased expressions.
    QString Converted(const QString &expression) const;
    void Changed();
    void Compile();

    SynMultiSyn *m_owner;
    QString m_startExpr;
    QString m_endExpr;
    bool m_caseSensitive = true;
    SynCustomHighlighter *m_highlighter = nullptr;
    std::unique_ptr<SynHighlighterAttributes> m_markerAttri;
    QString m_name;
    SynRegExpr m_start;
    SynRegExpr m_end;
};

// Colours a line that mixes languages: it cuts the line into sections at the schemes' markers,
// hands each section to its scheme's highlighter (text outside every scheme to the default
// highlighter) and reports the markers as tokens of their own.
//
// Range state layout:
//   bits  0..4   active scheme + 2 (1: the default highlighter)
//   bits  5..16  the active highlighter's own range state
//   bits 17..28  inside a scheme: the default highlighter's state when the scheme was entered
// Keeping the outer state in the range makes a line's colours depend on its range alone, so a
// line painted on its own looks as it does in a full scan. A highlighter's state of 4096 or more
// is raised as an error and kept as 0; schemes after the first MaxSchemes are raised as an error
// when added and never entered.
class SynMultiSyn : public SynCustomHighlighter
{
public:
    static constexpr int MaxSchemes = 30;

    SynMultiSyn();
    ~SynMultiSyn() override;

    SynMultiScheme &AddScheme();
    int SchemeCount() const { return static_cast<int>(m_schemes.size()); }
    SynMultiScheme &Scheme(int index) const { return *m_schemes[static_cast<size_t>(index)]; }

    SynCustomHighlighter *DefaultHighlighter() const { return m_default; }
    // Refuses this highlighter itself, with the reason in *error, or raised as an error without one.
    bool SetDefaultHighlighter(SynCustomHighlighter *highlighter, QString *error = nullptr);
    const QString &DefaultLanguageName() const { return m_defaultLanguageName; }
    void SetDefaultLanguageName(const QString &name) { m_defaultLanguageName = name; }

    // The schemes' marker attributes.
    int AttriCount() const override;
    SynHighlighterAttributes *AttriAt(int index) const override;
    SynHighlighterAttributes *StandardAttri(int index) const override;
    CharSet WordChars() const override;
    QString LanguageTitle() const override { return QStringLiteral("General Multi-Highlighter"); }

    void BeginLine(QStringView line, int lineIndex) override;
    void Advance() override;
    bool AtLineEnd() const override;
    QStringView TokenText() const override;
    SynHighlighterAttributes *TokenAttri() const override;
    int TokenKindId() const override;
    int TokenStart() const override;
    SynRangeState RangeState() const override;
    void RestoreRange(SynRangeState range) override;
    void ClearRange() override;

    // Called by a scheme whose highlighter changed: hooks the new one, unhooks the old.
    void SchemeHighlighterChanged(SynCustomHighlighter *previous, SynCustomHighlighter *current);

private:
    bool Enterable(int scheme) const;
    // The state, or 0 (raised as an error) when it does not fit its bits.
    SynRangeState Fitted(SynRangeState state, const SynCustomHighlighter *from) const;
    void FindMarkers();
    void RecordMarker(int schemeIndex, const SynRegExpr &match, int offset, bool isStart);
    SynCustomHighlighter *Active() const { return m_active; }
    // Switches schemes; the active highlighter follows (the default one for a scheme without).
    void SetCurrentScheme(int scheme);
    bool CurrentIsMarker() const { return m_currentMarker >= 0; }
    // Applies the scheme switch of the marker that was the current token.
    void LeaveMarker();
    void BeginSection(int from);
    // Where the current token ends in the line.
    int CurrentEnd() const;
    int NextMarkerPosition() const;
    bool MarkerDue() const;
    void TakeMarker();
    void TakeMarkerAfterEmptySection();
    void Hook(SynCustomHighlighter *highlighter);
    void Unhook(SynCustomHighlighter *highlighter);
    void Forget(SynCustomHighlighter *highlighter);

    std::vector<std::unique_ptr<SynMultiScheme>> m_schemes;
    SynCustomHighlighter *m_default = nullptr;
    QString m_defaultLanguageName;

    std::vector<SynMarker> m_markers;
    int m_currentMarker = -1;
    int m_nextMarker = 0;
    int m_currentScheme = -1;
    SynCustomHighlighter *m_active = nullptr;
    SynRangeState m_savedOuterRange = 0;
    QStringView m_line;
    int m_lineIndex = 0;
    int m_tokenStart = 0; // of a marker, or of the whole line without a default highlighter
    int m_sectionStart = 0; // where the active highlighter's section starts in the line
    bool m_plainLineDone = false;
    mutable std::vector<const SynCustomHighlighter *> m_overflowReported;
};
