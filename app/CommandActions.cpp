#include "CommandActions.h"

#include "MainWindow.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr Slot Slots[] = {Slot::Menu, Slot::Popup, Slot::Button};

} // namespace

CommandActions::CommandActions(MainWindow &window, IconSource icons) : m_window(window), m_icons(std::move(icons)) { }

QAction *CommandActions::action(Command command, Slot slot) const
{
    return m_actions[int(command)][int(slot)];
}

QMenu *CommandActions::menu(Command command, Slot slot) const
{
    return m_menus[int(command)][int(slot)];
}

bool CommandActions::isEnabled(Command command, Slot slot) const
{
    const QAction *found = action(command, slot);
    return found && found->isEnabled();
}

QAction *CommandActions::create(const CommandRow &row, Slot slot, QWidget *parent)
{
    const CommandPlace &place = row.place(slot);
    if (!place.name) {
        // A fault of the tables, said loudly (the window test fails on it) but never fatal.
        qWarning("Command %d is laid out where it has no place", int(row.command));
        return nullptr;
    }
    const QString caption = QString::fromUtf8(place.caption);
    QAction *created;
    if (row.opensMenu && slot != Slot::Button) {
        auto *sub = new QMenu(caption, parent);
        sub->setObjectName(QString::fromLatin1(place.name));
        fillMenu(sub, row.submenu, slot);
        m_menus[int(row.command)][int(slot)] = sub;
        created = sub->menuAction();
    } else {
        created = new QAction(caption, parent);
        created->setObjectName(QString::fromLatin1(place.name));
        created->setShortcut(QKeySequence(QString::fromLatin1(place.shortcut)));
        if (slot == Slot::Button)
            created->setToolTip(caption);
        if (row.run)
            QObject::connect(created, &QAction::triggered, &m_window, [this, run = row.run] { run(m_window); });
        // Menu items show the icon of the button that runs the same command, so the two are
        // recognised as one.
        if (slot == Slot::Button || row.button.name)
            created->setIcon(m_icons(row));
    }
    created->setEnabled(!place.startsDisabled);
    created->setVisible(!(row.hidden && slot != Slot::Menu));
    if (row.checked)
        created->setCheckable(true);
    m_actions[int(row.command)][int(slot)] = created;
    return created;
}

void CommandActions::fillMenu(QMenu *menu, std::span<const Command> items, Slot slot)
{
    for (const Command command : items) {
        if (command == Command::Separator)
            menu->addSeparator();
        else if (QAction *item = create(commandRow(command), slot, menu))
            menu->addAction(item);
    }
}

void CommandActions::fillBar(QToolBar *bar, std::span<const Command> buttons, QAction *before)
{
    for (const Command command : buttons) {
        if (command == Command::Separator) {
            bar->insertSeparator(before);
            continue;
        }
        if (QAction *button = create(commandRow(command), Slot::Button, bar))
            bar->insertAction(before, button);
    }
}

void CommandActions::refresh(const CommandState &state, bool buttonsOnly)
{
    for (const CommandRow &row : commandRows()) {
        for (const Slot slot : Slots) {
            QAction *placed = action(row.command, slot);
            if (!placed || (buttonsOnly && slot != Slot::Button))
                continue;
            if (const EnableRule rule = row.place(slot).enabled)
                placed->setEnabled(rule(state));
            if (row.checked)
                placed->setChecked(row.checked(state));
        }
    }
}
