#pragma once

#include "SynCustomHighlighter.h"

#include <vector>

// A tiny lexer for the editor's tests: "/*" opens a comment that may run over several lines (range
// state 1) and "*/" closes it; a quote starts a string up to the same quote or the line's end;
// runs of letters, digits and '_' are identifiers; blanks are spaces; anything else is a
// one-character symbol. It logs the index of every line it is given.
class TestHighlighter : public SynCustomHighlighter
{
public:
    enum Kind { Eol, Comment, String, Identifier, Space, Symbol };
    static constexpr SynRangeState InComment = 1;

    TestHighlighter()
    {
        for (const char *name : {"Comment", "String", "Identifier", "Symbol"})
            AddAttri(std::make_unique<SynHighlighterAttributes>(QString::fromLatin1(name)));
        ConnectAttributes();
    }

    SynHighlighterAttributes *StandardAttri(int index) const override
    {
        switch (index) {
        case siComment: return byName(u"Comment");
        case siIdentifier: return byName(u"Identifier");
        case siString: return byName(u"String");
        case siSymbol: return byName(u"Symbol");
        default: return nullptr;
        }
    }

    void BeginLine(QStringView line, int lineIndex) override
    {
        scannedLines.push_back(lineIndex);
        m_line = line;
        m_end = 0;
        Advance();
    }

    void Advance() override
    {
        m_start = m_end;
        if (m_start >= m_line.size()) {
            m_kind = Eol;
            return;
        }
        if (m_range == InComment || m_line.mid(m_start).startsWith(u"/*"))
            scanComment();
        else if (at(m_start) == u'"' || at(m_start) == u'\'')
            scanString();
        else if (isWordChar(at(m_start)))
            scanWhile(Identifier, [](QChar c) { return isWordChar(c); });
        else if (at(m_start) == u' ' || at(m_start) == u'\t')
            scanWhile(Space, [](QChar c) { return c == u' ' || c == u'\t'; });
        else
            take(Symbol, m_start + 1);
    }

    bool AtLineEnd() const override { return m_kind == Eol; }
    QStringView TokenText() const override { return m_line.mid(m_start, m_end - m_start); }
    int TokenKindId() const override { return m_kind; }
    int TokenStart() const override { return int(m_start); }
    SynRangeState RangeState() const override { return m_range; }
    void RestoreRange(SynRangeState range) override { m_range = range; }
    void ClearRange() override { m_range = 0; }

    SynHighlighterAttributes *TokenAttri() const override
    {
        switch (m_kind) {
        case Comment: return StandardAttri(siComment);
        case String: return StandardAttri(siString);
        case Identifier: return StandardAttri(siIdentifier);
        case Symbol: return StandardAttri(siSymbol);
        default: return nullptr;
        }
    }

    std::vector<int> scannedLines;

private:
    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
    QChar at(qsizetype i) const { return m_line[i]; }

    SynHighlighterAttributes *byName(QStringView name) const
    {
        for (int i = 0; i < AttriCount(); ++i)
            if (AttriAt(i)->AttriName() == name)
                return AttriAt(i);
        return nullptr;
    }

    void take(Kind kind, qsizetype end)
    {
        m_kind = kind;
        m_end = end;
    }

    template <typename Pred>
    void scanWhile(Kind kind, Pred pred)
    {
        qsizetype end = m_start;
        while (end < m_line.size() && pred(at(end)))
            ++end;
        take(kind, end);
    }

    void scanComment()
    {
        const qsizetype from = m_range == InComment ? m_start : m_start + 2;
        const qsizetype close = m_line.indexOf(u"*/", from);
        m_range = close < 0 ? InComment : 0;
        take(Comment, close < 0 ? m_line.size() : close + 2);
    }

    void scanString()
    {
        const qsizetype close = m_line.indexOf(at(m_start), m_start + 1);
        take(String, close < 0 ? m_line.size() : close + 1);
    }

    QStringView m_line;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
    Kind m_kind = Eol;
    SynRangeState m_range = 0;
};
