#pragma once

#include "PolledIdleWatch.h"

#include <QString>
#include <memory>

class SessionBus;

// The session's idle time that the screen saver's service on the session
// bus tells (org.freedesktop.ScreenSaver's GetSessionIdleTime, in
// milliseconds; KDE Plasma on X11 answers it), asked without waiting for
// the answer.
class ScreenSaverIdleWatch final : public PolledIdleWatch {
    Q_OBJECT
public:
    // None without a session bus, without the service, or where it answers
    // the first call with an error (KDE Plasma on Wayland: NotSupported).
    static std::unique_ptr<ScreenSaverIdleWatch> Connect();
    ~ScreenSaverIdleWatch() override;

private:
    ScreenSaverIdleWatch(std::unique_ptr<SessionBus> bus, QString path);
    void Look() override;

    std::unique_ptr<SessionBus> m_bus;
    QString m_path;
};
