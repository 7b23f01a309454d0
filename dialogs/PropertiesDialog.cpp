#include "PropertiesDialog.h"

#include "FileChooserDialog.h"

#include "DialogPlacement.h"
#include "MultiLang.h"
#include "Named.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

PropertiesDialog::PropertiesDialog(const PropertiesFields &fields, QWidget *parent)
    : QDialog(parent),
      m_name(named(new QLineEdit(this), "eName")),
      m_description(named(new QPlainTextEdit(this), "mDescription")),
      m_path(named(new QLineEdit(this), "ePath")),
      m_url(named(new QLineEdit(this), "eURL")),
      m_asIs(named(new QCheckBox(tr("Leave this URL \"As-Is\""), this), "cbxAsis")),
      m_ok(addButton(tr("OK"), "btnOK"))
{
    setObjectName(QStringLiteral("Form_Properties"));
    setWindowTitle(tr("Project Properties"));
    buildForm();

    m_name->setText(fields.name);
    m_description->setPlainText(linesToMemoText(fields.descriptionLines));
    m_path->setText(fields.path);
    m_url->setText(fields.url);
    m_asIs->setChecked(fields.asIs);
    updateOk();
    connect(m_name, &QLineEdit::textChanged, this, &PropertiesDialog::updateOk);
    translateWindow(this, QStringLiteral("properties"));
}

std::optional<PropertiesFields> PropertiesDialog::run(QWidget *parent, const PropertiesFields &fields)
{
    PropertiesDialog dialog(fields, parent);
    if (dialog.exec() != Accepted)
        return std::nullopt;
    return dialog.fields();
}

void PropertiesDialog::buildForm()
{
    m_description->setTabChangesFocus(true);
    m_description->setFixedHeight(m_description->fontMetrics().lineSpacing() * 5);
    m_name->setMinimumWidth(320);

    auto *browse = addButton(QStringLiteral("..."), "btnPath");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &PropertiesDialog::choosePath);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path);
    pathRow->addWidget(browse);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const auto label = [this](const QString &text, const char *name) { return named(new QLabel(text, this), name); };
    form->addRow(label(tr("Project Name:"), "Label1"), m_name);
    form->addRow(label(tr("Description:"), "Label2"), m_description);
    form->addRow(label(tr("Project Path:"), "Label3"), pathRow);
    form->addRow(label(tr("Server URL:"), "Label4"), m_url);
    form->addRow(static_cast<QWidget *>(nullptr), m_asIs);

    QPushButton *cancel = addButton(tr("Cancel"), "btnCancel");
    cancel->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &PropertiesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = named(new QHBoxLayout, "Panel1");
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton *PropertiesDialog::addButton(const QString &text, const char *name)
{
    return named(new QPushButton(text, this), name);
}

PropertiesFields PropertiesDialog::fields() const
{
    return {m_name->text(), m_path->text(), memoTextToLines(m_description->toPlainText()), m_url->text(),
            m_asIs->isChecked()};
}

QStringList PropertiesDialog::memoTextToLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString PropertiesDialog::linesToMemoText(const QStringList &lines)
{
    const bool endsEmpty = !lines.isEmpty() && lines.last().isEmpty();
    return lines.join(u'\n') + (endsEmpty ? QStringLiteral("\n") : QString());
}

void PropertiesDialog::accept()
{
    if (m_name->text().isEmpty()) {
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

void PropertiesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

void PropertiesDialog::updateOk()
{
    m_ok->setEnabled(!m_name->text().isEmpty());
}

void PropertiesDialog::choosePath()
{
    FileChooserDialog chooser(FileChooserDialog::Mode::Folder, QString(), m_path->text(), {}, {}, this);
    if (chooser.exec() == QDialog::Accepted)
        m_path->setText(chooser.chosenPath());
}
