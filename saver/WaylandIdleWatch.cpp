#include "WaylandIdleWatch.h"

#include "ext-idle-notify-v1-client.h"
#include "idle-client.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <cerrno>
#include <cstring>
#include <utility>
#include <wayland-client.h>

namespace {
template <typename Notification> void TellIdle(void* watch, Notification*) {
    emit static_cast<WaylandIdleWatch*>(watch)->Idle();
}

template <typename Notification> void TellActive(void* watch, Notification*) {
    emit static_cast<WaylandIdleWatch*>(watch)->Active();
}

const ext_idle_notification_v1_listener kNotificationListener = {
    .idled = TellIdle<ext_idle_notification_v1>, .resumed = TellActive<ext_idle_notification_v1>};
const org_kde_kwin_idle_timeout_listener kKdeTimeoutListener = {
    .idle = TellIdle<org_kde_kwin_idle_timeout>, .resumed = TellActive<org_kde_kwin_idle_timeout>};
} // namespace

std::unique_ptr<WaylandIdleWatch> WaylandIdleWatch::Connect() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return nullptr;
    std::unique_ptr<WaylandIdleWatch> watch(new WaylandIdleWatch(display));
    // The globals come in answer to the registry's request.
    if (wl_display_roundtrip(display) < 0 || !watch->m_seat ||
        (!watch->m_notifier && !watch->m_kdeIdle))
        return nullptr;
    return watch;
}

WaylandIdleWatch::WaylandIdleWatch(wl_display* display) : m_display(display) {
    static const wl_registry_listener registryListener = {
        .global =
            [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
                auto* watch = static_cast<WaylandIdleWatch*>(data);
                // The first seat; version 1 of each has all the watch needs.
                if (!watch->m_seat && std::strcmp(interface, wl_seat_interface.name) == 0)
                    watch->m_seat = static_cast<wl_seat*>(
                        wl_registry_bind(registry, name, &wl_seat_interface, 1));
                else if (!watch->m_notifier &&
                         std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
                    watch->m_notifier = static_cast<ext_idle_notifier_v1*>(
                        wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
                else if (!watch->m_kdeIdle &&
                         std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
                    watch->m_kdeIdle = static_cast<org_kde_kwin_idle*>(
                        wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
            },
        .global_remove = [](void*, wl_registry*, uint32_t) {},
    };
    m_registry = wl_display_get_registry(display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    const int fd = wl_display_get_fd(display);
    m_readable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    m_writable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    m_writable->setEnabled(false);
    connect(m_readable.get(), &QSocketNotifier::activated, this, &WaylandIdleWatch::Read);
    connect(m_writable.get(), &QSocketNotifier::activated, this, &WaylandIdleWatch::Flush);
}

WaylandIdleWatch::~WaylandIdleWatch() {
    m_readable.reset();
    m_writable.reset();
    if (m_notification)
        ext_idle_notification_v1_destroy(m_notification);
    if (m_notifier)
        ext_idle_notifier_v1_destroy(m_notifier);
    if (m_kdeTimeout)
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
    if (m_kdeIdle)
        org_kde_kwin_idle_destroy(m_kdeIdle);
    if (m_seat)
        wl_seat_destroy(m_seat);
    wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
}

void WaylandIdleWatch::Watch(std::chrono::milliseconds idleTime) {
    if (m_lost)
        return;
    // A new notification starts the idle time anew.
    const auto milliseconds = static_cast<uint32_t>(idleTime.count());
    if (m_notifier) {
        if (m_notification)
            ext_idle_notification_v1_destroy(m_notification);
        m_notification =
            ext_idle_notifier_v1_get_idle_notification(m_notifier, milliseconds, m_seat);
        ext_idle_notification_v1_add_listener(m_notification, &kNotificationListener, this);
    } else {
        if (m_kdeTimeout)
            org_kde_kwin_idle_timeout_release(m_kdeTimeout);
        m_kdeTimeout = org_kde_kwin_idle_get_idle_timeout(m_kdeIdle, m_seat, milliseconds);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &kKdeTimeoutListener, this);
    }
    Flush();
}

void WaylandIdleWatch::Read() {
    // This is the connection's only reader: events read before are handled.
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0)
            return Lost();
    }
    if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
        return Lost();
    Flush();
}

void WaylandIdleWatch::Flush() {
    const bool sent = wl_display_flush(m_display) >= 0;
    if (!sent && errno != EAGAIN)
        return Lost();
    m_writable->setEnabled(!sent);
}

void WaylandIdleWatch::Lost() {
    m_readable->setEnabled(false);
    m_writable->setEnabled(false);
    if (std::exchange(m_lost, true))
        return;
    QTextStream(stderr) << QCoreApplication::applicationName()
                        << ": lost the connection to the Wayland compositor: "
                           "no longer watching for the session to be idle"
                        << Qt::endl;
}
