#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <utility>

// A connection of its own to the session bus the environment names now
// (DBUS_SESSION_BUS_ADDRESS, else the bus in XDG_RUNTIME_DIR), so each use
// sees the bus of that moment; closed with the object. Services that tie
// what they grant to the caller's connection let go when it closes.
class SessionBus {
public:
    SessionBus();
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    bool IsConnected() const { return m_connection.isConnected(); }
    QDBusConnection& Connection() { return m_connection; }

    // The object path a desktop portal gives the request made with this
    // token, known before the call so that no answer comes before anyone
    // listens.
    QString PortalRequestPath(const QString& token) const;

private:
    QString m_name;
    QDBusConnection m_connection{QString()};
};

// Calls `answered` with the reply, or the error, once it comes, at most
// `timeoutMs` after the call (-1: the bus's own timeout). Nothing waits for
// it, and nothing is called once `context` is gone.
template <typename Answered>
void CallAsync(QDBusConnection& bus, const QDBusMessage& call, QObject* context, Answered answered,
               int timeoutMs = -1) {
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs), context);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, context,
                     [pending, answered = std::move(answered)]() mutable {
                         pending->deleteLater();
                         answered(pending->reply());
                     });
}

// The paths desktops serve org.freedesktop.ScreenSaver at: the freedesktop.org
// one, then the root, the only one older desktops serve.
const QStringList& ScreenSaverPaths();
