#include "MutterIdleWatch.h"

#include "DesktopStandIns.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace std::chrono_literals;

TEST(MutterIdleWatch, WatchesTheIdleTimeThenTheNextInputAndStartsOver) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--idle-monitor")}));
    std::unique_ptr<MutterIdleWatch> watch = MutterIdleWatch::Connect();
    ASSERT_TRUE(watch);
    QSignalSpy idle(watch.get(), &IdleWatch::Idle);
    QSignalSpy active(watch.get(), &IdleWatch::Active);
    // The calls so far, in any order: answers come back in the background.
    const auto recorded = [&bus](QStringList lines) {
        lines.sort();
        return QTest::qWaitFor(
            [&] {
                QStringList record = bus.Record();
                record.sort();
                return record == lines;
            },
            5000);
    };

    watch->Watch(90s);
    ASSERT_TRUE(recorded({"AddIdleWatch 90000"}));
    bus.Tell("active"); // no user-active watch yet: nothing fires
    bus.Tell("idle");
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle.count() == 1; }, 5000));
    EXPECT_EQ(active.count(), 0);
    ASSERT_TRUE(recorded({"AddIdleWatch 90000", "AddUserActiveWatch"}));
    bus.Tell("active");
    ASSERT_TRUE(QTest::qWaitFor([&] { return active.count() == 1; }, 5000));
    bus.Tell("idle");
    EXPECT_TRUE(QTest::qWaitFor([&] { return idle.count() == 2; }, 5000));
    EXPECT_EQ(active.count(), 1);

    watch->Watch(2min);
    EXPECT_TRUE(recorded({"AddIdleWatch 90000", "AddUserActiveWatch", "AddUserActiveWatch",
                          "RemoveWatch 1", "RemoveWatch 3", "AddIdleWatch 120000"}));
}

// GNOME Shell restarting: the monitor leaves the bus with the watches and
// comes back with none.
TEST(MutterIdleWatch, WatchesAgainWhenTheMonitorComesBack) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--idle-monitor")}));
    std::unique_ptr<MutterIdleWatch> watch = MutterIdleWatch::Connect();
    ASSERT_TRUE(watch);
    QSignalSpy idle(watch.get(), &IdleWatch::Idle);
    watch->Watch(90s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bus.Record().isEmpty(); }, 5000));

    bus.Tell("restart");
    const QStringList again{"AddIdleWatch 90000", "AddIdleWatch 90000"};
    ASSERT_TRUE(QTest::qWaitFor([&] { return bus.Record() == again; }, 5000));
    bus.Tell("idle");
    EXPECT_TRUE(QTest::qWaitFor([&] { return idle.count() == 1; }, 5000));
    EXPECT_TRUE(bus.Record().filter(QStringLiteral("RemoveWatch")).isEmpty());
}

} // namespace
