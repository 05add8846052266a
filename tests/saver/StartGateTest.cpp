#include "StartGate.h"

#include "DesktopStandIns.h"
#include "GnomeSessionHold.h"
#include "ScreenSaverService.h"
#include "SessionBus.h"
#include "VirtualXServer.h"
#include "XFullScreenHold.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QSignalSpy>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <xcb/xcb.h>

namespace {

using namespace std::chrono_literals;

std::optional<bool> Answer(SaverHold& hold) {
    std::optional<bool> said;
    hold.Ask([&said](bool holds) { said = holds; });
    (void)QTest::qWaitFor([&said] { return said.has_value(); }, 5000);
    return said;
}

// GNOME's session manager, asked whether idle is inhibited; one that is not
// there or does not answer in time holds nothing.
struct SessionManagerCase {
    const char* name;
    const char* mode;
    bool holds;
};

class SessionManagerHolds : public ::testing::TestWithParam<SessionManagerCase> {};

TEST_P(SessionManagerHolds, WhileIdleIsInhibited) {
    const SessionManagerCase& c = GetParam();
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.IsUp());
    if (*c.mode) {
        ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--session-manager"), c.mode}));
    }
    SessionBus connection;
    GnomeSessionHold hold(connection.Connection());
    EXPECT_EQ(Answer(hold), c.holds);
}

INSTANTIATE_TEST_SUITE_P(Answers, SessionManagerHolds,
                         ::testing::Values(SessionManagerCase{"Inhibited", "inhibited", true},
                                           SessionManagerCase{"Free", "free", false},
                                           SessionManagerCase{"Unanswered", "silent", false},
                                           SessionManagerCase{"Absent", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A call to the service from a caller of its own, answered by the event loop
// the service runs in.
QDBusMessage Call(SessionBus& caller, const QString& path, const QString& method,
                  const QVariantList& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"), path,
                                       QStringLiteral("org.freedesktop.ScreenSaver"), method);
    call.setArguments(arguments);
    QDBusPendingCall pending = caller.Connection().asyncCall(call, 5000);
    (void)QTest::qWaitFor([&pending] { return pending.isFinished(); }, 6000);
    return pending.reply();
}

TEST(ScreenSaverService, HoldsWhileACallerInhibitsUntilItUnInhibitsOrLeaves) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.IsUp());
    SessionBus own;
    const std::unique_ptr<ScreenSaverService> service = ScreenSaverService::Serve(own.Connection());
    ASSERT_TRUE(service);
    const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");
    const QString legacy = QStringLiteral("/ScreenSaver");
    auto player = std::make_unique<SessionBus>();
    SessionBus other;
    const QDBusMessage granted = Call(*player, legacy, "Inhibit", {"player", "film"});
    ASSERT_EQ(granted.type(), QDBusMessage::ReplyMessage) << granted.errorMessage().toStdString();
    const uint cookie = granted.arguments().value(0).toUInt();
    EXPECT_TRUE(service->IsHeld());

    // Another caller's and an unknown cookie change nothing.
    Call(other, path, "UnInhibit", {cookie});
    Call(*player, path, "UnInhibit", {cookie + 1});
    EXPECT_TRUE(service->IsHeld());
    Call(*player, path, "UnInhibit", {cookie});
    EXPECT_FALSE(service->IsHeld());

    Call(*player, path, "Inhibit", {"player", "film"});
    EXPECT_TRUE(service->IsHeld());
    player.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !service->IsHeld(); }, 5000));

    // A screen saver that comes later takes the name; this one lets it go.
    Call(other, path, "Inhibit", {"viewer", "slide show"});
    EXPECT_TRUE(service->IsHeld());
    EXPECT_EQ(other.Connection()
                  .interface()
                  ->registerService(QStringLiteral("org.freedesktop.ScreenSaver"),
                                    QDBusConnectionInterface::ReplaceExistingService)
                  .value(),
              QDBusConnectionInterface::ServiceRegistered);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !service->IsHeld(); }, 5000));
}

