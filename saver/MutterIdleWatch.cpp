#include "MutterIdleWatch.h"

#include "SessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString kService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kInterface = QStringLiteral("org.gnome.Mutter.IdleMonitor");
} // namespace

std::unique_ptr<MutterIdleWatch> MutterIdleWatch::Connect() {
    auto bus = std::make_unique<SessionBus>();
    if (!bus->IsConnected() || !bus->Connection().interface() ||
        !bus->Connection().interface()->isServiceRegistered(kService).value())
        return nullptr;
    return std::unique_ptr<MutterIdleWatch>(new MutterIdleWatch(std::move(bus)));
}

MutterIdleWatch::MutterIdleWatch(std::unique_ptr<SessionBus> bus) : m_bus(std::move(bus)) {
    m_bus->Connection().connect(kService, kPath, kInterface, QStringLiteral("WatchFired"), this,
                                SLOT(OnWatchFired(uint)));
}

// Leaving the bus removes the watches.
MutterIdleWatch::~MutterIdleWatch() = default;

void MutterIdleWatch::Watch(std::chrono::milliseconds idleTime) {
    ++m_generation;
    m_idle = false;
    Remove(m_idleWatch);
    Remove(m_activeWatch);
    Add(QStringLiteral("AddIdleWatch"),
        {QVariant::fromValue(static_cast<qulonglong>(idleTime.count()))},
        [this](uint id) { m_idleWatch = id; });
}

void MutterIdleWatch::OnWatchFired(uint id) {
    if (id == 0)
        return;
    if (id == m_idleWatch && !m_idle) {
        m_idle = true;
        // Asked for now, so that only input after the idle time counts.
        Add(QStringLiteral("AddUserActiveWatch"), {},
            [this](uint added) { m_activeWatch = added; });
        emit Idle();
    } else if (id == m_activeWatch) {
        // The monitor removes a user-active watch once it fired.
        m_activeWatch = 0;
        m_idle = false;
        emit Active();
    }
}

void MutterIdleWatch::Add(const QString& method, const QVariantList& arguments,
                          std::function<void(uint)> added) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    auto* pending = new QDBusPendingCallWatcher(m_bus->Connection().asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, pending, added = std::move(added), generation = m_generation] {
                pending->deleteLater();
                const QDBusPendingReply<uint> reply = *pending;
                if (reply.isError())
                    return;
                if (generation != m_generation) {
                    uint stale = reply.value();
                    Remove(stale);
                    return;
                }
                added(reply.value());
            });
}

void MutterIdleWatch::Remove(uint& id) {
    if (id == 0)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("RemoveWatch"));
    call << id;
    m_bus->Connection().send(call);
    id = 0;
}
