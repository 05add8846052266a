#pragma once

#include "WallpaperResult.h"

#include <QString>

// The desktop's wallpaper (SystemParametersInfo's SPI_SETDESKWALLPAPER): sets
// a picture file as the desktop background in the way the desktop named by
// XDG_CURRENT_DESKTOP takes, else through the XDG desktop portal. Programs
// start with argument lists, never through a shell, and their results are
// checked; the user's placement setting (zoom, centre, tile ...) is left as
// it is.
namespace wallpaper {

enum class Way {
    gnome,    // gsettings org.gnome.desktop.background picture-uri and picture-uri-dark
    cinnamon, // gsettings org.cinnamon.desktop.background picture-uri
    mate,     // gsettings org.mate.background picture-filename
    plasma,   // the Plasma shell's evaluateScript over D-Bus, plugin org.kde.image
    xfce,     // xfconf-query, last-image of every monitor and workspace
    portal,   // org.freedesktop.portal.Wallpaper.SetWallpaperFile
};

// The way a desktop takes: the first name of the colon-separated list that
// names a known desktop decides, without regard to case; any other desktop
// goes through the portal.
Way WayFor(const QString& currentDesktop);
QString WayName(Way way);

// Sets the picture at this absolute path. When the desktop's own way fails,
// the portal is tried before the result says the wallpaper was not set; a
// user who declines in the portal's dialog cancels.
Result SetDesktopWallpaper(const QString& path, const Options& options = {});

} // namespace wallpaper
