#pragma once

#include <QIcon>
#include <QString>

// How a desktop ties a program's windows to its launcher: the name of the
// program's desktop entry (the Wayland app_id, and on X11 the hints docks
// read) and the icon the entry names, from the icon theme.
void IdentifyToDesktop(const QString& desktopEntry, const QString& iconName);

// The theme's icon of that name; where the theme lacks it (a build that is
// not installed), the copies the program carries in its resources under
// ":/icons/hicolor/<size>/apps/<name>.png", every size there is.
QIcon ThemeIcon(const QString& iconName);
