#include "DesktopStandIns.h"
#include "GnomeSessionHold.h"
#include "ScreenSaverService.h"
#include "SessionBus.h"
#include "VirtualXServer.h"
#include "XFullScreenHold.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

// After the test framework: Xlib defines None and other bare words as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

std::optional<bool> Answer(SaverHold& hold) {
    std::optional<bool> said;
    hold.Ask([&said](bool holds) { said = holds; });
    (void)QTest::qWaitFor([&said] { return said.has_value(); }, 5000);
    return said;
}

// GNOME's session manager; one that is not there or does not answer in time
// holds nothing.
struct SessionManagerCase {
    const char* name;
    const char* mode;
    bool holds;
};

class SessionManagerHolds : public ::testing::TestWithParam<SessionManagerCase> {};

TEST_P(SessionManagerHolds, WhileIdleIsInhibited) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.IsUp());
    if (*GetParam().mode) {
        ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--session-manager"), GetParam().mode}));
    }
    SessionBus connection;
    GnomeSessionHold hold(connection.Connection());
    EXPECT_EQ(Answer(hold), GetParam().holds);
}

INSTANTIATE_TEST_SUITE_P(Answers, SessionManagerHolds,
                         ::testing::Values(SessionManagerCase{"Inhibited", "inhibited", true},
                                           SessionManagerCase{"Free", "free", false},
                                           SessionManagerCase{"Unanswered", "silent", false},
                                           SessionManagerCase{"Absent", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A call from a caller of its own, answered by the event loop the service runs in.
QDBusMessage Call(SessionBus& caller, const char* method, const QVariantList& arguments,
                  const QString& path = QStringLiteral("/org/freedesktop/ScreenSaver")) {
    const QString name = QStringLiteral("org.freedesktop.ScreenSaver");
    QDBusMessage call = QDBusMessage::createMethodCall(name, path, name, method);
    call.setArguments(arguments);
    QDBusPendingCall pending = caller.Connection().asyncCall(call, 5000);
    (void)QTest::qWaitFor([&pending] { return pending.isFinished(); }, 6000);
    return pending.reply();
}

TEST(ScreenSaverService, HoldsWhileACallerInhibitsAndGivesWayToALaterOwner) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.IsUp());
    SessionBus own;
    const std::unique_ptr<ScreenSaverService> service = ScreenSaverService::Serve(own.Connection());
    ASSERT_TRUE(service);
    auto player = std::make_unique<SessionBus>();
    SessionBus other;
    const uint cookie =
        Call(*player, "Inhibit", {"player", "film"}, "/ScreenSaver").arguments().value(0).toUInt();
    EXPECT_TRUE(service->IsHeld());
    // Another caller's and an unknown cookie change nothing.
    Call(other, "UnInhibit", {cookie});
    Call(*player, "UnInhibit", {cookie + 1});
    EXPECT_TRUE(service->IsHeld());
    Call(*player, "UnInhibit", {cookie});
    EXPECT_FALSE(service->IsHeld());
    Call(*player, "Inhibit", {"player", "film"});
    EXPECT_TRUE(service->IsHeld());
    player.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !service->IsHeld(); }, 5000));

    Call(other, "Inhibit", {"viewer", "slide show"});
    EXPECT_TRUE(service->IsHeld());
    EXPECT_EQ(other.Connection().interface()->registerService(
                  QStringLiteral("org.freedesktop.ScreenSaver"),
                  QDBusConnectionInterface::ReplaceExistingService),
              QDBusConnectionInterface::ServiceRegistered);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !service->IsHeld(); }, 5000));
    SessionBus late;
    EXPECT_FALSE(ScreenSaverService::Serve(late.Connection()));
}

// The active window and its state set by hand, as a window manager sets them.
enum class Active { fullScreen, other, none };
struct FullScreenCase {
    const char* name;
    Active active;
    bool holds;
};

class FullScreenHolds : public ::testing::TestWithParam<FullScreenCase> {};

TEST_P(FullScreenHolds, WhileTheActiveWindowIsFullScreen) {
    if (!VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb is not installed";
    VirtualXServer server;
    ASSERT_TRUE(server.Start());
    const ScopedEnv display("DISPLAY", QString::fromLatin1(server.Display()));
    const ScopedEnv wayland("WAYLAND_DISPLAY", QString());
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> x(
        XOpenDisplay(server.Display().constData()), &XCloseDisplay);
    ASSERT_TRUE(x);
    const auto atom = [&x](const char* name) { return XInternAtom(x.get(), name, False); };
    const Window root = DefaultRootWindow(x.get());
    Window window = XCreateSimpleWindow(x.get(), root, 0, 0, 640, 480, 0, 0, 0);
    const Atom states[] = {atom("_NET_WM_STATE_ABOVE"),
                           atom(GetParam().active == Active::other ? "_NET_WM_STATE_STICKY"
                                                                   : "_NET_WM_STATE_FULLSCREEN")};
    XChangeProperty(x.get(), window, atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states), 2);
    if (GetParam().active == Active::none)
        window = 0;
    XChangeProperty(x.get(), root, atom("_NET_ACTIVE_WINDOW"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&window), 1);
    XSync(x.get(), False);

    const std::unique_ptr<XFullScreenHold> hold = XFullScreenHold::Open();
    ASSERT_TRUE(hold);
    EXPECT_EQ(Answer(*hold), GetParam().holds);
}

INSTANTIATE_TEST_SUITE_P(Windows, FullScreenHolds,
                         ::testing::Values(FullScreenCase{"FullScreen", Active::fullScreen, true},
                                           FullScreenCase{"NotFullScreen", Active::other, false},
                                           FullScreenCase{"NoActiveWindow", Active::none, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
