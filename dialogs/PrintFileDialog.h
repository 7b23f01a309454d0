#pragma once

#include "DialogFields.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPrinter;

// The Print dialog: the printer (Qt's list of printers, and Print to PDF), its setup, the four
// options and the four margins. It only collects them; the caller prints.
class PrintFileDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrintFileDialog(const PrintFields &fields, QWidget *parent = nullptr);

    PrintFields fields() const;
    PrintAnswer answer() const { return m_answer; }

    // Shows the dialog modally; answers how it closed and leaves the controls in *fields.
    static PrintAnswer run(QWidget *parent, PrintFields *fields);
    // Makes printer the one page names, with its paper (no printer: Qt's PDF output).
    static void setUpPrinter(QPrinter &printer, const PrintPage &page);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillPrinters(const QString &chosen);
    // Setup...: Qt's printer dialog for the chosen printer; what it chose comes back here.
    void Button1Click();
    void choosePrinter(const QString &name);

    QComboBox *m_printers;
    QCheckBox *m_selection;
    QCheckBox *m_wrap;
    QCheckBox *m_numbers;
    QCheckBox *m_color;
    QLineEdit *m_top;
    QLineEdit *m_bottom;
    QLineEdit *m_left;
    QLineEdit *m_right;
    QLineEdit *m_header;
    PrintPage m_page;
    QString m_document;
    PrintAnswer m_answer = PrintAnswer::Cancel;
};
