#pragma once

#include "DialogFields.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The Search/Replace dialog: a search text, with the Replace command a replacement text and
// Replace All, and the options (for Search in Project, regular expressions instead of the
// scope). It only collects them; the caller searches.
class SearchReplaceDialog : public QDialog
{
    Q_OBJECT

public:
    SearchReplaceDialog(SearchForm form, const SearchFields &fields, QWidget *parent = nullptr);

    SearchFields fields() const;
    SearchAnswer answer() const { return m_answer; }

    // Shows the dialog modally; answers how it closed and leaves the boxes in *fields.
    static SearchAnswer run(QWidget *parent, SearchForm form, SearchFields *fields);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_find;
    QLineEdit *m_replace;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QCheckBox *m_entireScope;
    QCheckBox *m_confirm;
    QCheckBox *m_regularExpression;
    SearchAnswer m_answer = SearchAnswer::Cancel;
};
