#pragma once

// Resource and command ids of the viewer, with the numbers the program has
// always used: menus, accelerators, dialogs, bitmaps, strings and commands.
#include <QString>

namespace ids {

// Strings.
inline constexpr int IDR_MAINFRAME = 128; // menu, accelerators, icon and document string

// Dialogs.
inline constexpr int IDD_ABOUTBOX = 100;

// Bitmaps of the buttons (normal, pressed; low-colour variants).
inline constexpr int IDB_FORWARD_UP = 131;
inline constexpr int IDB_FORWARD_DOWN = 130;
inline constexpr int IDB_BACK_UP = 133;
inline constexpr int IDB_BACK_DOWN = 132;
inline constexpr int IDB_LC_FORWARD_UP = 239;
inline constexpr int IDB_LC_FORWARD_DOWN = 238;
inline constexpr int IDB_LC_BACK_UP = 240;
inline constexpr int IDB_LC_BACK_DOWN = 237;
// The back button's only bitmap while a slide show runs (37 x 26).
inline constexpr int IDB_SLIDE_SHOW_BACK = 241;

// The path of a bitmap resource of the viewer, by id or by name.
inline QString BitmapResource(int id) {
    return QStringLiteral(":/viewer/bitmaps/%1.bmp").arg(id);
}
inline const QString kBitmapFolder = QStringLiteral(":/viewer/bitmaps");

// Context menu of the view.
inline constexpr int IDR_CONTEXT_MENU = 233;

// Commands.
enum Command : int {
    ID_FORWARD = 101,
    ID_BACK = 102,
    ID_BROWSE = 32773,
    ID_WALLPAPER = 32775,
    ID_ADD_FAVORITE = 32777,
    ID_REMOVE_FAVORITE = 32778,
    ID_SAVE_BOOKMARK = 32780,
    ID_LOAD_BOOKMARK = 32781,
    ID_SLIDE_SHOW = 32783,
    ID_BOOKMARK_ON_EXIT = 32784,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57666,
    ID_HELP_USING = 57668,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
};

} // namespace ids
