#include "FilesMenu.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int TextLeft = 4;
constexpr int TextTop = 3;
constexpr int PathGap = 10;

class FileMenuItem : public QWidget
{
public:
    FileMenuItem(FileMenuAction *action, QWidget *parent) : QWidget(parent), m_action(action)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_Hover);
    }

    QSize sizeHint() const override
    {
        const QFontMetrics bold(boldFont());
        int width = TextLeft + bold.horizontalAdvance(m_action->name()) + 2 * TextLeft;
        if (!m_action->path().isEmpty())
            width += PathGap + QFontMetrics(pathFont()).horizontalAdvance(bracketed());
        return {width, bold.height() + 2 * TextTop};
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const bool selected = underMouse();
        const QRect box = rect().adjusted(1, 1, -2, -2);
        painter.fillRect(rect(), palette().color(selected ? QPalette::Highlight : QPalette::Window));
        painter.setPen(selected ? QColor(Qt::red) : palette().color(QPalette::Button));
        painter.drawRect(box);
        painter.setPen(selected ? QColor(Qt::yellow) : QColor(0x00, 0x00, 0x80));
        painter.setFont(boldFont());
        const int baseline = TextTop + QFontMetrics(boldFont()).ascent();
        painter.drawText(TextLeft, baseline, m_action->name());
        if (m_action->path().isEmpty())
            return;
        painter.setFont(pathFont());
        const int nameWidth = QFontMetrics(boldFont()).horizontalAdvance(m_action->name());
        painter.drawText(TextLeft + nameWidth + PathGap, baseline, bracketed());
    }

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave)
            update();
        return QWidget::event(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        // A widget in a menu does not close it; close every open menu, then run the entry.
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        m_action->trigger();
    }

private:
    QFont boldFont() const
    {
        QFont bold = font();
        bold.setBold(true);
        return bold;
    }
    QFont pathFont() const
    {
        QFont smaller = font();
        smaller.setPointSizeF(std::max(1.0, smaller.pointSizeF() - 1));
        return smaller;
    }
    QString bracketed() const { return u'(' + m_action->path() + u')'; }

    FileMenuAction *m_action;
};

} // namespace

FileMenuAction::FileMenuAction(const QString &caption, QObject *parent) : QWidgetAction(parent)
{
    setText(caption);
}

QString FileMenuAction::name() const
{
    return text().section(u'<', 0, 0).trimmed();
}

QString FileMenuAction::path() const
{
    const qsizetype open = text().indexOf(u'<');
    const qsizetype close = text().indexOf(u'>', open);
    return open < 0 || close < 0 ? QString() : text().mid(open + 1, close - open - 1);
}

QWidget *FileMenuAction::createWidget(QWidget *parent)
{
    return new FileMenuItem(this, parent);
}
