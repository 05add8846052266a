#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <memory>

class QDBusMessage;
class SessionBus;

// Tells when the session is locked and when it is unlocked again, so that
// the saver gives way to the desktop's lock screen. Two sources, each
// locking while it says so: systemd-logind's session of this program on the
// system bus (its Lock and Unlock requests and its LockedHint), and the
// desktop's screen saver on the session bus (ActiveChanged of GNOME's and of
// the freedesktop.org interface, which is the lock screen or its shield
// coming and going). A screen saver this program serves itself does not
// count. Without a bus, or without logind, there is nothing to tell. No call
// waits for an answer.
class LockWatch final : public QObject {
    Q_OBJECT
public:
    explicit LockWatch(QObject* parent = nullptr);
    ~LockWatch() override;

    bool IsLocked() const { return m_locks != 0; }

signals:
    void Locked();
    void Unlocked();

private slots:
    void OnLock();
    void OnUnlock();
    void OnPropertiesChanged(const QString& interface, const QVariantMap& changed,
                             const QStringList& invalidated);
    void OnActiveChanged(bool active, const QDBusMessage& message);

private:
    enum class Source : unsigned { logind = 1, screenSaver = 2 };

    // By XDG_SESSION_ID, else (also when logind knows no such session) by
    // this process.
    void FindSession(const QString& id);
    void WatchSession(const QString& owner, const QString& path);
    void Set(Source source, bool locked);

    QString m_systemName;
    QDBusConnection m_system{QString()};
    std::unique_ptr<SessionBus> m_session;
    unsigned m_locks = 0;
    // Whether the session told anything before its LockedHint was read; the
    // reading is older then.
    bool m_sessionTold = false;
};
