#include "GnomeSessionHold.h"

#include "SessionBus.h"

#include <QDBusMessage>
#include <QDBusReply>

namespace {
// The session manager's flags: 1 logout, 2 user switch, 4 suspend, 8 idle.
constexpr uint kIdleFlag = 8;
constexpr int kTimeoutMs = 1500;
} // namespace

GnomeSessionHold::GnomeSessionHold(const QDBusConnection& bus) : m_bus(bus) {}

void GnomeSessionHold::Ask(std::function<void(bool holds)> answer) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
        QStringLiteral("org.gnome.SessionManager"), QStringLiteral("IsInhibited"));
    call << kIdleFlag;
    CallAsync(
        m_bus, call, this,
        [answer = std::move(answer)](const QDBusMessage& message) {
            const QDBusReply<bool> reply = message;
            answer(reply.isValid() && reply.value());
        },
        kTimeoutMs);
}
