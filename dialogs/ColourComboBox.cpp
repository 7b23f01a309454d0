#include "ColourComboBox.h"

#include "SynColors.h"

#include <QPainter>
#include <QPixmap>

namespace {

struct NamedColour {
    const char *name;
    SynColor value;
};

constexpr NamedColour NamedColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF},
};

constexpr NamedColour SpecialColours[] = {{"None", clNone}, {"Default", clDefault}};

QIcon sample(SynColor value, const QPalette &palette)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(palette.color(QPalette::WindowText));
    const bool plain = value != clNone && value != clDefault;
    painter.setBrush(plain ? QBrush(colorFromSyn(value, palette)) : QBrush(Qt::NoBrush));
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

} // namespace

ColourComboBox::ColourComboBox(Entries entries, QWidget *parent) : QComboBox(parent)
{
    const auto add = [this](const NamedColour &colour) {
        addItem(sample(colour.value, palette()), QString::fromLatin1(colour.name), QVariant::fromValue(colour.value));
    };
    for (const NamedColour &colour : NamedColours)
        add(colour);
    if (entries == Entries::WithNoneAndDefault)
        for (const NamedColour &colour : SpecialColours)
            add(colour);
    setCurrentIndex(-1);
    connect(this, &QComboBox::activated, this, [this](int index) {
        m_colour = itemData(index).value<SynColor>();
        emit colourPicked(m_colour);
    });
}

bool ColourComboBox::setColour(SynColor colour)
{
    const bool changed = colour != m_colour || currentIndex() < 0;
    m_colour = colour;
    setCurrentIndex(findData(QVariant::fromValue(colour)));
    return changed;
}
