#include "MainMenu.h"

#include "CommandRouter.h"
#include "ViewerIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

using namespace ids;

namespace {
struct Item {
    int id; // 0: separator
    const char* text;
};
} // namespace

MainMenu::MainMenu(QWidget* frame, QMenuBar* menuBar, CommandRouter& router)
    : m_frame(frame), m_router(router) {
    BuildMenus(menuBar);
    BuildAccelerators();
    Refresh();
}

std::map<int, QList<QKeySequence>> MainMenu::AcceleratorTable() {
    return {
        {ID_FILE_PRINT, {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {ID_EDIT_COPY,
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {ID_HELP, {QKeySequence(Qt::Key_F1)}},
        {ID_CONTEXT_HELP, {QKeySequence(Qt::SHIFT | Qt::Key_F1)}},
        {ID_FILE_NEW, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {ID_FILE_OPEN, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {ID_FILE_SAVE, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {ID_EDIT_UNDO,
         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {ID_EDIT_CUT,
         {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {ID_EDIT_PASTE,
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {ID_NEXT_PANE, {QKeySequence(Qt::Key_F6)}},
        {ID_PREV_PANE, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}},
    };
}

std::map<int, QList<QKeySequence>> MainMenu::PagingKeys() {
    return {
        {ID_FORWARD, {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)}},
        {ID_BACK, {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)}},
    };
}

QAction* MainMenu::MakeAction(int id, const QString& text) {
    // The key after a menu text's tab ("&Print...\tCtrl+P") is the one the
    // action's shortcut carries, and the menu shows it from there: the item
    // is named by its words alone.
    auto* action = new QAction(text.section(QLatin1Char('\t'), 0, 0), m_frame);
    action->setData(id);
    QObject::connect(action, &QAction::triggered, m_frame, [this, id] {
        m_router.Execute(id);
        Refresh();
    });
    m_actions[id] = action;
    return action;
}

void MainMenu::BuildMenus(QMenuBar* menuBar) {
    const auto addMenu = [&](const char* title, std::initializer_list<Item> items) {
        QMenu* menu = menuBar->addMenu(QString::fromLatin1(title));
        for (const Item& item : items) {
            if (item.id == 0)
                menu->addSeparator();
            else
                menu->addAction(MakeAction(item.id, QString::fromLatin1(item.text)));
        }
        QObject::connect(menu, &QMenu::aboutToShow, m_frame, [this] { Refresh(); });
    };
    const auto addCommand = [&](int id, const char* text) {
        menuBar->addAction(MakeAction(id, QString::fromLatin1(text)));
    };

    addMenu("&File", {{ID_FILE_SAVE_AS, "Save &As..."},
                      {0, nullptr},
                      {ID_FILE_PRINT, "&Print...\tCtrl+P"},
                      {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
                      {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
                      {0, nullptr},
                      {ID_APP_EXIT, "E&xit"}});
    addMenu("&Edit", {{ID_EDIT_COPY, "&Copy     \tCtrl+C"}});
    addCommand(ID_BROWSE, "&Browse");
    addMenu("Boo&kmark", {{ID_SAVE_BOOKMARK, "Save Bookma&rk..."},
                          {ID_LOAD_BOOKMARK, "&Load Bookmark..."},
                          {ID_BOOKMARK_ON_EXIT, "Save &Bookmark on Exit"}});
    addMenu("Favori&te",
            {{ID_ADD_FAVORITE, "&Add To Favorite"}, {ID_REMOVE_FAVORITE, "&Remove From Favorite"}});
    addCommand(ID_SLIDE_SHOW, "&Slide Show");
    addCommand(ID_WALLPAPER, "&Wallpaper");
    addMenu("&Help", {{ID_HELP_INDEX, "&Contents"},
                      {ID_HELP_USING, "&Using Help"},
                      {0, nullptr},
                      {ID_APP_ABOUT, "&About Quelby..."}});
    m_actions[ID_BOOKMARK_ON_EXIT]->setCheckable(true);
}

void MainMenu::BuildAccelerators() {
    std::map<int, QList<QKeySequence>> table = AcceleratorTable();
    table.merge(PagingKeys());
    for (const auto& [id, keys] : table) {
        QAction* action = Action(id);
        if (!action)
            action = MakeAction(id, QString()); // a key with no menu item of its own
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        m_frame->addAction(action);
    }
}

QAction* MainMenu::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void MainMenu::Refresh() {
    for (const auto& [id, action] : m_actions) {
        const CmdUI ui = m_router.State(id);
        action->setEnabled(ui.enabled);
        if (action->isCheckable())
            action->setChecked(ui.checked);
    }
}
