#include "IdleInhibit.h"

#include "SessionBus.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QRandomGenerator>
#include <utility>
#include <xcb/xcb.h>

namespace session {
namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
constexpr uint kIdleFlag = 8; // the portal's flags: 1 logout, 2 user switch, 4 suspend, 8 idle

QString ScreenSaverPath(bool legacy) {
    return ScreenSaverPaths().at(legacy ? 1 : 0);
}

} // namespace

IdleInhibit::IdleInhibit(QString application, QString reason, int timeoutMs)
    : m_application(std::move(application)), m_reason(std::move(reason)), m_timeoutMs(timeoutMs) {
    m_xReset.setInterval(std::chrono::seconds(30));
    connect(&m_xReset, &QTimer::timeout, this, &IdleInhibit::ResetXIdle);
}

IdleInhibit::~IdleInhibit() {
    m_wanted = false;
    m_ending = true;
    if (m_pending) {
        const QDBusPendingCall call = *m_pending;
        delete m_pending;
        m_pending = nullptr;
        Answered(call); // waits for the answer, at most the timeout
    }
    LetGo();
    if (m_x)
        xcb_disconnect(m_x);
}

void IdleInhibit::Hold(const QString& window) {
    m_wanted = true;
    m_window = window;
    if (!m_x && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        m_x = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_x)) {
            xcb_disconnect(m_x);
            m_x = nullptr;
        }
    }
    if (m_x) {
        ResetXIdle();
        m_xReset.start();
    }
    if (m_held || m_pending)
        return;
    if (!m_bus)
        m_bus = std::make_unique<SessionBus>();
    if (!m_bus->IsConnected()) {
        m_bus.reset();
        return;
    }
    m_problems.clear();
    Ask(Way::portal);
}

void IdleInhibit::Release() {
    m_wanted = false;
    m_xReset.stop();
    LetGo(); // one still asked for is let go when it is granted
}

void IdleInhibit::Ask(Way way) {
    m_way = way;
    m_refused = false;
    QDBusMessage call;
    if (way == Way::portal) {
        const QString token =
            QStringLiteral("quelby%1").arg(QRandomGenerator::global()->generate());
        m_request = m_bus->PortalRequestPath(token);
        Listen(true);
        call = QDBusMessage::createMethodCall(
            kPortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        call << m_window << kIdleFlag
             << QVariantMap{{QStringLiteral("handle_token"), token},
                            {QStringLiteral("reason"), m_reason}};
    } else {
        call = QDBusMessage::createMethodCall(kScreenSaver,
                                              ScreenSaverPath(way == Way::legacyScreenSaver),
                                              kScreenSaver, QStringLiteral("Inhibit"));
        call << m_application << m_reason;
    }
    m_pending = new QDBusPendingCallWatcher(m_bus->Connection().asyncCall(call, m_timeoutMs), this);
    connect(m_pending, &QDBusPendingCallWatcher::finished, this, [this] {
        const QDBusPendingCall call = *m_pending;
        m_pending->deleteLater();
        m_pending = nullptr;
        Answered(call);
    });
}

void IdleInhibit::Answered(const QDBusPendingCall& call) {
    QDBusPendingCall answer = call;
    answer.waitForFinished();
    const QDBusMessage reply = answer.reply();
    if (reply.type() != QDBusMessage::ReplyMessage || m_refused) {
        TryNext(m_refused ? QStringLiteral("the desktop portal refused") : reply.errorMessage());
        return;
    }
    m_held = true;
    if (m_way == Way::portal) {
        // A portal older than the token chooses the path itself.
        const QString path = qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path();
        if (!path.isEmpty() && path != m_request) {
            Listen(false);
            m_request = path;
            Listen(true);
        }
    } else {
        m_cookie = reply.arguments().value(0).toUInt();
    }
    if (!m_wanted)
        LetGo();
}

void IdleInhibit::TryNext(const QString& problem) {
    if (m_way == Way::portal)
        Listen(false);
    if (!m_wanted)
        return;
    m_problems << problem;
    switch (m_way) {
    case Way::portal:
        return Ask(Way::screenSaver);
    case Way::screenSaver:
        return Ask(Way::legacyScreenSaver);
    case Way::legacyScreenSaver:
        emit Unavailable(m_problems.join(QStringLiteral("; ")));
        return;
    }
}

// The portal's backend may fail after the portal answered: the request then
// says so, and the screen saver is asked instead.
void IdleInhibit::OnPortalResponse(uint response, const QVariantMap&) {
    if (response == 0 || m_way != Way::portal)
        return;
    m_refused = true;
    if (!m_held)
        return; // the answer to the call decides
    m_held = false;
    TryNext(QStringLiteral("the desktop portal refused"));
}

void IdleInhibit::ResetXIdle() {
    xcb_force_screen_saver(m_x, XCB_SCREEN_SAVER_RESET);
    xcb_flush(m_x);
}

void IdleInhibit::LetGo() {
    if (!m_held)
        return;
    m_held = false;
    QDBusMessage call;
    if (m_way == Way::portal) {
        Listen(false);
        call = QDBusMessage::createMethodCall(kPortalService, m_request, kRequestInterface,
                                              QStringLiteral("Close"));
    } else {
        call = QDBusMessage::createMethodCall(kScreenSaver,
                                              ScreenSaverPath(m_way == Way::legacyScreenSaver),
                                              kScreenSaver, QStringLiteral("UnInhibit"));
        call << m_cookie;
    }
    // At the end the call must reach the service before the connection closes.
    if (m_ending)
        m_bus->Connection().call(call, QDBus::Block, m_timeoutMs);
    else
        m_bus->Connection().send(call);
}

void IdleInhibit::Listen(bool on) {
    QDBusConnection& connection = m_bus->Connection();
    const QString signal = QStringLiteral("Response");
    const char* slot = SLOT(OnPortalResponse(uint, QVariantMap));
    if (on)
        connection.connect(kPortalService, m_request, kRequestInterface, signal, this, slot);
    else
        connection.disconnect(kPortalService, m_request, kRequestInterface, signal, this, slot);
}

} // namespace session
