#include "WaylandStandIn.h"

#include "ext-idle-notify-v1-server.h"
#include "idle-server.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <wayland-server.h>

namespace {
void Send(int fd, char word) {
    while (::write(fd, &word, 1) < 0 && errno == EINTR) {
    }
}
} // namespace

// Everything below runs on the compositor's thread, but for the record,
// which the test reads, and the pipe, which the test writes one byte a
// word to.
struct WaylandStandIn::Compositor {
    wl_display* display = nullptr;
    int commands[2] = {-1, -1};
    wl_event_source* listening = nullptr;
    std::thread thread;
    mutable std::mutex mutex;
    QStringList record;
    struct Notification {
        uint32_t timeout;
        bool kde;
    };
    std::map<wl_resource*, Notification> notifications;

    void Note(const QString& line) {
        const std::lock_guard lock(mutex);
        record << line;
    }

    static void BindSeat(wl_client* client, void*, uint32_t version, uint32_t id) {
        wl_resource_create(client, &wl_seat_interface, static_cast<int>(version), id);
    }

    static Compositor* Of(wl_resource* resource) {
        return static_cast<Compositor*>(wl_resource_get_user_data(resource));
    }

    static void Destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }

    static void DestroyNotification(wl_client*, wl_resource* notification) {
        Compositor* self = Of(notification);
        const Notification& told = self->notifications.at(notification);
        self->Note(QString::fromLatin1(told.kde ? "release %1" : "destroy %1").arg(told.timeout));
        wl_resource_destroy(notification);
    }

    static void Add(wl_client* client, wl_resource* from, const wl_interface* interface,
                    const void* implementation, uint32_t id, Notification notification) {
        Compositor* self = Of(from);
        wl_resource* resource =
            wl_resource_create(client, interface, wl_resource_get_version(from), id);
        wl_resource_set_implementation(resource, implementation, self, [](wl_resource* gone) {
            Of(gone)->notifications.erase(gone);
        });
        self->notifications.emplace(resource, notification);
        self->Note(QString::fromLatin1(notification.kde ? "get_idle_timeout %1"
                                                        : "get_idle_notification %1")
                       .arg(notification.timeout));
    }

    static void GetIdleNotification(wl_client* client, wl_resource* notifier, uint32_t id,
                                    uint32_t timeout, wl_resource*) {
        static const struct ext_idle_notification_v1_interface implementation = {
            .destroy = DestroyNotification};
        Add(client, notifier, &ext_idle_notification_v1_interface, &implementation, id,
            {timeout, false});
    }

    static void GetIdleTimeout(wl_client* client, wl_resource* idle, uint32_t id, wl_resource*,
                               uint32_t timeout) {
        static const struct org_kde_kwin_idle_timeout_interface implementation = {
            .release = DestroyNotification,
            .simulate_user_activity = [](wl_client*, wl_resource*) {}};
        Add(client, idle, &org_kde_kwin_idle_timeout_interface, &implementation, id,
            {timeout, true});
    }

    static void BindNotifier(wl_client* client, void* data, uint32_t version, uint32_t id) {
        static const struct ext_idle_notifier_v1_interface implementation = {
            .destroy = Destroy, .get_idle_notification = GetIdleNotification};
        wl_resource* notifier = wl_resource_create(client, &ext_idle_notifier_v1_interface,
                                                   static_cast<int>(version), id);
        wl_resource_set_implementation(notifier, &implementation, data, nullptr);
    }

    static void BindKdeIdle(wl_client* client, void* data, uint32_t version, uint32_t id) {
        static const struct org_kde_kwin_idle_interface implementation = {.get_idle_timeout =
                                                                              GetIdleTimeout};
        wl_resource* idle =
            wl_resource_create(client, &org_kde_kwin_idle_interface, static_cast<int>(version), id);
        wl_resource_set_implementation(idle, &implementation, data, nullptr);
    }

    static int Command(int fd, uint32_t, void* data) {
        auto* self = static_cast<Compositor*>(data);
        char word = 0;
        if (::read(fd, &word, 1) != 1)
            return 0;
        switch (word) {
        case 'i':
        case 'r':
            for (const auto& [resource, notification] : self->notifications) {
                if (notification.kde && word == 'i')
                    org_kde_kwin_idle_timeout_send_idle(resource);
                else if (notification.kde)
                    org_kde_kwin_idle_timeout_send_resumed(resource);
                else if (word == 'i')
                    ext_idle_notification_v1_send_idled(resource);
                else
                    ext_idle_notification_v1_send_resumed(resource);
            }
            break;
        case 'g': {
            wl_list* clients = wl_display_get_client_list(self->display);
            while (!wl_list_empty(clients))
                wl_client_destroy(wl_client_from_link(clients->next));
            break;
        }
        case 'q':
            wl_display_terminate(self->display);
            break;
        }
        return 0;
    }
};

WaylandStandIn::WaylandStandIn(Offer offer)
    : m_runtimeDirEnv(std::make_unique<ScopedEnv>("XDG_RUNTIME_DIR", m_runtimeDir.path())),
      m_compositor(std::make_unique<Compositor>()) {
    Compositor& c = *m_compositor;
    c.display = wl_display_create();
    const char* socket = c.display ? wl_display_add_socket_auto(c.display) : nullptr;
    if (!socket || ::pipe2(c.commands, O_CLOEXEC) != 0)
        return;
    m_displayEnv = std::make_unique<ScopedEnv>("WAYLAND_DISPLAY", QString::fromLocal8Bit(socket));
    wl_global_create(c.display, &wl_seat_interface, 1, &c, &Compositor::BindSeat);
    if (offer == Offer::seatAndNotifier)
        wl_global_create(c.display, &ext_idle_notifier_v1_interface, 1, &c,
                         &Compositor::BindNotifier);
    else if (offer == Offer::seatAndKdeIdle)
        wl_global_create(c.display, &org_kde_kwin_idle_interface, 1, &c, &Compositor::BindKdeIdle);
    c.listening = wl_event_loop_add_fd(wl_display_get_event_loop(c.display), c.commands[0],
                                       WL_EVENT_READABLE, &Compositor::Command, &c);
    c.thread = std::thread([&c] { wl_display_run(c.display); });
}

WaylandStandIn::~WaylandStandIn() {
    Compositor& c = *m_compositor;
    if (c.thread.joinable()) {
        Send(c.commands[1], 'q');
        c.thread.join();
    }
    if (c.listening)
        wl_event_source_remove(c.listening);
    if (c.display)
        wl_display_destroy(c.display);
    for (const int fd : c.commands) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool WaylandStandIn::IsUp() const {
    return m_compositor->thread.joinable();
}

void WaylandStandIn::Tell(Say say) {
    if (!IsUp())
        return;
    Send(m_compositor->commands[1], say == Say::idled ? 'i' : say == Say::resumed ? 'r' : 'g');
}

QStringList WaylandStandIn::Record() const {
    const std::lock_guard lock(m_compositor->mutex);
    return m_compositor->record;
}
