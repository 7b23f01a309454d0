#include "SynCompletionProposal.h"

#include "CompletionData.h"
#include "EditorModel.h"
#include "EditorWidget.h"

#include <QAbstractListModel>
#include <QFrame>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

// The shown entries: rows of the full item list, which is never copied.
class ProposalListModel : public QAbstractListModel
{
public:
    explicit ProposalListModel(const QStringList &items) : m_items(items) {}

    void show(QList<int> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const QList<int> &rows() const { return m_rows; }
    void setRowHeight(int height) { m_rowHeight = height; }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return m_items[m_rows[index.row()]];
        if (role == Qt::SizeHintRole)
            return QSize(0, m_rowHeight);
        return {};
    }

private:
    const QStringList &m_items;
    QList<int> m_rows;
    int m_rowHeight = 16;
};

void AcceptCompletion(EditorModel &editor, qsizetype filterLength, const std::optional<QString> &entry)
{
    if (!editor.SelAvail()) {
        const BufferCoord caret = editor.CaretXY();
        editor.SetSelection({std::max(1, caret.Char - int(filterLength)), caret.Line}, caret);
    }
    if (entry && *entry != editor.SelText())
        editor.SetSelText(*entry);
    editor.SetCaretXY(editor.CaretXY());
}

SynCompletionProposal::SynCompletionProposal(QObject *parent)
    : QObject(parent), m_form(std::make_unique<QFrame>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint))
{
    m_form->setObjectName(QStringLiteral("SynCP"));
    m_form->setAttribute(Qt::WA_ShowWithoutActivating);
    m_form->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_title = new QLabel(QStringLiteral("PHP Keywords and Functions"), m_form.get());
    m_title->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setAutoFillBackground(true);
    m_title->setBackgroundRole(QPalette::Button);
    m_title->setForegroundRole(QPalette::ButtonText);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_title->setContentsMargins(3, 1, 3, 1);

    m_model = new ProposalListModel(m_itemList);
    m_list = new QListView(m_form.get());
    m_model->setParent(m_list);
    m_list->setModel(m_model);
    m_list->setObjectName(QStringLiteral("lbItems"));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setBackgroundRole(QPalette::Base);
    QFont itemFont = m_list->font();
    itemFont.setPointSize(8);
    m_list->setFont(itemFont);
    const int rowHeight = QFontMetrics(itemFont).height() + 2;
    m_model->setRowHeight(rowHeight);
    connect(m_list, &QListView::doubleClicked, this, [this] { accept(true); });

    auto *layout = new QVBoxLayout(m_form.get());
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_title);
    layout->addWidget(m_list);
    m_list->setFixedHeight(LinesShown * rowHeight + 2 * m_list->frameWidth());
    m_form->setFixedSize(Width, m_title->sizeHint().height() + m_list->height() + 2);

    m_timer.setSingleShot(true);
    m_timer.setInterval(TimerInterval);
    connect(&m_timer, &QTimer::timeout, this, &SynCompletionProposal::timerFired);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            CancelCompletion();
    });
}

SynCompletionProposal::~SynCompletionProposal()
{
    detach();
}

void SynCompletionProposal::setLists(QStringList itemList, QStringList insertList)
{
    CancelCompletion();
    m_itemList = std::move(itemList);
    m_insertList = std::move(insertList);
    m_model->show({});
}

void SynCompletionProposal::attach(EditorWidget *editor)
{
    if (editor == m_editor)
        return;
    detach();
    m_editor = editor;
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
}

void SynCompletionProposal::detach()
{
    CancelCompletion();
    if (m_editor) {
        m_editor->removeEventFilter(this);
        m_editor->viewport()->removeEventFilter(this);
    }
    m_editor = nullptr;
}

bool SynCompletionProposal::isOpen() const
{
    return m_form->isVisible();
}

const QList<int> &SynCompletionProposal::shownItems() const
{
    return m_model->rows();
}

int SynCompletionProposal::selectedRow() const
{
    return m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1;
}

void SynCompletionProposal::ActivateCompletion()
{
    if (!m_editor)
        return;
    const EditorModel &editor = *m_editor->model();
    const QPoint caret = m_editor->pixelOf(editor.CaretXY());
    Execute(WordBeforeCaret(editor.LineText(), editor.CaretX()), m_editor->viewport()->mapToGlobal(caret));
}

void SynCompletionProposal::Execute(const QString &startWord, QPoint caretLineTop)
{
    m_timer.stop();
    m_filter = startWord;
    refilter();
    const QScreen *screen = QGuiApplication::screenAt(caretLineTop);
    if (!screen)
        screen = m_editor ? m_editor->screen() : QGuiApplication::primaryScreen();
    const int lineHeight = m_editor ? m_editor->lineHeight() : 0;
    m_form->move(proposalPosition(m_form->size(), caretLineTop, lineHeight, screen->availableGeometry()));
    m_form->show();
}

