#include "ScreenMetrics.h"

#include "TestSeam.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
std::optional<QSize> g_forcedSize;
[[maybe_unused]] const bool g_switch = testseam::Register(g_forcedSize);
} // namespace

QSize ScreenMetrics::Size() {
    if (g_forcedSize)
        return *g_forcedSize;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(kSmallScreenWidth, kFillHeight);
}

void ScreenMetrics::ForceSize(std::optional<QSize> size) {
    g_forcedSize = size;
}

QRect ScreenMetrics::FrameRect(QSize screen) {
    if (screen.width() > kSmallScreenWidth) {
        // Integer division truncates toward zero: the frame may start left of
        // a screen narrower than the frame.
        return QRect((screen.width() - kWideFrameWidth) / 2, (screen.height() - kFrameHeight) / 2,
                     kWideFrameWidth, kFrameHeight);
    }
    return QRect(0, 0, kNarrowFrameWidth, kFrameHeight);
}

QPoint ScreenMetrics::BackButtonPos() {
    return QPoint(kBackButtonLeft, kButtonTop);
}

QPoint ScreenMetrics::ForwardButtonPos(int screenWidth) {
    return QPoint(screenWidth > kNarrowPlacesWidth ? kWideForwardButtonLeft
                                                   : kNarrowForwardButtonLeft,
                  kButtonTop);
}

QSize ScreenMetrics::FillSize(QSize screen, bool fullScreen) {
    if (fullScreen)
        return QSize(screen.width(), screen.height() + kFullScreenFillExtra);
    return QSize(screen.width() > kNarrowPlacesWidth ? kWideFrameWidth : kNarrowFrameWidth,
                 kFillHeight);
}
