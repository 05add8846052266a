#include "ContextMenu.h"

#include "CommandRouter.h"
#include "TestSeam.h"
#include "ViewerIds.h"

#include <QMenu>
#include <utility>

namespace {
ContextMenu::Hook& CurrentHook() {
    static ContextMenu::Hook hook;
    return hook;
}
[[maybe_unused]] const bool g_switch = testseam::Register(CurrentHook());

struct Item {
    int id; // 0: a separator
    const char* text;
};

// The items in order; the trailing space of "Add To Favorite " is the menu's own.
constexpr Item kItems[] = {
    {ids::ID_ADD_FAVORITE, "Add To Favorite "},
    {0, nullptr},
    {ids::ID_BROWSE, "Browse Wizard..."},
    {0, nullptr},
    {ids::ID_EDIT_COPY, "Copy"},
    {ids::ID_FILE_PRINT, "Print..."},
    {ids::ID_FILE_SAVE_AS, "Save As..."},
    {0, nullptr},
    {ids::ID_LOAD_BOOKMARK, "Load Bookmark..."},
    {ids::ID_SAVE_BOOKMARK, "Save Bookmark..."},
    {0, nullptr},
    {ids::ID_SLIDE_SHOW, "Slide Show..."},
    {ids::ID_WALLPAPER, "Wallpaper"},
    {0, nullptr},
};
} // namespace

ContextMenu::Hook ContextMenu::SetHook(Hook hook) {
    return std::exchange(CurrentHook(), std::move(hook));
}

void ContextMenu::Track(QWidget* owner, const QPoint& globalPos, CommandRouter& router) {
    QMenu menu(owner);
    menu.setObjectName(QStringLiteral("menu%1").arg(ids::IDR_CONTEXT_MENU));
    menu.setSeparatorsCollapsible(false);
    for (const Item& item : kItems) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromLatin1(item.text));
        action->setData(item.id);
        // Greyed by the same rules as the menu bar's items: the cover, the
        // favourites mode, no stored bookmark, and commands not available.
        action->setEnabled(router.State(item.id).enabled);
    }
    QAction* chosen = CurrentHook() ? CurrentHook()(menu) : menu.exec(globalPos);
    if (chosen && chosen->isEnabled())
        router.Execute(chosen->data().toInt());
}
