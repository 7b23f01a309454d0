#include "SynColors.h"

#include <array>
#include <utility>

namespace {

constexpr SynColor SystemBase = 0x80000000;

// The system colour numbers the program meets, by the palette role that stands for them here.
constexpr std::array<std::pair<unsigned, QPalette::ColorRole>, 16> SystemRoles{{
    {0, QPalette::Base}, // scroll bar
    {1, QPalette::Window}, // desktop
    {2, QPalette::Highlight}, // active caption
    {3, QPalette::Mid}, // inactive caption
    {4, QPalette::Window}, // menu
    {5, QPalette::Base}, // window background
    {6, QPalette::Shadow}, // window frame
    {7, QPalette::WindowText}, // menu text
    {8, QPalette::Text}, // window text
    {9, QPalette::HighlightedText}, // caption text
    {13, QPalette::Highlight}, // highlight
    {14, QPalette::HighlightedText}, // highlighted text
    {15, QPalette::Button}, // button face
    {16, QPalette::Dark}, // button shadow
    {18, QPalette::ButtonText}, // button text
    {24, QPalette::ToolTipBase}, // info background
}};

} // namespace

QColor colorFromSyn(SynColor colour, const QPalette &palette)
{
    if (colour == clNone || colour == clDefault)
        return {};
    if ((colour & SystemBase) != 0) {
        const unsigned index = colour & 0xFF;
        for (const auto &[number, role] : SystemRoles)
            if (number == index)
                return palette.color(role);
        return palette.color(QPalette::Window);
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

SynColor synFromColor(const QColor &colour)
{
    return static_cast<SynColor>(colour.red()) | (static_cast<SynColor>(colour.green()) << 8)
        | (static_cast<SynColor>(colour.blue()) << 16);
}
