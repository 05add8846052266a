#include "SessionBus.h"

#include <QAtomicInteger>
#include <QFileInfo>

namespace {
QAtomicInteger<int> g_count;
} // namespace

SessionBus::SessionBus() : m_name(QStringLiteral("quelby-session-%1").arg(++g_count)) {
    QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    const QString runtimeBus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
    if (address.isEmpty() && !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") &&
        QFileInfo::exists(runtimeBus))
        address = QStringLiteral("unix:path=") + runtimeBus;
    if (!address.isEmpty())
        m_connection = QDBusConnection::connectToBus(address, m_name);
}

SessionBus::~SessionBus() {
    QDBusConnection::disconnectFromBus(m_name);
}

const QStringList& ScreenSaverPaths() {
    static const QStringList paths = {QStringLiteral("/org/freedesktop/ScreenSaver"),
                                      QStringLiteral("/ScreenSaver")};
    return paths;
}

QString SessionBus::PortalRequestPath(const QString& token) const {
    QString sender = m_connection.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}
