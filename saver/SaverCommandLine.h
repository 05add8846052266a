#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// What the command line asks of the saver. The system's screen-saver command
// line counts only its first argument: none or "c" configures, "s" runs the
// saver, anything else ends the program at once. Beyond that, the arguments
// by which xscreensaver runs its display modes draw the cycle into a window
// the caller owns: -root (the window XSCREENSAVER_WINDOW names, else the
// root window) or -window-id ID, with -delay SECONDS; each also with two
// hyphens. A first argument --idle (or -idle), with the idle time in minutes
// after it or nothing, waits for the session to be idle and shows the saver,
// again and again.
enum class RunMode { configure, save, host, idle, none };

struct HostOptions {
    // The window to draw into; none: the root window.
    std::optional<std::uint32_t> window;
    // The view time, 1 to 99; none: the saver's own setting.
    std::optional<int> delay;
};

struct SaverCommand {
    RunMode mode = RunMode::none;
    HostOptions host;
    // The idle mode's idle time, 1 to 120 minutes; none: the stored one.
    std::optional<int> idleMinutes;
    // Why host or idle arguments were refused; the program says so and fails.
    QString error;
};

// The first argument with one leading "/" or "-" dropped, compared with
// "c" and then "s" regardless of case.
RunMode FirstArgumentMode(const QStringList& arguments);

// arguments: the command line after the program name; xscreensaverWindow:
// the value of XSCREENSAVER_WINDOW, none when it is not set. Host mode is
// taken when an argument is -root, --root, -window-id or --window-id and the
// first argument asks for neither configuration nor the saver; all its
// arguments must then be host arguments.
SaverCommand ParseSaverCommandLine(const QStringList& arguments,
                                   const std::optional<QString>& xscreensaverWindow);
