#include "VariablesDialog.h"

#include "CharClasses.h"
#include "ComponentText.h"
#include "MultiLang.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr qsizetype MaxNameLength = 255;

} // namespace

VariablesDialog::VariablesDialog(const ScanResults &names, QWidget *parent)
    : QDialog(parent, Qt::Tool),
      m_search(new QLineEdit),
      m_grid(new QTreeWidget)
{
    setObjectName(QStringLiteral("TForm_Variables"));
    setWindowTitle(QStringLiteral("PHP Variables"));
    resize(421, 302);
    auto *label = new QLabel(QStringLiteral("Search For:"));
    label->setObjectName(QStringLiteral("Label1"));
    m_search->setObjectName(QStringLiteral("eVarname"));
    m_grid->setObjectName(QStringLiteral("Grid"));
    columnTitle(this, "GridName", QStringLiteral("Existing Variables"),
                [this](const QString &title) { m_grid->setHeaderLabels({title}); });
    // The grid's hidden record number and the field behind its one column.
    new ComponentText(this, "GridRecId", ComponentText::Kind::Caption, QStringLiteral("RecId"));
    new ComponentText(this, "mtVarsName", ComponentText::Kind::Caption, QStringLiteral("Name"));
    m_grid->setRootIsDecorated(false);

    for (const QString &name : sortedWithoutCase(names))
        m_grid->addTopLevelItem(new QTreeWidgetItem({name.left(MaxNameLength)}));
    if (m_grid->topLevelItemCount() > 0)
        m_grid->setCurrentItem(m_grid->topLevelItem(0));

    auto *buttons = new QDialogButtonBox;
    QPushButton *insert = buttons->addButton(QStringLiteral("Insert"), QDialogButtonBox::AcceptRole);
    insert->setObjectName(QStringLiteral("Button1"));
    insert->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *searchRow = new QHBoxLayout;
    searchRow->setObjectName(QStringLiteral("Panel1"));
    searchRow->addWidget(label);
    searchRow->addWidget(m_search);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);
    buttons->setObjectName(QStringLiteral("Panel2"));

    connect(m_search, &QLineEdit::textEdited, this, &VariablesDialog::locate);
    connect(m_grid, &QTreeWidget::currentItemChanged, this, [this] {
        if (m_grid->hasFocus())
            copyCurrentName();
    });
    m_search->installEventFilter(this);
    m_grid->installEventFilter(this);
    m_search->setFocus();
    translateWindow(this, QStringLiteral("variables"));
}

QString VariablesDialog::result() const
{
    return QDialog::result() == Accepted ? m_search->text() : QString();
}

bool VariablesDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::FocusIn)
        copyCurrentName();
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_search && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        m_grid->setFocus();
        return true;
    }
    // Typing in the list goes on with the name in the search box.
    if (watched == m_grid && key->text().size() == 1 && isNameChar(key->text().front().unicode())) {
        m_search->setFocus();
        m_search->setText(m_search->text() + key->text());
        m_search->end(false);
        locate(m_search->text());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void VariablesDialog::locate(const QString &prefix)
{
    for (int i = 0; i < m_grid->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = m_grid->topLevelItem(i);
        if (row->text(0).startsWith(prefix, Qt::CaseInsensitive)) {
            m_grid->setCurrentItem(row);
            return;
        }
    }
}

void VariablesDialog::copyCurrentName()
{
    if (const QTreeWidgetItem *row = m_grid->currentItem())
        m_search->setText(row->text(0));
}
