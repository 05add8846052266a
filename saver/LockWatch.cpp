#include "LockWatch.h"

#include "SessionBus.h"

#include <QAtomicInteger>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <unistd.h>

namespace {
const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kLockedHint = QStringLiteral("LockedHint");

struct ScreenSaverObject {
    const char* path;
    const char* interface;
};
// GNOME Shell's; the freedesktop.org interface at both places desktops serve it.
constexpr ScreenSaverObject kScreenSavers[] = {
    {"/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
    {"/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
    {"/ScreenSaver", "org.freedesktop.ScreenSaver"},
};

QAtomicInteger<int> g_count;

// The bus the environment names now; libdbus would keep the first it saw.
QString SystemBusAddress() {
    const QString named = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    return named.isEmpty() ? QStringLiteral("unix:path=/var/run/dbus/system_bus_socket") : named;
}

} // namespace

LockWatch::LockWatch(QObject* parent)
    : QObject(parent), m_systemName(QStringLiteral("quelby-system-%1").arg(++g_count)),
      m_system(QDBusConnection::connectToBus(SystemBusAddress(), m_systemName)),
      m_session(std::make_unique<SessionBus>()) {
    if (m_system.isConnected())
        FindSession(qEnvironmentVariable("XDG_SESSION_ID"));
    if (!m_session->IsConnected())
        return;
    // From whoever sends them: the sender is looked at when one comes.
    for (const ScreenSaverObject& saver : kScreenSavers)
        m_session->Connection().connect(
            QString(), QLatin1String(saver.path), QLatin1String(saver.interface),
            QStringLiteral("ActiveChanged"), this, SLOT(OnActiveChanged(bool, QDBusMessage)));
}

LockWatch::~LockWatch() {
    QDBusConnection::disconnectFromBus(m_systemName);
}

void LockWatch::FindSession(const QString& id) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kLogind, kManagerPath, kManager,
        id.isEmpty() ? QStringLiteral("GetSessionByPID") : QStringLiteral("GetSession"));
    if (id.isEmpty())
        call << static_cast<uint>(::getpid());
    else
        call << id;
    CallAsync(m_system, call, this, [this, id](const QDBusMessage& reply) {
        const QDBusReply<QDBusObjectPath> session = reply;
        if (session.isValid())
            WatchSession(reply.service(), session.value().path());
        else if (!id.isEmpty())
            FindSession(QString());
    });
}

void LockWatch::WatchSession(const QString& owner, const QString& path) {
    // Signals of the very logind that answered, known by its unique name.
    m_system.connect(owner, path, kSession, QStringLiteral("Lock"), this, SLOT(OnLock()));
    m_system.connect(owner, path, kSession, QStringLiteral("Unlock"), this, SLOT(OnUnlock()));
    m_system.connect(owner, path, kProperties, QStringLiteral("PropertiesChanged"), this,
                     SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
    // Read after listening, so that no change falls between.
    QDBusMessage read =
        QDBusMessage::createMethodCall(owner, path, kProperties, QStringLiteral("Get"));
    read << kSession << kLockedHint;
    CallAsync(m_system, read, this, [this](const QDBusMessage& reply) {
        const QDBusReply<QDBusVariant> hint = reply;
        if (hint.isValid() && !m_sessionTold)
            Set(Source::logind, hint.value().variant().toBool());
    });
}

void LockWatch::OnLock() {
    m_sessionTold = true;
    Set(Source::logind, true);
}

void LockWatch::OnUnlock() {
    m_sessionTold = true;
    Set(Source::logind, false);
}

void LockWatch::OnPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                    const QStringList&) {
    if (interface != kSession || !changed.contains(kLockedHint))
        return;
    m_sessionTold = true;
    Set(Source::logind, changed.value(kLockedHint).toBool());
}

void LockWatch::OnActiveChanged(bool active, const QDBusMessage& message) {
    // The idle mode may serve the freedesktop.org screen saver itself, on a
    // connection of its own: what this process says is not the desktop's.
    QDBusMessage owner = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"));
    owner << message.service();
    CallAsync(m_session->Connection(), owner, this, [this, active](const QDBusMessage& reply) {
        const QDBusReply<uint> pid = reply;
        if (pid.isValid() && pid.value() != static_cast<uint>(::getpid()))
            Set(Source::screenSaver, active);
    });
}

void LockWatch::Set(Source source, bool locked) {
    const bool was = IsLocked();
    const auto bit = static_cast<unsigned>(source);
    m_locks = locked ? (m_locks | bit) : (m_locks & ~bit);
    if (IsLocked() == was)
        return;
    if (IsLocked())
        emit Locked();
    else
        emit Unlocked();
}
