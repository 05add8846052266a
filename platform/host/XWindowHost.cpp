#include "XWindowHost.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* Connection() {
    auto* guiApp = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!guiApp)
        return nullptr;
    auto* x11 = guiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Replies of the server are malloc'ed.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

} // namespace

namespace xhost {

bool Available() {
    return Connection() != nullptr;
}

std::optional<std::uint32_t> RootWindow() {
    xcb_connection_t* connection = Connection();
    if (!connection)
        return std::nullopt;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (screens.rem == 0)
        return std::nullopt;
    return screens.data->root;
}

std::optional<QSize> WindowSize(std::uint32_t window) {
    xcb_connection_t* connection = Connection();
    if (!connection)
        return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), &error));
    std::free(error);
    if (!geometry)
        return std::nullopt;
    return QSize(geometry->width, geometry->height);
}

} // namespace xhost

XWindowWatcher::XWindowWatcher(std::uint32_t window, QObject* parent)
    : QObject(parent), m_window(window), m_size(xhost::WindowSize(window).value_or(QSize())) {
    if (xcb_connection_t* connection = Connection()) {
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, m_window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XWindowWatcher::~XWindowWatcher() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool XWindowWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & ~0x80) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto* configure = static_cast<const xcb_configure_notify_event_t*>(message);
        const QSize size(configure->width, configure->height);
        if (configure->window == m_window && size != m_size) {
            m_size = size;
            emit Resized(size);
        }
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (static_cast<const xcb_destroy_notify_event_t*>(message)->window == m_window)
            emit Destroyed();
        break;
    default:
        break;
    }
    return false;
}
