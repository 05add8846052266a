#include "GnomeSessionHold.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

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
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kTimeoutMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [pending, answer = std::move(answer)] {
                pending->deleteLater();
                const QDBusPendingReply<bool> reply = *pending;
                answer(!reply.isError() && reply.value());
            });
}
