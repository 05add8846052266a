#include "LockWatch.h"

#include "DesktopStandIns.h"
#include "SessionBus.h"

#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct LockSource {
    const char* name;
    bool systemBus; // logind; else the desktop's screen saver on the session bus
    const char* standIn;
    const char* sessionId;
    QByteArray lock; // none: locked when the watch starts
    QByteArray unlock;
};

void PrintTo(const LockSource& source, std::ostream* out) {
    *out << source.name;
}

class LockSources : public ::testing::TestWithParam<LockSource> {};

TEST_P(LockSources, TellTheLockAndTheUnlockOnce) {
    const LockSource& source = GetParam();
    PrivateSessionBus system("DBUS_SYSTEM_BUS_ADDRESS");
    PrivateSessionBus session;
    const ScopedEnv id("XDG_SESSION_ID", QString::fromLatin1(source.sessionId));
    PrivateSessionBus& bus = source.systemBus ? system : session;
    ASSERT_TRUE(bus.StartStandIn(QString::fromLatin1(source.standIn).split(QLatin1Char(' '))));
    LockWatch watch;
    QSignalSpy locked(&watch, &LockWatch::Locked);
    QSignalSpy unlocked(&watch, &LockWatch::Unlocked);

    if (source.lock.isEmpty())
        ASSERT_TRUE(QTest::qWaitFor([&] { return watch.IsLocked(); }, 5000));
    else
        ASSERT_TRUE(bus.TellUntil(source.lock, [&] { return watch.IsLocked(); }));
    ASSERT_TRUE(bus.TellUntil(source.unlock, [&] { return !watch.IsLocked(); }));
    EXPECT_EQ(locked.count(), 1);
    EXPECT_EQ(unlocked.count(), 1);
}

const LockSource kSources[] = {
    {"LogindLockRequest", true, "--logind", "c2", "lock", "unlock"},
    {"LogindLockedHint", true, "--logind", "", "hint-on", "hint-off"},
    {"LogindUnknownSessionId", true, "--logind", "c9", "hint-on", "unlock"},
    {"LogindLockedAtStart", true, "--logind-locked", "c2", "", "hint-off"},
    {"GnomeShell", false, "--gnome-screensaver", "", "saver-on", "saver-off"},
    {"Freedesktop", false, "--screensaver /org/freedesktop/ScreenSaver", "", "saver-on",
     "saver-off"},
    {"Plasma", false, "--screensaver /ScreenSaver", "", "saver-on", "saver-off"},
};
INSTANTIATE_TEST_SUITE_P(LockWatch, LockSources, ::testing::ValuesIn(kSources),
                         [](const auto& info) { return info.param.name; });

TEST(LockWatch, LeavesOutTheScreenSaverThisProgramServes) {
    PrivateSessionBus session;
    ASSERT_TRUE(
        session.StartStandIn({QStringLiteral("--screensaver"), QStringLiteral("/ScreenSaver")}));
    LockWatch watch;
    // Listening once the desktop's is heard.
    ASSERT_TRUE(session.TellUntil("saver-on", [&] { return watch.IsLocked(); }));
    ASSERT_TRUE(session.TellUntil("saver-off", [&] { return !watch.IsLocked(); }));

    SessionBus own;
    QDBusMessage active = QDBusMessage::createSignal(QStringLiteral("/ScreenSaver"),
                                                     QStringLiteral("org.freedesktop.ScreenSaver"),
                                                     QStringLiteral("ActiveChanged"));
    active << true;
    ASSERT_TRUE(own.Connection().send(active));
    EXPECT_FALSE(QTest::qWaitFor([&] { return watch.IsLocked(); }, 1000));
}

} // namespace
