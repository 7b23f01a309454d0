#pragma once

#include "Commands.h"

#include <QIcon>

#include <array>
#include <functional>
#include <span>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

// The actions of the command table: an action for every place of every command, put into the
// menus and tool bars as the layouts list them, each running its row's handler.
class CommandActions
{
public:
    using IconSource = std::function<QIcon(const CommandRow &)>;

    CommandActions(MainWindow &window, IconSource icons);

    // Fills a menu, or a tool bar before the action before (none: at its end).
    void fillMenu(QMenu *menu, std::span<const Command> items, Slot slot);
    void fillBar(QToolBar *bar, std::span<const Command> buttons, QAction *before = nullptr);

    // The action of a command's place; none when the command does not show there.
    QAction *action(Command command, Slot slot) const;
    // The submenu a place opens; none for a plain item.
    QMenu *menu(Command command, Slot slot) const;
    bool isEnabled(Command command, Slot slot) const;

    // Every place's enabling rule and check mark, from the state; with buttonsOnly the menus keep
    // what they have.
    void refresh(const CommandState &state, bool buttonsOnly = false);

private:
    QAction *create(const CommandRow &row, Slot slot, QWidget *parent);

    MainWindow &m_window;
    IconSource m_icons;
    std::array<std::array<QAction *, SlotCount>, CommandCount> m_actions{};
    std::array<std::array<QMenu *, SlotCount>, CommandCount> m_menus{};
};
