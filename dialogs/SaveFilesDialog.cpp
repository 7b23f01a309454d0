#include "SaveFilesDialog.h"

#include "ComponentText.h"
#include "DialogPlacement.h"
#include "MultiLang.h"
#include "Named.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { NameColumn, SaveColumn };
constexpr int IdRole = Qt::UserRole;

} // namespace

SaveFilesDialog::SaveFilesDialog(const QList<SaveFileRow> &rows, SaveRowFunction save, QWidget *parent)
    : QDialog(parent),
      m_save(std::move(save)),
      m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("Form_SaveFiles"));
    setWindowTitle(tr("Save Changed Files"));
    buildTable(rows);

    auto *group = named(new QGroupBox(tr("Files not saved"), this), "GroupBox1");
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_table);

    auto *buttons = named(new QHBoxLayout, "Panel1");
    QPushButton *ok = addButton(tr("OK"), "btnOK");
    QPushButton *cancel = addButton(tr("Cancel"), "btnCancel");
    QPushButton *all = addButton(tr("All"), "btnAll");
    QPushButton *none = addButton(tr("None"), "Button2");
    ok->setDefault(true);
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = named(new QVBoxLayout(this), "Panel2");
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &SaveFilesDialog::saveMarkedRows);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, &SaveFilesDialog::markAll);
    connect(none, &QPushButton::clicked, this, &SaveFilesDialog::markNone);
    translateWindow(this, QStringLiteral("savefiles"));
}

bool SaveFilesDialog::run(QWidget *parent, const QList<SaveFileRow> &rows, const SaveRowFunction &save,
                          bool *notAllSaved)
{
    if (notAllSaved)
        *notAllSaved = false;
    if (rows.isEmpty())
        return true;
    SaveFilesDialog dialog(rows, save, parent);
    const bool goOn = dialog.exec() == Accepted;
    if (notAllSaved)
        *notAllSaved = dialog.notAllSaved();
    return goOn;
}

void SaveFilesDialog::buildTable(const QList<SaveFileRow> &rows)
{
    m_table->setObjectName(QStringLiteral("gridFiles"));
    m_table->setColumnCount(2);
    // The grid's columns show their titles; the record's fields keep names of their own, as
    // stored tables do.
    const auto title = [this](int column) {
        return [this, column](const QString &text) {
            m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        };
    };
    columnTitle(this, "dxDBGrid1Name", tr("File Name <Path>"), title(NameColumn));
    columnTitle(this, "dxDBGrid1Save", tr("Save?"), title(SaveColumn));
    for (const auto &[name, caption] :
         {std::pair{"dxDBGrid1RecId", "RecId"}, {"mtSaveName", "Name"}, {"mtSavePath", "Path"}, {"mtSaveSave", "Save"}})
        new ComponentText(this, name, ComponentText::Kind::Caption, QString::fromLatin1(caption));
    m_table->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        auto *name = new QTableWidgetItem(rows[row].text);
        name->setData(IdRole, rows[row].id);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_table->setItem(row, NameColumn, name);
        // Not user-checkable: the row click below is the one way a mark changes, so a click on
        // the box itself toggles once, not twice.
        auto *mark = new QTableWidgetItem;
        mark->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        mark->setCheckState(Qt::Checked);
        m_table->setItem(row, SaveColumn, mark);
    }
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(SaveColumn, QHeaderView::ResizeToContents);
    m_table->setMinimumSize(460, 200);
    m_table->setCurrentCell(0, NameColumn);

    connect(m_table, &QTableWidget::cellClicked, this, &SaveFilesDialog::toggleCurrentRow);
    auto *space = new QShortcut(QKeySequence(Qt::Key_Space), m_table);
    space->setContext(Qt::WidgetShortcut);
    connect(space, &QShortcut::activated, this, &SaveFilesDialog::toggleCurrentRow);
}

QPushButton *SaveFilesDialog::addButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    return button;
}

void SaveFilesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

bool SaveFilesDialog::isMarked(int row) const
{
    return m_table->item(row, SaveColumn)->checkState() == Qt::Checked;
}

void SaveFilesDialog::setMark(int row, bool marked)
{
    m_table->item(row, SaveColumn)->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
}

void SaveFilesDialog::toggleCurrentRow()
{
    const int row = m_table->currentRow();
    if (row >= 0)
        setMark(row, !isMarked(row));
}

void SaveFilesDialog::saveMarkedRows()
{
    QList<bool> marks;
    for (int row = 0; row < m_table->rowCount(); ++row)
        marks.append(isMarked(row));
    const int left = ::saveMarkedRows(shownRows(), marks, m_save, &m_allSaved);
    m_table->setRowCount(left);
    if (left > 0)
        m_table->setCurrentCell(left - 1, NameColumn);
    else
        done(m_allSaved ? Accepted : Rejected);
}

QList<SaveFileRow> SaveFilesDialog::shownRows() const
{
    QList<SaveFileRow> rows;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *name = m_table->item(row, NameColumn);
        rows.append({name->text(), name->data(IdRole).toInt()});
    }
    return rows;
}

void SaveFilesDialog::markAll()
{
    setEveryMark(true);
}

void SaveFilesDialog::markNone()
{
    setEveryMark(false);
}

void SaveFilesDialog::setEveryMark(bool marked)
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        setMark(row, marked);
    m_table->setCurrentCell(0, NameColumn);
}
