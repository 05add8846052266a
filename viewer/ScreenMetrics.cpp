#include "ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
std::optional<QSize> g_forcedSize;
} // namespace

QSize ScreenMetrics::Size() {
    if (g_forcedSize)
        return *g_forcedSize;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(640, 480);
}

void ScreenMetrics::ForceSize(std::optional<QSize> size) {
    g_forcedSize = size;
}

QRect ScreenMetrics::FrameRect(QSize screen) {
    if (screen.width() > 640) {
        // Integer division truncates toward zero, as the original arithmetic did.
        return QRect((screen.width() - 680) / 2, (screen.height() - 450) / 2, 680, 450);
    }
    return QRect(0, 0, 640, 450);
}

QPoint ScreenMetrics::BackButtonPos() {
    return QPoint(1, 373);
}

QPoint ScreenMetrics::ForwardButtonPos(int screenWidth) {
    return screenWidth > 641 ? QPoint(630, 373) : QPoint(590, 373);
}

QSize ScreenMetrics::FillSize(QSize screen, bool fullScreen) {
    if (fullScreen)
        return QSize(screen.width(), screen.height() + 100);
    return screen.width() > 641 ? QSize(680, 480) : QSize(640, 480);
}