void SynCompletionProposal::CancelCompletion()
{
    m_timer.stop();
    m_form->hide();
}

void SynCompletionProposal::refilter()
{
    m_model->show(matchingItems(m_itemList, m_filter));
    selectRow(0);
}

void SynCompletionProposal::selectRow(int row)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    const QModelIndex index = m_model->index(std::clamp(row, 0, rows - 1));
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

void SynCompletionProposal::accept(bool insertEntry)
{
    std::optional<QString> entry;
    if (insertEntry && selectedRow() >= 0)
        entry = m_insertList.value(m_model->rows()[selectedRow()]);
    CancelCompletion();
    if (!m_editor)
        return;
    AcceptCompletion(*m_editor->model(), m_filter.size(), entry);
    m_editor->setFocus();
}

void SynCompletionProposal::timerFired()
{
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
        ActivateCompletion();
    else
        CancelCompletion();
}

namespace {

// The keys the open list takes before the window's shortcuts: those of its table without Ctrl
// or Alt, and Ctrl+Up and Ctrl+Down.
bool isListKey(const QKeyEvent &key)
{
    if (proposalKeyAction(key.key(), key.modifiers(), key.text()).kind == ProposalKey::Ignore)
        return false;
    return !isCommandChord(key.modifiers()) || key.key() == Qt::Key_Up || key.key() == Qt::Key_Down;
}

} // namespace

bool SynCompletionProposal::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_editor)
        return false;
    if (watched == m_editor->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            CancelCompletion();
        // The wheel scrolls the open list wherever the mouse is, as the keys do.
        if (event->type() == QEvent::Wheel && isOpen()) {
            QCoreApplication::sendEvent(m_list->viewport(), event);
            return true;
        }
        return false;
    }
    if (watched != m_editor)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: return editorKey(*static_cast<QKeyEvent *>(event));
    case QEvent::ShortcutOverride: {
        // The list's own keys reach it even where the window has a shortcut on them.
        auto *key = static_cast<QKeyEvent *>(event);
        if (isOpen() && isListKey(*key))
            key->accept();
        return false;
    }
    case QEvent::InputMethod: {
        const QString commit = static_cast<QInputMethodEvent *>(event)->commitString();
        return isOpen() ? committedWhileOpen(commit) : typedWhileClosed(commit, Qt::NoModifier);
    }
    case QEvent::FocusOut:
    case QEvent::Hide: CancelCompletion(); return false;
    default: return false;
    }
}

bool SynCompletionProposal::editorKey(const QKeyEvent &key)
{
    if (isOpen())
        return listKey(key);
    if (key.key() == Qt::Key_Space && key.modifiers() == Qt::ControlModifier) {
        if (m_editor->model()->ReadOnly())
            return false;
        ActivateCompletion();
        return true;
    }
    return typedWhileClosed(key.text(), key.modifiers());
}

// Typing the trigger starts the timer; typing anything else stops it.
bool SynCompletionProposal::typedWhileClosed(QStringView text, Qt::KeyboardModifiers modifiers)
{
    if (text.isEmpty() || text.front() < u' ' || isCommandChord(modifiers))
        return false;
    if (text == QStringView(&TriggerChar, 1) && !m_editor->model()->ReadOnly())
        m_timer.start();
    else
        m_timer.stop();
    return false;
}

// Text from an input method: characters the filter takes go on into the editor; any other
// closes the list, as its key would.
bool SynCompletionProposal::committedWhileOpen(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (proposalKeyAction(0, Qt::NoModifier, QStringView(&c, 1)).kind != ProposalKey::Filter) {
            CancelCompletion();
            return true;
        }
    m_filter += text;
    refilter();
    return false;
}

bool SynCompletionProposal::listKey(const QKeyEvent &key)
{
    const ProposalKeyAction action = proposalKeyAction(key.key(), key.modifiers(), key.text());
    switch (action.kind) {
    case ProposalKey::Accept: accept(true); return true;
    case ProposalKey::AcceptAndType: accept(true); return false;
    case ProposalKey::CloseAndType:
    case ProposalKey::CloseAndPass: CancelCompletion(); return false;
    case ProposalKey::Filter:
        m_filter += key.text();
        refilter();
        return false;
    case ProposalKey::Backspace:
        if (m_filter.isEmpty()) {
            CancelCompletion();
        } else {
            m_filter.chop(1);
            refilter();
        }
        return false;
    case ProposalKey::Select: {
        const int row = action.rows == FirstRow ? 0
                      : action.rows == LastRow  ? m_model->rowCount() - 1
                                                : selectedRow() + action.rows;
        selectRow(row);
        return true;
    }
    case ProposalKey::Close: CancelCompletion(); return true;
    case ProposalKey::Ignore: return true;
    }
    return true;
}
