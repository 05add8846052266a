#pragma once

#include "IdleWatch.h"

#include <QTimer>
#include <chrono>
#include <memory>

struct _XDisplay;

// What one look at the X server's idle time decides: whether the session
// has just become idle or active, and when to look next. Waiting for idle,
// the next look comes when the idle time would be reached if nobody
// touched anything; once idle, every second, for the first input. Never
// sooner than a second.
struct IdleCheck {
    enum class Event { none, idle, active };
    Event event = Event::none;
    std::chrono::milliseconds next{0};
    bool operator==(const IdleCheck&) const = default;
};

// wasIdle: whether Idle was told and Active not yet; previous: the idle
// time at the last look; now: the idle time the server reports now.
IdleCheck DecideIdleCheck(bool wasIdle, std::chrono::milliseconds previous,
                          std::chrono::milliseconds now, std::chrono::milliseconds idleTime);

// The X server's screen-saver extension (XScreenSaverQueryInfo), on a
// connection of its own to the display DISPLAY names.
class XIdleWatch final : public IdleWatch {
    Q_OBJECT
public:
    // None without an X server or without the extension.
    static std::unique_ptr<XIdleWatch> Open();
    ~XIdleWatch() override;

    void Watch(std::chrono::milliseconds idleTime) override;

private:
    explicit XIdleWatch(_XDisplay* display);
    void Check();

    _XDisplay* m_display;
    QTimer m_timer;
    std::chrono::milliseconds m_idleTime{0};
    std::chrono::milliseconds m_previous{0};
    bool m_idle = false;
};
