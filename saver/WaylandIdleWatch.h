#pragma once

#include "IdleWatch.h"

#include <chrono>
#include <memory>

class QSocketNotifier;
struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct wl_display;
struct wl_registry;
struct wl_seat;

// The Wayland compositor's idle notifications (ext-idle-notify-v1: KWin of
// KDE Plasma, Sway and other wlroots compositors; else KDE's older idle
// protocol, which Sway before 1.8 offers), on a connection of its own to the
// compositor WAYLAND_DISPLAY names: the compositor tells when the seat has
// had no input for the idle time, and when input comes back. The compositor
// does not tell idle while a program keeps the screen awake (an idle
// inhibitor). Should the connection break, the watch stops and says so on
// standard error.
class WaylandIdleWatch final : public IdleWatch {
    Q_OBJECT
public:
    // None without a compositor or where it offers no idle notifier.
    static std::unique_ptr<WaylandIdleWatch> Connect();
    ~WaylandIdleWatch() override;

    void Watch(std::chrono::milliseconds idleTime) override;

private:
    explicit WaylandIdleWatch(wl_display* display);
    // Reads what the compositor sent and handles it.
    void Read();
    // Sends what was asked; what the connection cannot take now goes once
    // it can.
    void Flush();
    void Lost();

    wl_display* m_display;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    ext_idle_notifier_v1* m_notifier = nullptr;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle* m_kdeIdle = nullptr;
    org_kde_kwin_idle_timeout* m_kdeTimeout = nullptr;
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    bool m_lost = false;
};
