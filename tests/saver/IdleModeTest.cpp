#include "CFullScreenWnd.h"
#include "CScreenSaverApp.h"
#include "DesktopStandIns.h"
#include "IdleInhibit.h"
#include "SaverTestSupport.h"
#include "StartGate.h"

#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

class IdleMode : public ::testing::Test, public SaverFixture {
    // No full-screen window of a display the test does not own holds the saver off.
    const ScopedEnv m_noDisplay{"DISPLAY", QString()};
};

// GNOME's idle monitor, stood in for, tells the session is idle: the saver
// shows as "s" shows it, a key ends it, and the next idle time shows it again.
TEST_F(IdleMode, ShowsTheSaverWhenIdleAndWaitsAgainAfterAKeyUntilTerminated) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--idle-monitor")}));
    Store(kIdleMinutes, 600); // hand-edited: read as the longest, 120 minutes
    CScreenSaverApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("--idle")}));
    EXPECT_EQ(app.SaverWindow(), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return bus.Record().contains("AddIdleWatch 7200000"); }, 5000));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());

    for (int round = 1; round <= 2; ++round) {
        bus.Tell("idle");
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow() != nullptr; }, 5000));
        auto* window = qobject_cast<CFullScreenWnd*>(app.SaverWindow());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QTest::keyClick(window, Qt::Key_Space);
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow() == nullptr; }, 5000));
        // Its place stored as "s" stores it.
        EXPECT_EQ(Stored(kImageCounter), QStringLiteral("0"));
        bus.Tell("active");
    }

    bus.Tell("idle");
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow() != nullptr; }, 5000));
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow() == nullptr; }, 5000));
}

// Where nobody else serves the screen saver's Inhibit, the idle mode does: the
// viewer's slide show holds it, and the saver waits, while idle, for it to let go.
TEST_F(IdleMode, WaitsWhileIdleForTheViewersSlideShowToLetGo) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--idle-monitor")}));
    StartGate::SetLookAgain(std::chrono::seconds(1));
    CScreenSaverApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("--idle")}));
    session::IdleInhibit slideShow(QStringLiteral("quelby"), QStringLiteral("slide show"));
    slideShow.Hold(QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return slideShow.IsHeld(); }, 5000));

    bus.Tell("idle");
    QTest::qWait(1500); // past a look
    EXPECT_EQ(app.SaverWindow(), nullptr);
    slideShow.Release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow() != nullptr; }, 3000));
}

// logind's session locks: the saver gives way to the lock screen and waits
// for the unlock, from which the idle time counts anew.
TEST_F(IdleMode, ClosesAtTheLockShowsNothingWhileLockedAndStartsOverAtTheUnlock) {
    PrivateSessionBus system("DBUS_SYSTEM_BUS_ADDRESS");
    PrivateSessionBus session;
    ASSERT_TRUE(system.StartStandIn({QStringLiteral("--logind")}));
    ASSERT_TRUE(session.StartStandIn({QStringLiteral("--idle-monitor")}));
    Store(kIdleMinutes, 5);
    CScreenSaverApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("--idle")}));
    const auto watches = [&session] {
        return session.Record().filter(QStringLiteral("AddIdleWatch 300000")).count();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return watches() == 1; }, 5000));
    session.Tell("idle");
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow() != nullptr; }, 5000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.SaverWindow()));

    ASSERT_TRUE(system.TellUntil("lock", [&] { return app.SaverWindow() == nullptr; }));
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("0"));
    session.Tell("active");
    session.Tell("idle");
    // Told once the idle watch fired again.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return session.Record().count(QStringLiteral("AddUserActiveWatch")) == 2; }, 5000));
    EXPECT_EQ(app.SaverWindow(), nullptr);

    system.Tell("unlock");
    ASSERT_TRUE(QTest::qWaitFor([&] { return watches() == 2; }, 5000));
    EXPECT_TRUE(session.TellUntil("idle", [&] { return app.SaverWindow() != nullptr; }));
}

TEST_F(IdleMode, WithoutAWayToTellIdleEndsWithAMessageAndAFailure) {
    const ScopedEnv display("DISPLAY", QString());
    const ScopedEnv wayland("WAYLAND_DISPLAY", QString());
    const ScopedEnv sessionType("XDG_SESSION_TYPE", QString());
    const PrivateSessionBus bus; // with nothing on it
    CScreenSaverApp app;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(app.InitInstance({QStringLiteral("--idle"), QStringLiteral("5")}));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(app.ExitInstance(), 1);
    EXPECT_NE(said.find("cannot tell when the session is idle"), std::string::npos) << said;
}

} // namespace
