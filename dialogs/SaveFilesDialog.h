#pragma once

#include "DialogFields.h"

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QTableWidget;

// Lists unsaved work, each row marked for saving, and on OK saves the marked rows from the last
// to the first through the caller's function. Closes with Accepted when every marked row was
// saved, with Rejected when one was not or the user cancelled.
class SaveFilesDialog : public QDialog
{
    Q_OBJECT

public:
    SaveFilesDialog(const QList<SaveFileRow> &rows, SaveRowFunction save, QWidget *parent = nullptr);

    // Shows the dialog modally; true when the caller may go on. Without rows nothing is shown.
    // notAllSaved (when given) tells whether an OK step left marked work unsaved, in which case
    // the caller marks the project changed.
    static bool run(QWidget *parent, const QList<SaveFileRow> &rows, const SaveRowFunction &save,
                    bool *notAllSaved = nullptr);

    bool notAllSaved() const { return !m_allSaved; }

public slots:
    void saveMarkedRows();
    void markAll();
    void markNone();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildTable(const QList<SaveFileRow> &rows);
    QPushButton *addButton(const QString &text, const char *name);
    bool isMarked(int row) const;
    QList<SaveFileRow> shownRows() const;
    void setMark(int row, bool marked);
    void toggleCurrentRow();
    void setEveryMark(bool marked);

    SaveRowFunction m_save;
    QTableWidget *m_table;
    // Survives a stopped OK step, so work left unsaved earlier still keeps the caller back.
    bool m_allSaved = true;
};
