#pragma once

#include <QPoint>
#include <functional>

class CommandRouter;
class QAction;
class QMenu;
class QWidget;

// Menu 233, the view's right-button menu: its items in order with their
// command ids, greyed where the command cannot run now. The chosen item's
// command reaches the view through the router, as a menu bar item's does.
namespace ContextMenu {
// Shows the menu at a point of the screen and runs the chosen command.
void Track(QWidget* owner, const QPoint& globalPos, CommandRouter& router);

// Tests choose by script: while a hook is set, no menu is shown; the hook
// sees the menu as built and returns the item chosen (nullptr: none).
using Hook = std::function<QAction*(QMenu&)>;
// Returns the hook it replaces.
Hook SetHook(Hook hook);
} // namespace ContextMenu
