#pragma once

#include "EditorWidget.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class EditorModel;


// The template of list whose key line equals word, ignoring letter case: the key line's index,
// or -1. The first such line wins.
qsizetype findTemplate(const QStringList &list, QStringView word);

// Replaces the word before the caret by the text of its template, as one undo step: a tab of the
// body is the Tab command, each further body line starts with the caret line's indentation, and
// the caret goes where the last "|" was (that "|" is removed). Answers whether there was a
// template.
bool ExpandTemplate(EditorModel &editor, const QStringList &list);

// The template expander: attached to an editor, Shift+Space expands the word before the caret.
class SynAutoComplete : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void setAutoCompleteList(QStringList list) { m_list = std::move(list); }
    const QStringList &autoCompleteList() const { return m_list; }

    void attach(EditorWidget *editor);
    void detach();
    EditorWidget *editor() const { return m_editor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList m_list;
    QPointer<EditorWidget> m_editor;
};
