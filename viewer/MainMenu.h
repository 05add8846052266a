#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <map>

class CommandRouter;
class QAction;
class QMenuBar;
class QWidget;

// Menu 128 and accelerator table 128 as QActions carrying their command ids
// (QAction::data). Each action runs its command through the router, and the
// states are refreshed from the router's update rules before a menu opens
// and after every command.
class MainMenu {
public:
    MainMenu(QWidget* frame, QMenuBar* menuBar, CommandRouter& router);

    void Refresh();
    // The action of a command id (menu item or key), or nullptr.
    QAction* Action(int id) const;
    // Keys of accelerator table 128, for each command id.
    static std::map<int, QList<QKeySequence>> AcceleratorTable();
    // The paging keys: the arrows and Page Down/Up step as the buttons do.
    // (Space and Backspace step too, from the view: a focused button takes
    // Space for itself.)
    static std::map<int, QList<QKeySequence>> PagingKeys();

private:
    QAction* MakeAction(int id, const QString& text);
    void BuildMenus(QMenuBar* menuBar);
    void BuildAccelerators();

    QWidget* m_frame;
    CommandRouter& m_router;
    std::map<int, QAction*> m_actions;
};
