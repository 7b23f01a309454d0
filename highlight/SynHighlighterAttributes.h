#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// Colour values: 0x00BBGGRR for a plain colour, 0x80000000 + n for the platform's system colour
// n, and two special values.
using SynColor = std::uint32_t;
constexpr SynColor clNone = 0x1FFFFFFF; // the editor's own colour
constexpr SynColor clDefault = 0x20000000;
constexpr SynColor clSystemWindow = 0x80000005;
constexpr SynColor clSystemWindowText = 0x80000008;

// Font style bits, as the colour files store them.
enum SynFontStyle : std::uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// The colours and font style of one token class of a highlighter. Setters notify only when the
// value really changes.
class SynHighlighterAttributes
{
public:
    explicit SynHighlighterAttributes(QString name);

    const QString &AttriName() const { return m_name; }

    SynColor Background() const { return m_background; }
    void SetBackground(SynColor colour);
    SynColor Foreground() const { return m_foreground; }
    void SetForeground(SynColor colour);
    std::uint8_t Style() const { return m_style; }
    void SetStyle(std::uint8_t style);

    // Takes the other's name, colours and style; notifies once if a colour or the style differed.
    void Assign(const SynHighlighterAttributes &other);

    void SetOnAttriChange(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    void Changed();

    QString m_name;
    SynColor m_background = clNone;
    SynColor m_foreground = clNone;
    std::uint8_t m_style = 0;
    std::function<void()> m_onChange;
};
