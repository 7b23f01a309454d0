#include "RecoveryDialog.h"

#include "Named.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

RecoveryDialog::RecoveryDialog(const QString &text, const QList<RecoveryRow> &rows, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Recovery"));
    setWindowTitle(tr("Recover Unsaved Work"));
    auto *message = named(new QLabel(text, this), "lblRecovery");
    message->setWordWrap(true);
    auto *files = named(new QListWidget(this), "lstRecovered");
    for (const RecoveryRow &row : rows)
        files->addItem(row.name);
    auto *shown = named(new QPlainTextEdit(this), "memRecovered");
    shown->setReadOnly(true);
    shown->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(files, &QListWidget::currentRowChanged, shown,
            [shown, rows](int row) { shown->setPlainText(row >= 0 ? rows[row].text : QString()); });
    files->setCurrentRow(0);

    auto *buttons = named(new QDialogButtonBox(this), "pnlRecoveryButtons");
    const auto add = [&](const QString &caption, const char *name, QDialogButtonBox::ButtonRole role,
                         RecoveryAnswer answer) {
        QPushButton *button = named(buttons->addButton(caption, role), name);
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        return button;
    };
    add(tr("Restore"), "btnRestore", QDialogButtonBox::AcceptRole, RecoveryAnswer::Restore)->setDefault(true);
    add(tr("Discard"), "btnDiscard", QDialogButtonBox::DestructiveRole, RecoveryAnswer::Discard);
    add(tr("Decide Later"), "btnLater", QDialogButtonBox::RejectRole, RecoveryAnswer::Later);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(files, 1);
    layout->addWidget(shown, 3);
    layout->addWidget(buttons);
    resize(640, 480);
}

RecoveryAnswer RecoveryDialog::run(QWidget *parent, const QString &text, const QList<RecoveryRow> &rows)
{
    RecoveryDialog dialog(text, rows, parent);
    dialog.exec();
    return dialog.answer();
}
