#pragma once

#include "IdleWatch.h"

#include <QDBusPendingCall>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QDBusServiceWatcher;
class SessionBus;

// GNOME's idle monitor on the session bus (org.gnome.Mutter.IdleMonitor):
// an idle watch of the idle time, which the monitor fires each time the
// session has been idle that long, and after it fired, a user-active watch,
// which fires once, at the next input. The monitor removes a caller's
// watches when the caller leaves the bus, and has none of them when it
// starts again (GNOME Shell restarting): the watches are then added anew.
class MutterIdleWatch final : public IdleWatch {
    Q_OBJECT
public:
    // None without a session bus or without the monitor on it.
    static std::unique_ptr<MutterIdleWatch> Connect();
    ~MutterIdleWatch() override;

    void Watch(std::chrono::milliseconds idleTime) override;

private slots:
    void OnWatchFired(uint id);
    void OnOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner);

private:
    explicit MutterIdleWatch(std::unique_ptr<SessionBus> bus);
    // Adds a watch; `added` gets its id once the monitor answers.
    void Add(const QString& method, const QVariantList& arguments, std::function<void(uint)> added);
    void Remove(uint& id);

    std::unique_ptr<SessionBus> m_bus;
    std::unique_ptr<QDBusServiceWatcher> m_owner;
    std::optional<std::chrono::milliseconds> m_idleTime;
    uint m_idleWatch = 0;
    uint m_activeWatch = 0;
    bool m_idle = false;
    // Watches that fired before their ids came back; only ours matter.
    std::vector<uint> m_firedEarly;
    // Each Watch starts a generation; answers of an older one are let go.
    unsigned m_generation = 0;
    // Each new owner of the monitor too; its predecessor's ids mean nothing.
    unsigned m_owners = 0;
};
