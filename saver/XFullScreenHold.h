#pragma once

#include "StartGate.h"

#include <cstdint>
#include <memory>
#include <vector>

struct xcb_connection_t;

// A full-screen window with the focus on an X server (a film, a game, a
// presentation): the window the window manager names active in the root
// window's _NET_ACTIVE_WINDOW has _NET_WM_STATE_FULLSCREEN in its
// _NET_WM_STATE. Holds the saver off while so. Its own connection to the
// display DISPLAY names.
class XFullScreenHold final : public SaverHold {
public:
    // None without an X server, and in a Wayland session, whose X server
    // knows only the X windows.
    static std::unique_ptr<XFullScreenHold> Open();
    ~XFullScreenHold() override;
    XFullScreenHold(const XFullScreenHold&) = delete;
    XFullScreenHold& operator=(const XFullScreenHold&) = delete;

    void Ask(std::function<void(bool holds)> answer) override;
    bool ActiveWindowIsFullScreen() const;

private:
    XFullScreenHold(xcb_connection_t* connection, std::uint32_t root);
    std::uint32_t Atom(const char* name) const;
    // The first `count` 32-bit values of a window's property of a type.
    std::vector<std::uint32_t> Property(std::uint32_t window, std::uint32_t property,
                                        std::uint32_t type, std::uint32_t count) const;

    xcb_connection_t* m_connection;
    std::uint32_t m_root;
    std::uint32_t m_activeWindow;
    std::uint32_t m_state;
    std::uint32_t m_fullScreen;
};
