#include "PolledIdleWatch.h"

#include <algorithm>

using namespace std::chrono_literals;

namespace {
constexpr std::chrono::milliseconds kShortestLook = 1s;
} // namespace

IdleCheck DecideIdleCheck(bool wasIdle, std::chrono::milliseconds previous,
                          std::chrono::milliseconds now, std::chrono::milliseconds idleTime) {
    const std::chrono::milliseconds untilIdle = std::max(idleTime - now, kShortestLook);
    if (wasIdle) {
        // The idle time only grows until someone touches something.
        if (now < previous)
            return {IdleCheck::Event::active, untilIdle};
        return {IdleCheck::Event::none, kShortestLook};
    }
    if (now >= idleTime)
        return {IdleCheck::Event::idle, kShortestLook};
    return {IdleCheck::Event::none, untilIdle};
}

PolledIdleWatch::PolledIdleWatch() {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PolledIdleWatch::Look);
}

void PolledIdleWatch::Watch(std::chrono::milliseconds idleTime) {
    m_idleTime = idleTime;
    m_idle = false;
    m_previous = 0ms;
    m_timer.stop();
    Look();
}

void PolledIdleWatch::Seen(std::chrono::milliseconds now) {
    const IdleCheck check = DecideIdleCheck(m_idle, m_previous, now, m_idleTime);
    m_previous = now;
    m_timer.start(check.next);
    switch (check.event) {
    case IdleCheck::Event::idle:
        m_idle = true;
        emit Idle();
        break;
    case IdleCheck::Event::active:
        m_idle = false;
        emit Active();
        break;
    case IdleCheck::Event::none:
        break;
    }
}
