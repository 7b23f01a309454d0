#pragma once

#include "Scanners.h"

#include <QDialog>

class QLineEdit;
class QTreeWidget;

// The Variables window: the file's variables sorted without regard to case, and a search box
// that finds the first name beginning with what is typed. Insert gives the box's text as it
// stands, so a partial name typed there is inserted as typed.
class VariablesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VariablesDialog(const ScanResults &names, QWidget *parent = nullptr);

    // The search box's text after Insert; empty otherwise.
    QString result() const;
    QLineEdit *searchBox() const { return m_search; }
    QTreeWidget *grid() const { return m_grid; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void locate(const QString &prefix);
    void copyCurrentName();

    QLineEdit *m_search;
    QTreeWidget *m_grid;
};
