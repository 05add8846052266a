#pragma once

// Resource ids of the screen saver, with the numbers the program has always
// used: its dialogs and their controls, and its bitmaps.
#include <QString>

namespace saverids {

// The profile's root key and the application name. The saver carries the
// viewer's application name, so that its profile is the viewer's and it
// reads the favourites the viewer keeps.

// Dialog 136, the configuration, and its controls.
inline constexpr int IDD_SETUP = 136;
inline constexpr int IDC_BANNER = 1012;
inline constexpr int IDC_VIEW_TIME = 1005;
inline constexpr int IDC_ARROWS = 1009;
inline constexpr int IDC_SAVE_LOCATION = 1008;
inline constexpr int IDC_ALL_CARTOONS = 102;
inline constexpr int IDC_CATEGORY = 1034;
inline constexpr int IDC_FAVORITE = 1036;

// The built-in pictures, shown in this order while the CD is missing.
inline constexpr int IDB_BUILT_IN_1 = 165;
inline constexpr int IDB_BUILT_IN_2 = 166;
inline constexpr int IDB_BUILT_IN_3 = 169;
inline constexpr int IDB_BUILT_IN_4 = 170;

// The path of a bitmap resource of the saver, by id or by name.
inline QString BitmapResource(int id) {
    return QStringLiteral(":/saver/bitmaps/%1.bmp").arg(id);
}
inline const QString kBitmapFolder = QStringLiteral(":/saver/bitmaps");

} // namespace saverids
