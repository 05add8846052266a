#include "IdleWatch.h"

#include "MutterIdleWatch.h"
#include "XIdleWatch.h"

namespace {
bool IsWaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}
} // namespace

std::unique_ptr<IdleWatch> MakeIdleWatch() {
    if (std::unique_ptr<IdleWatch> gnome = MutterIdleWatch::Connect())
        return gnome;
    if (IsWaylandSession())
        return nullptr;
    return XIdleWatch::Open();
}
