#include "ProjectSearchPane.h"

#include "NativePath.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int MatchRole = Qt::UserRole; // [start, length] of the match in the text shown
constexpr int TextColumn = 2;

// Paints the text column with the match on the highlight colour.
class MatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        const QList<QVariant> match = index.data(MatchRole).toList();
        QTextLayout layout(text, plain.font);
        QTextCharFormat marked;
        marked.setBackground(option.palette.highlight());
        marked.setForeground(option.palette.highlightedText());
        layout.setFormats({{int(match.value(0).toInt()), int(match.value(1).toInt()), marked}});
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e6);
        layout.endLayout();
        painter->save();
        painter->setClipRect(option.rect);
        const QRect area = option.rect.adjusted(3, 0, 0, 0);
        layout.draw(painter, QPointF(area.left(), area.top() + (area.height() - line.height()) / 2));
        painter->restore();
    }
};

} // namespace

ProjectSearchPane::ProjectSearchPane(std::function<QString(int)> fileName, OpenMatch open, QWidget *parent)
    : QWidget(parent),
      m_fileName(std::move(fileName)),
      m_open(std::move(open)),
      m_title(new QLabel),
      m_list(new QTreeWidget)
{
    setObjectName(QStringLiteral("pnlSearchResults"));
    auto *close = new QToolButton;
    close->setText(QStringLiteral("\u00d7"));
    close->setToolTip(QStringLiteral("Close"));
    close->setAutoRaise(true);
    auto *titleBar = new QHBoxLayout;
    titleBar->setContentsMargins(4, 0, 0, 0);
    titleBar->addWidget(m_title, 1);
    titleBar->addWidget(close);
    m_list->setObjectName(QStringLiteral("lvSearchResults"));
    m_list->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Line"), QStringLiteral("Text")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setItemDelegateForColumn(TextColumn, new MatchDelegate(m_list));
    m_list->header()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(titleBar);
    layout->addWidget(m_list);
    setMinimumHeight(120);
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const int index = m_list->indexOfTopLevelItem(item);
        if (index >= 0 && index < m_matches.size())
            m_open(m_matches[index]);
    });
    hide();
}

void ProjectSearchPane::showResults(const QString &query, const ProjectSearchResult &result)
{
    m_matches = result.matches;
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(m_matches.size());
    for (const ProjectMatch &match : std::as_const(m_matches)) {
        auto *item =
            new QTreeWidgetItem({displayPath(m_fileName(match.file)), QString::number(match.line), match.excerpt});
        item->setData(TextColumn, MatchRole, QVariantList{match.excerptStart, match.length});
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(1);
    m_title->setText(QStringLiteral("Search in Project: \"%1\", %2 found").arg(query).arg(m_matches.size()));
    show();
}
