#include "ControlTexts.h"

#include "ComponentText.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>

#include <functional>

namespace {

using TextSetter = std::function<void(const QString &)>;

// Item 0 takes the record here whatever its key, each next item the continuation record that
// follows; when those run out before the items do, the remaining items are emptied.
void applyList(TableCursor &cursor, int count, const std::function<void(int, const QString &)> &setItem)
{
    if (count == 0)
        return;
    std::optional<QString> text = cursor.take();
    if (!text)
        return;
    setItem(0, *text);
    int item = 1;
    for (; item < count && cursor.atContinuation(); ++item) {
        text = cursor.take();
        if (!text)
            break;
        setItem(item, *text);
    }
    for (; item < count; ++item)
        setItem(item, {});
}

// Takes the record here for setter, when there is a value.
void takeInto(TableCursor &cursor, const TextSetter &setter)
{
    if (const std::optional<QString> text = cursor.take())
        setter(*text);
}

// A widget that is a page of a tab widget: its caption is the tab's text.
QTabWidget *tabsOf(QWidget *page)
{
    auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
    return stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
}

TextSetter captionSetter(QObject *component)
{
    if (auto *button = qobject_cast<QAbstractButton *>(component))
        return [button](const QString &text) { button->setText(text); };
    if (auto *label = qobject_cast<QLabel *>(component))
        return [label](const QString &text) { label->setText(text); };
    if (auto *group = qobject_cast<QGroupBox *>(component))
        return [group](const QString &text) { group->setTitle(text); };
    if (auto *dock = qobject_cast<QDockWidget *>(component))
        return [dock](const QString &text) { dock->setWindowTitle(text); };
    if (auto *held = qobject_cast<ComponentText *>(component))
        return [held](const QString &text) { held->setCaption(text); };
    if (auto *page = qobject_cast<QWidget *>(component); page && tabsOf(page))
        return [page](const QString &text) {
            QTabWidget *tabs = tabsOf(page);
            tabs->setTabText(tabs->indexOf(page), text);
        };
    return {};
}

// Whether the component is an edit box, and if so whether it is read-only now.
std::optional<bool> editReadOnly(QObject *component)
{
    if (auto *edit = qobject_cast<QLineEdit *>(component))
        return edit->isReadOnly();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(component))
        return edit->isReadOnly();
    if (auto *edit = qobject_cast<QTextEdit *>(component))
        return edit->isReadOnly();
    return std::nullopt;
}

bool translated(QObject *component, TranslateEdits edits)
{
    const std::optional<bool> readOnly = editReadOnly(component);
    return edits == TranslateEdits::teAlways || !readOnly || (edits == TranslateEdits::teReadOnly && *readOnly);
}

void applyNavigator(QObject *navigator, TableCursor &cursor)
{
    const QList<QAbstractButton *> buttons = navigator->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly);
    qsizetype button = 0;
    do {
        const std::optional<QString> hint = cursor.take();
        if (!hint)
            return;
        if (button < buttons.size())
            buttons[button++]->setToolTip(*hint);
    } while (cursor.atContinuation());
}

void applyStatusBar(QStatusBar *bar, TableCursor &cursor)
{
    takeInto(cursor, [bar](const QString &text) { bar->showMessage(text); });
    for (QLabel *panel : bar->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (!cursor.atContinuation())
            return;
        takeInto(cursor, [panel](const QString &text) { panel->setText(text); });
    }
}

void applyEdit(QObject *component, TableCursor &cursor)
{
    if (auto *edit = qobject_cast<QLineEdit *>(component))
        takeInto(cursor, [edit](const QString &text) { edit->setText(text); });
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(component))
        takeInto(cursor, [edit](const QString &text) { edit->setPlainText(text); });
    else if (auto *edit = qobject_cast<QTextEdit *>(component))
        takeInto(cursor, [edit](const QString &text) { edit->setPlainText(text); });
}

// The rules by kind of control, the first that fits deciding.
void applyKind(QObject *component, TableCursor &cursor)
{
    if (auto *list = qobject_cast<QListWidget *>(component)) {
        applyList(cursor, list->count(), [list](int i, const QString &text) { list->item(i)->setText(text); });
    } else if (auto *box = qobject_cast<QComboBox *>(component)) {
        const int current = box->currentIndex();
        applyList(cursor, box->count(), [box](int i, const QString &text) { box->setItemText(i, text); });
        box->setCurrentIndex(current);
    } else if (component->property(NavigatorProperty).toBool()) {
        applyNavigator(component, cursor);
    } else if (auto *bar = qobject_cast<QStatusBar *>(component)) {
        applyStatusBar(bar, cursor);
    } else if (auto *held = qobject_cast<ComponentText *>(component);
               held && held->kind() == ComponentText::Kind::FileDialog) {
        takeInto(cursor, [held](const QString &text) { held->setCaption(text); });
        takeInto(cursor, [held](const QString &text) { held->setFilter(text); });
    } else if (auto *menu = qobject_cast<QMenu *>(component)) {
        takeInto(cursor, [menu](const QString &text) { menu->setTitle(text); });
    } else if (auto *action = qobject_cast<QAction *>(component)) {
        takeInto(cursor, [action](const QString &text) { action->setText(text); });
    } else {
        if (const TextSetter caption = captionSetter(component))
            takeInto(cursor, caption);
        applyEdit(component, cursor);
    }
}

void setHint(QObject *component, const QString &hint)
{
    if (auto *widget = qobject_cast<QWidget *>(component))
        widget->setToolTip(hint);
    else if (auto *action = qobject_cast<QAction *>(component))
        action->setToolTip(hint);
}

} // namespace

bool TableCursor::atContinuation() const
{
    return m_words.value(m_at) == u"\"";
}

bool TableCursor::atHint() const
{
    return m_words.value(m_at).compare(u"\".Hint", Qt::CaseInsensitive) == 0;
}

std::optional<QString> TableCursor::take()
{
    const qsizetype cell = m_at + 1 + m_settings.activeLanguage;
    if (cell >= m_words.size())
        return std::nullopt;
    QString text = m_words[cell];
    if (text.isEmpty() && m_settings.defaultEnabled)
        text = m_words.value(m_at + 1 + m_settings.defaultLanguage);
    skip();
    return text;
}

void applyGroup(QObject *component, TableCursor &cursor, TranslateEdits edits)
{
    const qsizetype start = cursor.position();
    if (translated(component, edits))
        applyKind(component, cursor);
    // A component that used none of its records still has its name record passed over.
    if (cursor.position() == start)
        cursor.skip();
    if (!cursor.atHint() || !(component->isWidgetType() || qobject_cast<QAction *>(component)))
        return;
    if (const std::optional<QString> hint = cursor.take(); hint && !hint->isEmpty())
        setHint(component, *hint);
}
