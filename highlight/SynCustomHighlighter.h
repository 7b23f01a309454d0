#pragma once

#include "CharSet.h"
#include "SynHighlighterAttributes.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ProfileFile;

// The range state carried from the end of one line to the start of the next. Its meaning is
// private to each highlighter; plain highlighters keep it below 4096 so that the multi-language
// highlighter can pack an inner state beside its own.
using SynRangeState = std::uint32_t;

// Errors the highlighters raise (a duplicate attribute name, a range state that does not fit, an
// expression that does not compile) all go to one handler for the whole program: the program
// installs its own at start, before it makes any highlighter; the default one logs them with
// qWarning(). When the handler is called the highlighter has already made itself safe to go on
// with, but it may be in the middle of a scan, so the handler must not throw or use it, and one that
// shows a box should post the box for later rather than open it there.
using SynErrorHandler = std::function<void(const QString &message)>;
// Installs handler (an empty one brings back the default) and returns the one it replaces.
SynErrorHandler SetSynErrorHandler(SynErrorHandler handler);
void SynRaiseError(const QString &message);

// ASCII letters and digits, "_" and the Latin-1 letters: what words are made of in most of the
// languages here.
CharSet LatinWordChars();

// The base of every highlighter: its attributes, change notification, and the token protocol the
// editor drives it by, one line at a time:
//   BeginLine(text, index) scans the first token; Advance() scans the next; tokens are contiguous
//   and cover the line; the last is the end-of-line token (empty, no attribute, AtLineEnd true),
//   and RangeState() after it is the state at the start of the next line.
// The text given to BeginLine must stay alive while the line's tokens are read.
class SynCustomHighlighter
{
public:
    // The six standard token classes StandardAttri() maps.
    enum StandardIndex { siComment = 0, siIdentifier, siKeyword, siString, siWhitespace, siSymbol };

    SynCustomHighlighter();
    virtual ~SynCustomHighlighter();
    SynCustomHighlighter(const SynCustomHighlighter &) = delete;
    SynCustomHighlighter &operator=(const SynCustomHighlighter &) = delete;

    // Attributes, kept in the order of their names compared without regard to case.
    virtual int AttriCount() const;
    virtual SynHighlighterAttributes *AttriAt(int index) const;
    virtual SynHighlighterAttributes *StandardAttri(int index) const = 0;
    // Adds an attribute. A second attribute of the same name is raised as an error and left out of
    // the list (so it is neither saved nor loaded), but kept alive for the pointers held to it.
    void AddAttri(std::unique_ptr<SynHighlighterAttributes> attribute);
    // A new attribute of that name and style, added; the pointer stays valid as long as the
    // highlighter.
    SynHighlighterAttributes *AddAttri(const QString &name, std::uint8_t style = 0);

    QString DefaultFilter() const { return m_defaultFilter; }
    void SetDefaultFilter(const QString &filter) { m_defaultFilter = filter; }
    // The characters words are made of (the base: every code from 33 to 255).
    virtual CharSet WordChars() const;
    const CharSet &WordBreaks() const { return m_wordBreaks; }
    void SetWordBreaks(const CharSet &breaks) { m_wordBreaks = breaks; }
    // WordChars() without WordBreaks(): what the editor's word commands treat as a word.
    CharSet IdentChars() const { return WordChars() - m_wordBreaks; }
    virtual QString DemoSource() const { return {}; }
    virtual QString LanguageTitle() const { return QStringLiteral("<Unknown>"); }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // The token protocol.
    virtual void BeginLine(QStringView line, int lineIndex) = 0;
    virtual void Advance() = 0;
    virtual bool AtLineEnd() const = 0;
    virtual QStringView TokenText() const = 0;
    virtual SynHighlighterAttributes *TokenAttri() const = 0;
    virtual int TokenKindId() const = 0;
    virtual int TokenStart() const = 0;
    virtual SynRangeState RangeState() const { return 0; }
    virtual void RestoreRange(SynRangeState) { }
    virtual void ClearRange() { }
    virtual bool IsKeywordText(QStringView) const { return false; }
    void ScanToLineEnd();

    // Change notification: listeners are told when any attribute (or Enabled) changed.
    void AttriChanged();
    void HookAttriChange(const void *listener, std::function<void()> handler);
    void UnhookAttriChange(const void *listener);
    // Destruction notice: holders of a reference to this highlighter clear it when told.
    void HookDestroyed(const void *listener, std::function<void()> handler);
    void UnhookDestroyed(const void *listener);

    // Reads every attribute from its section; true only when every attribute had a section with at
    // least one key. Sections of names the highlighter lacks are ignored.
    bool LoadColorsFromIni(const ProfileFile &file);
    // Writes every attribute, in attribute order, keys Background, Foreground, Style.
    bool SaveColorsToIni(ProfileFile &file) const;

    // Copies the colours of the other's attributes of the same names, the sample text when it is
    // of the same kind, WordBreaks, DefaultFilter and Enabled.
    virtual void Assign(const SynCustomHighlighter &other);

protected:
    // Called at the end of a concrete constructor: every attribute's change reaches the listeners.
    void ConnectAttributes();

private:
    std::vector<std::unique_ptr<SynHighlighterAttributes>> m_attributes;
    std::vector<std::unique_ptr<SynHighlighterAttributes>> m_refusedAttributes;
    using Hooks = std::vector<std::pair<const void *, std::function<void()>>>;
    Hooks m_hooks;
    Hooks m_destroyedHooks;
    CharSet m_wordBreaks;
    QString m_defaultFilter;
    bool m_enabled = true;
};
