#include "DesktopStandIns.h"
#include "IdleWatch.h"
#include "MutterIdleWatch.h"
#include "ScreenSaverIdleWatch.h"
#include "VirtualXServer.h"
#include "WaylandIdleWatch.h"
#include "WaylandStandIn.h"
#include "XIdleWatch.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

enum class Way { gnome, wayland, xServer, screenSaver, none };

Way WayOf(const IdleWatch* watch) {
    if (dynamic_cast<const MutterIdleWatch*>(watch))
        return Way::gnome;
    if (dynamic_cast<const WaylandIdleWatch*>(watch))
        return Way::wayland;
    if (dynamic_cast<const XIdleWatch*>(watch))
        return Way::xServer;
    if (dynamic_cast<const ScreenSaverIdleWatch*>(watch))
        return Way::screenSaver;
    return Way::none;
}

// The session's offer decides the way: GNOME's monitor first; in a Wayland
// session the compositor's idle notifier, as an X server there counts only
// the input to X windows; outside one the X server's extension; the screen
// saver's idle time last.
struct WayCase {
    const char* name;
    bool monitor;
    bool xServer;
    std::optional<WaylandStandIn::Offer> compositor; // none: not a Wayland session
    const char* screenSaver;                         // its stand-in's option, or none
    Way way;
};

constexpr auto kNotifier = WaylandStandIn::Offer::seatAndNotifier;
constexpr auto kKdeIdle = WaylandStandIn::Offer::seatAndKdeIdle;
constexpr auto kSeatOnly = WaylandStandIn::Offer::seatOnly;

class IdleWays : public ::testing::TestWithParam<WayCase> {};

TEST_P(IdleWays, GnomesMonitorThenTheSessionsOwnThenTheScreenSaversIdleTime) {
    const WayCase& c = GetParam();
    if (c.xServer && !VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb is not installed";
    VirtualXServer server;
    if (c.xServer) {
        ASSERT_TRUE(server.Start());
    }
    const ScopedEnv display("DISPLAY", QString::fromLatin1(server.Display()));
    const ScopedEnv wayland("WAYLAND_DISPLAY", QString());
    const ScopedEnv sessionType("XDG_SESSION_TYPE", QString());
    std::optional<WaylandStandIn> compositor;
    if (c.compositor) {
        compositor.emplace(*c.compositor);
        ASSERT_TRUE(compositor->IsUp());
    }
    PrivateSessionBus bus;
    QStringList services;
    if (c.monitor)
        services << QStringLiteral("--idle-monitor");
    if (c.screenSaver)
        services << QString::fromLatin1(c.screenSaver)
                 << QStringLiteral("/org/freedesktop/ScreenSaver");
    if (!services.isEmpty()) {
        ASSERT_TRUE(bus.StartStandIn(services));
    }
    const std::unique_ptr<IdleWatch> watch = MakeIdleWatch();
    if (c.way == Way::xServer && !watch)
        GTEST_SKIP() << "the X server has no screen-saver extension";
    EXPECT_EQ(WayOf(watch.get()), c.way);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, IdleWays,
    ::testing::Values(WayCase{"GnomeOnX11", true, true, std::nullopt, nullptr, Way::gnome},
                      WayCase{"GnomeOnWayland", true, true, kNotifier, nullptr, Way::gnome},
                      WayCase{"OtherX11", false, true, std::nullopt, "--screensaver", Way::xServer},
                      WayCase{"KdeOrWlrootsOnWayland", false, true, kNotifier,
                              "--screensaver-refuse", Way::wayland},
                      WayCase{"OlderSwayOnWayland", false, true, kKdeIdle, nullptr, Way::wayland},
                      WayCase{"WaylandWithoutTheNotifier", false, true, kSeatOnly, "--screensaver",
                              Way::screenSaver},
                      WayCase{"NoXServerOutsideWayland", false, false, std::nullopt,
                              "--screensaver", Way::screenSaver},
                      WayCase{"OlderKdeOnWayland", false, true, kSeatOnly, "--screensaver-refuse",
                              Way::none}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
