#pragma once

#include "IdleWatch.h"

#include <QTimer>
#include <chrono>

// What one look at the session's idle time decides: whether the session
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
// time at the last look; now: the idle time the desktop reports now.
IdleCheck DecideIdleCheck(bool wasIdle, std::chrono::milliseconds previous,
                          std::chrono::milliseconds now, std::chrono::milliseconds idleTime);

// A watch of a desktop that tells only how long the session has been idle:
// it looks when DecideIdleCheck says, and tells what it decides.
class PolledIdleWatch : public IdleWatch {
    Q_OBJECT
public:
    void Watch(std::chrono::milliseconds idleTime) final;

protected:
    PolledIdleWatch();
    // Asks for the session's idle time and hands the answer to Seen, at
    // once or later.
    virtual void Look() = 0;
    // now: the idle time, 0 where the desktop did not tell it.
    void Seen(std::chrono::milliseconds now);

private:
    QTimer m_timer;
    std::chrono::milliseconds m_idleTime{0};
    std::chrono::milliseconds m_previous{0};
    bool m_idle = false;
};
