#include "XFullScreenHold.h"

#include "IdleWatch.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

std::unique_ptr<XFullScreenHold> XFullScreenHold::Open() {
    if (IsWaylandSession() || qEnvironmentVariableIsEmpty("DISPLAY"))
        return nullptr;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screen.rem > 0 && screenNumber > 0; --screenNumber)
        xcb_screen_next(&screen);
    if (screen.rem == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<XFullScreenHold>(new XFullScreenHold(connection, screen.data->root));
}

XFullScreenHold::XFullScreenHold(xcb_connection_t* connection, std::uint32_t root)
    : m_connection(connection), m_root(root), m_activeWindow(Atom("_NET_ACTIVE_WINDOW")),
      m_state(Atom("_NET_WM_STATE")), m_fullScreen(Atom("_NET_WM_STATE_FULLSCREEN")) {}

XFullScreenHold::~XFullScreenHold() {
    xcb_disconnect(m_connection);
}

void XFullScreenHold::Ask(std::function<void(bool holds)> answer) {
    answer(ActiveWindowIsFullScreen());
}

bool XFullScreenHold::ActiveWindowIsFullScreen() const {
    const std::vector<std::uint32_t> active = Property(m_root, m_activeWindow, XCB_ATOM_WINDOW, 1);
    if (active.empty() || active.front() == XCB_WINDOW_NONE || m_fullScreen == XCB_ATOM_NONE)
        return false;
    // A window keeps a handful of states; 32 is plenty.
    const std::vector<std::uint32_t> states = Property(active.front(), m_state, XCB_ATOM_ATOM, 32);
    return std::ranges::find(states, m_fullScreen) != states.end();
}

std::uint32_t XFullScreenHold::Atom(const char* name) const {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection,
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const std::uint32_t atom = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

std::vector<std::uint32_t> XFullScreenHold::Property(std::uint32_t window, std::uint32_t property,
                                                     std::uint32_t type,
                                                     std::uint32_t count) const {
    // A window gone since the window manager named it answers with an error.
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, count), nullptr);
    std::vector<std::uint32_t> values;
    if (reply && reply->type == type && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        const int length = xcb_get_property_value_length(reply) / 4;
        values.assign(data, data + std::max(length, 0));
    }
    std::free(reply);
    return values;
}
