#pragma once

#include "DesktopStandIns.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A Wayland compositor of the test's own, as lean as the idle watch needs
// (libwayland-server, in a thread of its own): a socket in a temporary
// XDG_RUNTIME_DIR, named in WAYLAND_DISPLAY while it lives, and the globals
// wl_seat and ext_idle_notifier_v1, or KDE's org_kde_kwin_idle instead, or
// neither. It keeps no clock: it records the idle notifications asked for,
// and tells them idle or resumed when the test says so.
class WaylandStandIn {
public:
    enum class Offer { seatAndNotifier, seatAndKdeIdle, seatOnly };
    explicit WaylandStandIn(Offer offer = Offer::seatAndNotifier);
    ~WaylandStandIn();
    WaylandStandIn(const WaylandStandIn&) = delete;
    WaylandStandIn& operator=(const WaylandStandIn&) = delete;

    bool IsUp() const;
    // idled and resumed go to every idle notification; goodbye ends every
    // client's connection, as a compositor that goes away does.
    enum class Say { idled, resumed, goodbye };
    void Tell(Say say);
    // "get_idle_notification MS" for each notification asked for, and
    // "destroy MS" for each one let go, in order ("get_idle_timeout MS" and
    // "release MS" of KDE's).
    QStringList Record() const;

private:
    struct Compositor;
    QTemporaryDir m_runtimeDir;
    std::unique_ptr<ScopedEnv> m_runtimeDirEnv;
    std::unique_ptr<ScopedEnv> m_displayEnv;
    std::unique_ptr<Compositor> m_compositor;
};
