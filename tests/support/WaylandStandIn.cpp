#include "WaylandStandIn.h"

#include "ext-idle-notify-v1-server.h"

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
    std::map<wl_resource*, uint32_t> notifications; // and their timeouts

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
        self->Note(QStringLiteral("destroy %1").arg(self->notifications.at(notification)));
        wl_resource_destroy(notification);
    }

    static void GetIdleNotification(wl_client* client, wl_resource* notifier, uint32_t id,
                                    uint32_t timeout, wl_resource*) {
        static const struct ext_idle_notification_v1_interface implementation = {
            .destroy = DestroyNotification};
        Compositor* self = Of(notifier);
        wl_resource* notification = wl_resource_create(client, &ext_idle_notification_v1_interface,
                                                       wl_resource_get_version(notifier), id);
        wl_resource_set_implementation(notification, &implementation, self, [](wl_resource* gone) {
            Of(gone)->notifications.erase(gone);
        });
        self->notifications.emplace(notification, timeout);
        self->Note(QStringLiteral("get_idle_notification %1").arg(timeout));
    }

    static void BindNotifier(wl_client* client, void* data, uint32_t version, uint32_t id) {
        static const struct ext_idle_notifier_v1_interface implementation = {
            .destroy = Destroy, .get_idle_notification = GetIdleNotification};
        wl_resource* notifier = wl_resource_create(client, &ext_idle_notifier_v1_interface,
                                                   static_cast<int>(version), id);
        wl_resource_set_implementation(notifier, &implementation, data, nullptr);
    }

    static int Command(int fd, uint32_t, void* data) {
        auto* self = static_cast<Compositor*>(data);
        char word = 0;
        if (::read(fd, &word, 1) != 1)
            return 0;
        switch (word) {
        case 'i':
        case 'r':
            for (const auto& [notification, timeout] : self->notifications) {
                if (word == 'i')
                    ext_idle_notification_v1_send_idled(notification);
                else
                    ext_idle_notification_v1_send_resumed(notification);
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
