#include "XIdleWatch.h"

#include "DesktopStandIns.h"
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
