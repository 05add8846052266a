#include "WaylandIdleWatch.h"

#include "WaylandStandIn.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace std::chrono_literals;
using Say = WaylandStandIn::Say;

// ext-idle-notify, and KDE's older protocol where only that is offered.
struct Protocol {
    const char* name;
    WaylandStandIn::Offer offer;
    const char* ask;
    const char* letGo;
};

class WaylandIdleWatches : public ::testing::TestWithParam<Protocol> {};

TEST_P(WaylandIdleWatches, AskForANotificationOfTheIdleTimeAndTellWhatItSays) {
    const Protocol& protocol = GetParam();
    WaylandStandIn compositor(protocol.offer);
    ASSERT_TRUE(compositor.IsUp());
    std::unique_ptr<WaylandIdleWatch> watch = WaylandIdleWatch::Connect();
    ASSERT_TRUE(watch);
    QSignalSpy idle(watch.get(), &IdleWatch::Idle);
    QSignalSpy active(watch.get(), &IdleWatch::Active);
    const auto line = [](const char* what, int milliseconds) {
        return QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(milliseconds);
    };
    const auto recorded = [&compositor](const QStringList& lines) {
        return QTest::qWaitFor([&] { return compositor.Record() == lines; }, 5000);
    };

    watch->Watch(90s);
    ASSERT_TRUE(recorded({line(protocol.ask, 90000)}));
    compositor.Tell(Say::idled);
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle.count() == 1; }, 5000));
    EXPECT_EQ(active.count(), 0);
    compositor.Tell(Say::resumed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return active.count() == 1; }, 5000));

    watch->Watch(2min);
    ASSERT_TRUE(recorded(
        {line(protocol.ask, 90000), line(protocol.letGo, 90000), line(protocol.ask, 120000)}));
    compositor.Tell(Say::idled);
    EXPECT_TRUE(QTest::qWaitFor([&] { return idle.count() == 2; }, 5000));
    EXPECT_EQ(active.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Protocols, WaylandIdleWatches,
    ::testing::Values(Protocol{"ExtIdleNotify", WaylandStandIn::Offer::seatAndNotifier,
                               "get_idle_notification", "destroy"},
                      Protocol{"KdeIdle", WaylandStandIn::Offer::seatAndKdeIdle, "get_idle_timeout",
                               "release"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaylandIdleWatch, NoneWithoutACompositorOrWithoutItsIdleNotifier) {
    {
        WaylandStandIn compositor(WaylandStandIn::Offer::seatOnly);
        ASSERT_TRUE(compositor.IsUp());
        EXPECT_FALSE(WaylandIdleWatch::Connect());
    }
    const QTemporaryDir runtimeDir;
    const ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir.path());
    const ScopedEnv display("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    EXPECT_FALSE(WaylandIdleWatch::Connect());
}

// A compositor that goes away ends the watch, said once on standard error;
// the watch neither spins on the closed connection nor asks anything more.
TEST(WaylandIdleWatch, StopsAndSaysSoOnceWhenTheCompositorGoesAway) {
    WaylandStandIn compositor;
    ASSERT_TRUE(compositor.IsUp());
    std::unique_ptr<WaylandIdleWatch> watch = WaylandIdleWatch::Connect();
    ASSERT_TRUE(watch);
    watch->Watch(1min);
    ASSERT_TRUE(QTest::qWaitFor([&] { return compositor.Record().size() == 1; }, 5000));

    const std::string lost = "lost the connection to the Wayland compositor";
    std::string said;
    compositor.Tell(Say::goodbye);
    for (int look = 0; look < 50 && said.find(lost) == std::string::npos; ++look) {
        ::testing::internal::CaptureStderr();
        QTest::qWait(100);
        said += ::testing::internal::GetCapturedStderr();
    }
    ::testing::internal::CaptureStderr();
    watch->Watch(2min);
    QTest::qWait(300);
    said += ::testing::internal::GetCapturedStderr();
    const size_t first = said.find(lost);
    ASSERT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(lost, first + 1), std::string::npos) << said;
    EXPECT_EQ(compositor.Record(), QStringList{"get_idle_notification 60000"});
}

} // namespace
