#pragma once

#include "EditorWidget.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

class EditorModel;

class QFrame;
class QLabel;
class QListView;
class ProposalListModel;

// Accepting an entry of the completion list: without a selection the typed word (the
// filterLength characters left of the caret) is selected; entry, when given and different,
// replaces it as one undoable change; the caret ends after the text with nothing selected.
void AcceptCompletion(EditorModel &editor, qsizetype filterLength, const std::optional<QString> &entry);

// The completion proposal: a list of words that pops up at the caret (Ctrl+Space, or a pause
// after "."), filtered by what is typed, from which one replaces the word before the caret.
// The editor keeps the keyboard focus (and with it the input method) while the list is open:
// the list takes its keys from the editor, and never activates a window of its own.
class SynCompletionProposal : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimerInterval = 500; // ms after the trigger character
    static constexpr int LinesShown = 10;
    static constexpr int Width = 262;
    static constexpr QChar TriggerChar = u'.';

    explicit SynCompletionProposal(QObject *parent = nullptr);
    ~SynCompletionProposal() override;

    // What the list shows, and what accepting each row inserts.
    void setLists(QStringList itemList, QStringList insertList);
    const QStringList &itemList() const { return m_itemList; }
    const QStringList &insertList() const { return m_insertList; }

    void attach(EditorWidget *editor);
    void detach();
    EditorWidget *editor() const { return m_editor; }

    // Opens the list at the caret, filtered by the word before it.
    void ActivateCompletion();
    // Opens the list with its top left at pos (screen coordinates) unless it would leave the
    // screen's work area (caretLineTop: the caret line's top, where it goes above instead).
    void Execute(const QString &startWord, QPoint caretLineTop);
    void CancelCompletion();

    bool isOpen() const;
    const QString &filter() const { return m_filter; }
    // The shown entries (positions in the item list), and the selected row of them.
    const QList<int> &shownItems() const;
    int selectedRow() const;
    QFrame *form() const { return m_form.get(); }
    QListView *listView() const { return m_list; }
    bool timerPending() const { return m_timer.isActive(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool editorKey(const class QKeyEvent &key);
    bool listKey(const QKeyEvent &key);
    bool typedWhileClosed(QStringView text, Qt::KeyboardModifiers modifiers);
    bool committedWhileOpen(QStringView text);
    void refilter();
    void selectRow(int row);
    void accept(bool insertEntry);
    void timerFired();

    QStringList m_itemList;
    QStringList m_insertList;
    QString m_filter;
    QPointer<EditorWidget> m_editor;
    std::unique_ptr<QFrame> m_form;
    QLabel *m_title = nullptr;
    QListView *m_list = nullptr;
    ProposalListModel *m_model = nullptr;
    QTimer m_timer;
};
