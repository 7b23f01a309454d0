#include "SearchReplaceDialog.h"

#include "DialogPlacement.h"
#include "MultiLang.h"
#include "Named.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QCheckBox *optionBox(const char *name, const char *caption, bool checked)
{
    auto *box = named(new QCheckBox(QString::fromUtf8(caption)), name);
    box->setChecked(checked);
    return box;
}

} // namespace

SearchReplaceDialog::SearchReplaceDialog(SearchForm form, const SearchFields &fields, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      m_find(named(new QLineEdit(fields.find), "eFind")),
      m_replace(named(new QLineEdit(fields.replace), "eReplace")),
      m_matchCase(optionBox("cbxMatchCase", "Match Case", fields.matchCase)),
      m_wholeWord(optionBox("cbxWholeWord", "Whole Expression Only", fields.wholeWord)),
      m_entireScope(optionBox("cbxEntireScope", "Entire Scope", fields.entireScope)),
      m_confirm(optionBox("cbxConfirm", "Confirm Replace", fields.confirm)),
      m_regularExpression(optionBox("cbxRegularExpression", "Regular Expression", fields.regularExpression))
{
    const bool replace = form == SearchForm::Replace;
    const bool project = form == SearchForm::Project;
    setObjectName(QStringLiteral("TForm_SearchReplace"));
    setWindowTitle(project ? QStringLiteral("Search in Project") : QStringLiteral("Search/Replace"));
    auto *texts = new QFormLayout;
    texts->addRow(named(new QLabel(QStringLiteral("Search for:")), "Label1"), m_find);
    auto *replaceLabel = named(new QLabel(QStringLiteral("Replace with:")), "Label2");
    texts->addRow(replaceLabel, m_replace);
    replaceLabel->setVisible(replace);
    m_replace->setVisible(replace);

    auto *options = named(new QGroupBox(QStringLiteral("Search/Replace Options")), "GroupBox1");
    auto *optionRows = new QVBoxLayout(options);
    for (QCheckBox *box : {m_matchCase, m_wholeWord, m_entireScope, m_regularExpression, m_confirm})
        optionRows->addWidget(box);
    // Confirming each replacement was never offered: nothing asks.
    m_confirm->hide();
    // Every file is searched whole.
    m_entireScope->setVisible(!project);
    m_regularExpression->setVisible(project);

    auto *ok = named(new QPushButton(QStringLiteral("OK")), "Button1");
    ok->setDefault(true);
    auto *replaceAll = named(new QPushButton(QStringLiteral("Replace &All")), "btnReplaceAll");
    replaceAll->setVisible(replace);
    auto *cancel = named(new QPushButton(QStringLiteral("Cancel")), "Button3");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {ok, replaceAll, cancel})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addWidget(options);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto closeWith = [this](SearchAnswer answer) {
        m_answer = answer;
        answer == SearchAnswer::Cancel ? reject() : accept();
    };
    connect(ok, &QPushButton::clicked, this, [closeWith] { closeWith(SearchAnswer::Ok); });
    connect(replaceAll, &QPushButton::clicked, this, [closeWith] { closeWith(SearchAnswer::ReplaceAll); });
    connect(cancel, &QPushButton::clicked, this, [closeWith] { closeWith(SearchAnswer::Cancel); });
    m_find->selectAll();
    translateWindow(this, QStringLiteral("searchreplace"));
    // The project form is ours alone; the table knows the one title of the other two.
    if (project)
        setWindowTitle(QStringLiteral("Search in Project"));
}

void SearchReplaceDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

SearchFields SearchReplaceDialog::fields() const
{
    SearchFields fields;
    fields.find = m_find->text();
    fields.replace = m_replace->text();
    fields.matchCase = m_matchCase->isChecked();
    fields.wholeWord = m_wholeWord->isChecked();
    fields.entireScope = m_entireScope->isChecked();
    fields.confirm = m_confirm->isChecked();
    fields.regularExpression = m_regularExpression->isChecked();
    return fields;
}

SearchAnswer SearchReplaceDialog::run(QWidget *parent, SearchForm form, SearchFields *fields)
{
    SearchReplaceDialog dialog(form, *fields, parent);
    dialog.exec();
    *fields = dialog.fields();
    return dialog.answer();
}
