#pragma once

#include <QObject>
#include <chrono>
#include <memory>

// Tells when the session has been idle for the idle time, and when the user
// is back: Idle once the session has been idle that long, then Active at the
// next input, then Idle again after the next idle time, and so on. Each
// desktop tells it its own way; MakeIdleWatch picks the one this session
// offers.
class IdleWatch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts watching, or starts over with another idle time.
    virtual void Watch(std::chrono::milliseconds idleTime) = 0;

signals:
    void Idle();
    void Active();
};

// GNOME's idle monitor where it is on the session bus (GNOME on X11 and on
// Wayland); else in a Wayland session the compositor's idle notifications
// (KDE Plasma, wlroots desktops), outside one the X server's screen-saver
// extension (an X server in a Wayland session sees only the input to X
// windows); else the screen saver service's idle time on the session bus;
// none where the session offers none of these.
std::unique_ptr<IdleWatch> MakeIdleWatch();

// Whether this is a Wayland session, where an X server sees only the input
// to and the windows of X programs.
bool IsWaylandSession();
