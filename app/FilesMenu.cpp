#include "FilesMenu.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

constexpr int TextLeft = 4;
constexpr int TextTop = 3;
constexpr int PathGap = 10;

QFont boldFont(const QFont &font)
{
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

QFont pathFont(const QFont &font)
{
    QFont smaller = font;
    smaller.setPointSizeF(std::max(1.0, smaller.pointSizeF() - 1));
    return smaller;
}

QString bracketed(const QString &path)
{
    return u'(' + path + u')';
}

class FilesMenuStyle : public QProxyStyle
{
public:
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element != CE_MenuItem || !item || item->menuItemType != QStyleOptionMenuItem::Normal) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const bool selected = item->state & State_Selected;
        const QRect box = item->rect.adjusted(1, 1, -2, -2);
        painter->save();
        painter->fillRect(item->rect, item->palette.color(selected ? QPalette::Highlight : QPalette::Window));
        painter->setPen(selected ? QColor(Qt::red) : item->palette.color(QPalette::Button));
        painter->drawRect(box);
        painter->setPen(selected ? QColor(Qt::yellow) : QColor(0x00, 0x00, 0x80));
        const QString name = fileMenuName(item->text);
        const QFont bold = boldFont(item->font);
        painter->setFont(bold);
        const int baseline = item->rect.top() + TextTop + QFontMetrics(bold).ascent();
        const int left = item->rect.left() + TextLeft;
        painter->drawText(left, baseline, name);
        if (const QString path = fileMenuPath(item->text); !path.isEmpty()) {
            painter->setFont(pathFont(item->font));
            painter->drawText(left + QFontMetrics(bold).horizontalAdvance(name) + PathGap, baseline, bracketed(path));
        }
        painter->restore();
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (type != CT_MenuItem || !item || item->menuItemType != QStyleOptionMenuItem::Normal)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        const QFontMetrics bold(boldFont(item->font));
        int width = TextLeft + bold.horizontalAdvance(fileMenuName(item->text)) + 2 * TextLeft;
        if (const QString path = fileMenuPath(item->text); !path.isEmpty())
            width += PathGap + QFontMetrics(pathFont(item->font)).horizontalAdvance(bracketed(path));
        return {width, bold.height() + 2 * TextTop};
    }
};

} // namespace

void paintAsFilesMenu(QMenu *menu)
{
    auto *style = new FilesMenuStyle;
    style->setParent(menu);
    menu->setStyle(style);
}

QString fileMenuName(const QString &caption)
{
    return caption.section(u'<', 0, 0).trimmed();
}

QString fileMenuPath(const QString &caption)
{
    const qsizetype open = caption.indexOf(u'<');
    const qsizetype close = caption.indexOf(u'>', open);
    return open < 0 || close < 0 ? QString() : caption.mid(open + 1, close - open - 1);
}
