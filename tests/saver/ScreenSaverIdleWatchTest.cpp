#include "ScreenSaverIdleWatch.h"

#include "DesktopStandIns.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace std::chrono_literals;

// The stand-in keeps no clock: the test sets the idle time that it answers.
TEST(ScreenSaverIdleWatch, LooksAtTheSessionsIdleTimeAndTellsIdleAndActive) {
    PrivateSessionBus bus;
    // Only at the root, where older desktops serve it: found after the first path.
    ASSERT_TRUE(
        bus.StartStandIn({QStringLiteral("--screensaver"), QStringLiteral("/ScreenSaver")}));
    std::unique_ptr<ScreenSaverIdleWatch> watch = ScreenSaverIdleWatch::Connect();
    ASSERT_TRUE(watch);
    QSignalSpy idle(watch.get(), &IdleWatch::Idle);
    QSignalSpy active(watch.get(), &IdleWatch::Active);

    watch->Watch(1s);
    // Connect's look, then the watch's first: idle for no time yet.
    ASSERT_TRUE(QTest::qWaitFor([&] { return bus.Record().size() == 2; }, 5000));
    EXPECT_EQ(bus.Record().last(), QStringLiteral("ScreenSaver.GetSessionIdleTime 0"));
    bus.Tell("idle-time 1000");
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle.count() == 1; }, 5000));
    EXPECT_EQ(active.count(), 0);
    bus.Tell("idle-time 200");
    ASSERT_TRUE(QTest::qWaitFor([&] { return active.count() == 1; }, 5000));
    EXPECT_EQ(idle.count(), 1);
}

} // namespace
