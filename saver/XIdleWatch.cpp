#include "XIdleWatch.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

using namespace std::chrono_literals;

std::unique_ptr<XIdleWatch> XIdleWatch::Open() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<XIdleWatch>(new XIdleWatch(display));
}

XIdleWatch::XIdleWatch(_XDisplay* display) : m_display(display) {}

XIdleWatch::~XIdleWatch() {
    XCloseDisplay(m_display);
}

void XIdleWatch::Look() {
    XScreenSaverInfo info{};
    Seen(XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), &info)
             ? std::chrono::milliseconds(info.idle)
             : 0ms);
}
