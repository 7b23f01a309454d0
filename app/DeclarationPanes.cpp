#include "DeclarationPanes.h"

#include "CodeInsight.h"
#include "EditorWidget.h"
#include "MainFrame.h"

#include <QLabel>
#include <QListWidget>
#include <QToolBar>

DeclarationPanes::DeclarationPanes(const MainFrame &frame, CodeInsight &insight, QObject *parent)
    : QObject(parent),
      m_frame(frame),
      m_insight(insight),
      m_functions{frame.pnlFunctions, frame.lbFunctions, QStringLiteral("function")},
      m_classes{frame.pnlClasses, frame.lbClasses, QStringLiteral("class")}
{
    for (const Pane *pane : {&m_functions, &m_classes})
        connect(pane->list, &QListWidget::itemDoubleClicked, this, [this, pane] { locate(*pane); });
}

void DeclarationPanes::btnFunctionListClick(const QWidget *anchor)
{
    toggle(m_functions, m_classes, anchor);
}

void DeclarationPanes::btnClassListClick(const QWidget *anchor)
{
    toggle(m_classes, m_functions, anchor);
}

void DeclarationPanes::hide()
{
    m_functions.panel->hide();
    m_classes.panel->hide();
}

void DeclarationPanes::toggle(const Pane &pane, const Pane &other, const QWidget *anchor)
{
    other.panel->hide();
    if (pane.panel->isVisible()) {
        pane.panel->hide();
        return;
    }
    const int top = m_frame.lblFileName->height() + m_frame.ToolBar2->height() + 1;
    const int left = anchor ? anchor->mapTo(m_frame.pnlEditor, QPoint()).x() : 0;
    pane.panel->move(left, top);
    pane.list->clear();
    pane.list->addItems(sortedWithoutCase(m_insight.declarations(pane.keyword)));
    pane.panel->show();
    pane.panel->raise();
}

void DeclarationPanes::locate(const Pane &pane)
{
    const QListWidgetItem *item = pane.list->currentItem();
    if (!item)
        return;
    m_insight.locateDeclaration(pane.keyword, item->text());
    hide();
    m_frame.mFile->setFocus();
}