TEST(ScreenSaverService, IsNotServedWhereTheNameIsTaken) {
    PrivateSessionBus bus;
    ASSERT_TRUE(
        bus.StartStandIn({QStringLiteral("--screensaver"), QStringLiteral("/ScreenSaver")}));
    SessionBus own;
    EXPECT_FALSE(ScreenSaverService::Serve(own.Connection()));
}

// The window the window manager names active, set by hand on a server of the
// test's own, as a window manager sets it.
struct FullScreenCase {
    const char* name;
    enum class Active { fullScreen, other, none, gone } active;
    bool holds;
};

class FullScreenHolds : public ::testing::TestWithParam<FullScreenCase> {};

TEST_P(FullScreenHolds, WhileTheActiveWindowIsFullScreen) {
    const FullScreenCase& c = GetParam();
    if (!VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb is not installed";
    VirtualXServer server;
    ASSERT_TRUE(server.Start());
    const ScopedEnv display("DISPLAY", QString::fromLatin1(server.Display()));
    const ScopedEnv wayland("WAYLAND_DISPLAY", QString());
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(
        xcb_connect(server.Display().constData(), nullptr), &xcb_disconnect);
    ASSERT_EQ(xcb_connection_has_error(x.get()), 0);
    const auto atom = [&x](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            x.get(), xcb_intern_atom(x.get(), 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    };
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    xcb_window_t window = xcb_generate_id(x.get());
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 640, 480, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const xcb_atom_t states[] = {atom("_NET_WM_STATE_ABOVE"),
                                 atom(c.active == FullScreenCase::Active::other
                                          ? "_NET_WM_STATE_STICKY"
                                          : "_NET_WM_STATE_FULLSCREEN")};
    xcb_change_property(x.get(), XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, 2, states);
    if (c.active == FullScreenCase::Active::gone)
        xcb_destroy_window(x.get(), window);
    if (c.active == FullScreenCase::Active::none)
        window = XCB_WINDOW_NONE;
    xcb_change_property(x.get(), XCB_PROP_MODE_REPLACE, screen->root, atom("_NET_ACTIVE_WINDOW"),
                        XCB_ATOM_WINDOW, 32, 1, &window);
    free(xcb_get_input_focus_reply(x.get(), xcb_get_input_focus(x.get()), nullptr)); // a round trip

    const std::unique_ptr<XFullScreenHold> hold = XFullScreenHold::Open();
    ASSERT_TRUE(hold);
    EXPECT_EQ(Answer(*hold), c.holds);
}

using Active = FullScreenCase::Active;
INSTANTIATE_TEST_SUITE_P(Windows, FullScreenHolds,
                         ::testing::Values(FullScreenCase{"FullScreen", Active::fullScreen, true},
                                           FullScreenCase{"NotFullScreen", Active::other, false},
                                           FullScreenCase{"NoActiveWindow", Active::none, false},
                                           FullScreenCase{"ActiveWindowGone", Active::gone, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A hold that answers at once, as told.
struct TellingHold final : SaverHold {
    bool holds = true;
    int asked = 0;
    void Ask(std::function<void(bool)> answer) override {
        ++asked;
        answer(holds);
    }
};

TEST(StartGate, LooksAgainWhileHeldUntilActive) {
    StartGate::SetLookAgain(0ms); // a second, the shortest
    auto owned = std::make_unique<TellingHold>();
    TellingHold& hold = *owned;
    std::vector<std::unique_ptr<SaverHold>> holds;
    holds.push_back(std::move(owned));
    StartGate gate(std::move(holds));
    QSignalSpy mayStart(&gate, &StartGate::MayStart);

    gate.Idle();
    QTest::qWait(500);
    EXPECT_EQ(hold.asked, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hold.asked == 2; }, 2000));
    gate.Active();
    QTest::qWait(1500);
    EXPECT_EQ(hold.asked, 2);
    EXPECT_EQ(mayStart.count(), 0);

    hold.holds = false;
    gate.Idle();
    EXPECT_EQ(mayStart.count(), 1);
}

} // namespace
