#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <memory>

class QDBusPendingCall;
class QDBusPendingCallWatcher;
class SessionBus;
struct xcb_connection_t;

namespace session {

// Keeps the session from going idle (the screen from blanking or locking)
// while held: through the XDG desktop portal's Inhibit, else through
// org.freedesktop.ScreenSaver's Inhibit. Both services end what they granted
// when the caller leaves the bus, so the connection stays open while held.
// Where an X server answers, it also resets the server's screen-saver timer
// at once and every 30 seconds, as players of video do: savers that watch
// the X server's idle time, and its own blanking, see no idle time then.
// No call blocks the event loop: each is answered in the background or
// given up after the timeout, and an inhibition granted after the hold was
// released is released at once.
class IdleInhibit : public QObject {
    Q_OBJECT
public:
    IdleInhibit(QString application, QString reason, int timeoutMs = 1500);
    // Releases what it holds, waiting for the service at most the timeout.
    ~IdleInhibit() override;

    // window: "" or the portal's window identifier ("x11:<hex id>").
    void Hold(const QString& window);
    void Release();
    // Whether a service keeps the session awake now.
    bool IsHeld() const { return m_held; }

signals:
    // A hold no service granted, with why. Without a session bus there is no
    // session to keep awake, and nothing is said.
    void Unavailable(const QString& why);

private slots:
    void OnPortalResponse(uint response, const QVariantMap& results);

private:
    enum class Way { portal, screenSaver, legacyScreenSaver };
    void Ask(Way way);
    void Answered(const QDBusPendingCall& call);
    void TryNext(const QString& problem);
    void LetGo();
    void Listen(bool on);
    void ResetXIdle();

    QString m_application;
    QString m_reason;
    int m_timeoutMs;
    std::unique_ptr<SessionBus> m_bus;
    QDBusPendingCallWatcher* m_pending = nullptr;
    QString m_window;
    Way m_way = Way::portal;
    QString m_request; // the portal's request object while asked or held
    uint m_cookie = 0; // the screen saver's
    QStringList m_problems;
    bool m_wanted = false;
    bool m_held = false;
    bool m_refused = false; // the portal's request answered with a failure
    bool m_ending = false;
    xcb_connection_t* m_x = nullptr;
    QTimer m_xReset;
};

} // namespace session
