#include "MutterIdleWatch.h"

#include "SessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>

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

MutterIdleWatch::MutterIdleWatch(std::unique_ptr<SessionBus> bus)
    : m_bus(std::move(bus)),
      m_owner(std::make_unique<QDBusServiceWatcher>(kService, m_bus->Connection())) {
    m_bus->Connection().connect(kService, kPath, kInterface, QStringLiteral("WatchFired"), this,
                                SLOT(OnWatchFired(uint)));
    connect(m_owner.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
            &MutterIdleWatch::OnOwnerChanged);
}

// Leaving the bus removes the watches.
MutterIdleWatch::~MutterIdleWatch() = default;

void MutterIdleWatch::Watch(std::chrono::milliseconds idleTime) {
    m_idleTime = idleTime;
    ++m_generation;
    m_idle = false;
    Remove(m_idleWatch);
    Remove(m_activeWatch);
    Add(QStringLiteral("AddIdleWatch"),
        {QVariant::fromValue(static_cast<qulonglong>(idleTime.count()))},
        [this](uint id) { m_idleWatch = id; });
}

void MutterIdleWatch::OnOwnerChanged(const QString&, const QString&, const QString& newOwner) {
    // The watches went with the monitor that left; the next one starts with
    // none, and the wait starts over with it.
    ++m_owners;
    m_idleWatch = 0;
    m_activeWatch = 0;
    if (!newOwner.isEmpty() && m_idleTime)
        Watch(*m_idleTime);
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
    } else if (id != m_idleWatch) {
        // Perhaps a watch whose id is still on its way here: input right
        // after the idle time fires the user-active watch at once, and its
        // signal can overtake the answer that tells the id.
        m_firedEarly.push_back(id);
    }
}

void MutterIdleWatch::Add(const QString& method, const QVariantList& arguments,
                          std::function<void(uint)> added) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    CallAsync(m_bus->Connection(), call, this,
              [this, added = std::move(added), generation = m_generation,
               owners = m_owners](const QDBusMessage& answer) {
                  const QDBusReply<uint> reply = answer;
                  if (!reply.isValid() || owners != m_owners)
                      return;
                  if (generation != m_generation) {
                      uint stale = reply.value();
                      Remove(stale);
                      return;
                  }
                  added(reply.value());
                  const bool fired = std::erase(m_firedEarly, reply.value()) > 0;
                  m_firedEarly.clear();
                  if (fired)
                      OnWatchFired(reply.value());
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
