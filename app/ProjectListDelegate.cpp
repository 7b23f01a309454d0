#include "ProjectListDelegate.h"

#include <QColor>

namespace {

const QColor Navy(0x00, 0x00, 0x80);
const QColor Maroon(0x80, 0x00, 0x00);
const QColor Purple(0x80, 0x00, 0x80);
const QColor Green(0x00, 0x80, 0x00);
const QColor Red(0xFF, 0x00, 0x00);

QColor fileColour(ProjectListDelegate::Kind kind, bool selected, bool focused)
{
    if (selected && focused)
        return Red;
    switch (kind) {
    case ProjectListDelegate::PhpFile: return Maroon;
    case ProjectListDelegate::MarkupFile: return Navy;
    default: return selected ? Green : Purple;
    }
}

} // namespace

ProjectListDelegate::Kind ProjectListDelegate::kindOfType(const QString &fileType)
{
    const QString head = fileType.left(3).toUpper();
    if (head == u"PHP")
        return PhpFile;
    if (head == u"HTM" || head == u"CSS")
        return MarkupFile;
    return OtherFile;
}

void ProjectListDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state & QStyle::State_Selected;
    const bool focused = option->state & QStyle::State_HasFocus || option->state & QStyle::State_Active;
    const auto kind = static_cast<Kind>(index.data(KindRole).toInt());
    QColor text;
    if (kind == ProjectRow) {
        option->font.setBold(true);
        option->font.setPointSize(9);
        text = selected && focused ? QColor(Qt::white) : Navy;
    } else {
        option->font.setPointSize(8);
        text = fileColour(kind, selected, focused);
        if (index.data(ActiveRole).toBool())
            option->backgroundBrush = QColor(Qt::white);
    }
    // The text keeps its colour on the selection too; only the project row turns white.
    option->palette.setColor(QPalette::Text, text);
    option->palette.setColor(QPalette::HighlightedText, text);
}
