#pragma once

#include <QDBusConnection>
#include <QString>

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
