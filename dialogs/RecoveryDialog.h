#pragma once

#include "DialogFields.h"

#include <QDialog>

// The files whose unsaved work an earlier run kept, with the kept text of the chosen one shown
// read-only below, and the three answers: restore, discard, decide later (also Escape).
class RecoveryDialog : public QDialog
{
    Q_OBJECT

public:
    RecoveryDialog(const QString &text, const QList<RecoveryRow> &rows, QWidget *parent = nullptr);

    static RecoveryAnswer run(QWidget *parent, const QString &text, const QList<RecoveryRow> &rows);

    RecoveryAnswer answer() const { return m_answer; }

private:
    RecoveryAnswer m_answer = RecoveryAnswer::Later;
};
