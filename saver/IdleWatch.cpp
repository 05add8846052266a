#include "IdleWatch.h"

#include "MutterIdleWatch.h"
#include "ScreenSaverIdleWatch.h"
#include "WaylandIdleWatch.h"
#include "XIdleWatch.h"

bool IsWaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

std::unique_ptr<IdleWatch> MakeIdleWatch() {
    if (std::unique_ptr<IdleWatch> gnome = MutterIdleWatch::Connect())
        return gnome;
    if (IsWaylandSession()) {
        if (std::unique_ptr<IdleWatch> compositor = WaylandIdleWatch::Connect())
            return compositor;
    } else if (std::unique_ptr<IdleWatch> xServer = XIdleWatch::Open()) {
        return xServer;
    }
    return ScreenSaverIdleWatch::Connect();
}
