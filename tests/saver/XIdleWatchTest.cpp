#include "XIdleWatch.h"

#include "DesktopStandIns.h"
#include "MutterIdleWatch.h"
#include "VirtualXServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// After the test framework: Xlib defines None and other bare words as macros.
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;

enum class Way { gnome, xServer, none };

// With an X server at hand, the session's offer decides the way: GNOME's
// monitor first; an X server's idle time in a Wayland session counts only
// the input to X windows, so it is no way there.
struct WayCase {
    const char* name;
    bool monitor;
    const char* wayland;
    Way way;
};

class IdleWays : public ::testing::TestWithParam<WayCase> {};

TEST_P(IdleWays, GnomesMonitorFirstAndTheXServerOutsideWayland) {
    const WayCase& c = GetParam();
    if (!VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb is not installed";
    VirtualXServer server;
    ASSERT_TRUE(server.Start());
    const ScopedEnv display("DISPLAY", QString::fromLatin1(server.Display()));
    const ScopedEnv wayland("WAYLAND_DISPLAY", QString::fromLatin1(c.wayland));
    PrivateSessionBus bus;
    if (c.monitor) {
        ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--idle-monitor")}));
    }
    const std::unique_ptr<IdleWatch> watch = MakeIdleWatch();
    if (c.way == Way::xServer && !watch)
        GTEST_SKIP() << "the X server has no screen-saver extension";
    EXPECT_EQ(dynamic_cast<MutterIdleWatch*>(watch.get()) != nullptr, c.way == Way::gnome);
    EXPECT_EQ(dynamic_cast<XIdleWatch*>(watch.get()) != nullptr, c.way == Way::xServer);
}

INSTANTIATE_TEST_SUITE_P(Sessions, IdleWays,
                         ::testing::Values(WayCase{"GnomeOnX11", true, "", Way::gnome},
                                           WayCase{"GnomeOnWayland", true, "wayland-0", Way::gnome},
                                           WayCase{"OtherX11", false, "", Way::xServer},
                                           WayCase{"OtherWayland", false, "wayland-0", Way::none}),
                         [](const auto& info) { return std::string(info.param.name); });

// The X server's idle time on a server of the test's own: input there is
// what XForceScreenSaver's reset stands for, as xset s reset does.
TEST(XIdleWatch, TellsIdleAfterTheIdleTimeAndActiveAtTheNextInput) {
    if (!VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb is not installed";
    VirtualXServer server;
    ASSERT_TRUE(server.Start());
    const ScopedEnv display("DISPLAY", QString::fromLatin1(server.Display()));
    std::unique_ptr<XIdleWatch> watch = XIdleWatch::Open();
    if (!watch)
        GTEST_SKIP() << "the X server has no screen-saver extension";
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> user(
        XOpenDisplay(server.Display().constData()), &XCloseDisplay);
    ASSERT_TRUE(user);
    const auto touch = [&user] {
        XForceScreenSaver(user.get(), ScreenSaverReset);
        XSync(user.get(), False);
    };
    QSignalSpy idle(watch.get(), &IdleWatch::Idle);
    QSignalSpy active(watch.get(), &IdleWatch::Active);

    touch();
    QElapsedTimer clock;
    clock.start();
    watch->Watch(1500ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle.count() == 1; }, 5000));
    EXPECT_GE(clock.elapsed(), 1400);
    EXPECT_EQ(active.count(), 0);

    touch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return active.count() == 1; }, 3000));
    clock.restart();
    EXPECT_TRUE(QTest::qWaitFor([&] { return idle.count() == 2; }, 5000));
    EXPECT_GE(clock.elapsed(), 400); // the input came at most a second before it was seen
}

} // namespace
