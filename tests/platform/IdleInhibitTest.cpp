#include "IdleInhibit.h"

#include "DesktopStandIns.h"
#include "VirtualXServer.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

// After the test framework: Xlib defines None and other bare words as macros.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

enum class End { release, releaseBeforeTheAnswer, destroy };

// The services on the session bus decide the way; a hold is let go the way
// it was granted. `held` is what the services saw while held, `released`
// what they saw after; no stand-in means no session bus at all.
struct InhibitCase {
    const char* name;
    const char* standIn;
    End end;
    const char* held;
    const char* released;
    bool unavailable;
};

class IdleInhibitWays : public ::testing::TestWithParam<InhibitCase> {};

TEST_P(IdleInhibitWays, HoldTheWayTheSessionOffersAndLetGo) {
    const InhibitCase& c = GetParam();
    PrivateSessionBus bus;
    std::optional<ScopedEnv> noBus;
    if (c.standIn)
        ASSERT_TRUE(bus.StartStandIn(QString::fromLatin1(c.standIn).split(QLatin1Char(' '))));
    else
        noBus.emplace("DBUS_SESSION_BUS_ADDRESS", QString());
    auto inhibit = std::make_unique<session::IdleInhibit>(
        QStringLiteral("quelby"), QStringLiteral("A slide show is running"));
    QSignalSpy unavailable(inhibit.get(), &session::IdleInhibit::Unavailable);
    const auto record = [&bus] { return bus.Record().join(QLatin1Char('\n')); };
    const QString held = QString::fromLatin1(c.held);

    inhibit->Hold(QStringLiteral("x11:2a"));
    if (c.end == End::releaseBeforeTheAnswer) {
        inhibit->Release();
    } else {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return record() == held && (inhibit->IsHeld() || unavailable.count() || noBus); },
            5000))
            << record().toStdString();
        EXPECT_EQ(inhibit->IsHeld(), !c.unavailable && c.standIn);
        if (c.end == End::release)
            inhibit->Release();
        else
            inhibit.reset();
    }
    const QString all = held + QString::fromLatin1(c.released);
    EXPECT_TRUE(QTest::qWaitFor([&] { return record() == all; }, 5000)) << record().toStdString();
    EXPECT_EQ(unavailable.count(), c.unavailable ? 1 : 0);
}

#define PORTAL "Inhibit window=[x11:2a] flags=8 reason=[A slide show is running]"
#define SCREEN_SAVER "ScreenSaver.Inhibit [quelby] [A slide show is running]"
#define GRANTING "--screensaver /org/freedesktop/ScreenSaver"

INSTANTIATE_TEST_SUITE_P(
    Sessions, IdleInhibitWays,
    ::testing::Values(
        InhibitCase{"Portal", "--inhibit grant " GRANTING, End::release, PORTAL, "\nClose", false},
        InhibitCase{"PortalAnsweringAfterTheRelease", "--inhibit grant",
                    End::releaseBeforeTheAnswer, PORTAL, "\nClose", false},
        InhibitCase{"PortalAtTheEnd", "--inhibit grant", End::destroy, PORTAL, "\nClose", false},
        InhibitCase{"ScreenSaver", GRANTING, End::release, SCREEN_SAVER " 41",
                    "\nScreenSaver.UnInhibit 41", false},
        InhibitCase{"OlderScreenSaver", "--screensaver /ScreenSaver", End::release,
                    SCREEN_SAVER " 41", "\nScreenSaver.UnInhibit 41", false},
        InhibitCase{"PortalWhoseBackendFails", "--inhibit fail " GRANTING, End::release,
                    PORTAL "\n" SCREEN_SAVER " 41", "\nScreenSaver.UnInhibit 41", false},
        InhibitCase{"BothRefuse",
                    "--inhibit refuse --screensaver-refuse /org/freedesktop/ScreenSaver",
                    End::release, PORTAL "\n" SCREEN_SAVER, "", true},
        InhibitCase{"NoService", "", End::release, "", "", true},
        InhibitCase{"NoBus", nullptr, End::release, "", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Savers that watch the X server's idle time see none while a hold lasts.
TEST(IdleInhibit, ResetsTheXServersIdleTimeWhileHeld) {
    if (!VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb is not installed";
    VirtualXServer server;
    ASSERT_TRUE(server.Start());
    const ScopedEnv display("DISPLAY", QString::fromLatin1(server.Display()));
    const ScopedEnv noBus("DBUS_SESSION_BUS_ADDRESS", QString());
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> x(
        XOpenDisplay(server.Display().constData()), &XCloseDisplay);
    ASSERT_TRUE(x);
    const auto idleMs = [&x] {
        XScreenSaverInfo info{};
        XScreenSaverQueryInfo(x.get(), DefaultRootWindow(x.get()), &info);
        return info.idle;
    };
    QTest::qWait(1200);
    ASSERT_GE(idleMs(), 1000u);
    session::IdleInhibit inhibit(QStringLiteral("quelby"), QStringLiteral("slide show"));
    inhibit.Hold(QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return idleMs() < 1000; }, 2000));
}

} // namespace
