#include "PolledIdleWatch.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Event = IdleCheck::Event;

// One look at the session's idle time, with an idle time of a minute.
struct CheckCase {
    const char* name;
    bool wasIdle;
    std::chrono::milliseconds previous;
    std::chrono::milliseconds now;
    IdleCheck decided;
};

class IdleChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(IdleChecks, LookWhenTheIdleTimeCouldBeReachedAndOnceASecondWhileIdle) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(DecideIdleCheck(c.wasIdle, c.previous, c.now, 60s), c.decided);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, IdleChecks,
    ::testing::Values(
        CheckCase{"PartOfTheWay", false, 0ms, 20500ms, {Event::none, 39500ms}},
        CheckCase{"NeverSoonerThanASecond", false, 59s, 59700ms, {Event::none, 1s}},
        CheckCase{"IdleTimeReached", false, 59s, 60s, {Event::idle, 1s}},
        CheckCase{"StillIdle", true, 61s, 62s, {Event::none, 1s}},
        CheckCase{"Input", true, 62s, 300ms, {Event::active, 59700ms}},
        CheckCase{"InputThenLongIdleAgainIsSeenAsInput", true, 62s, 61s, {Event::active, 1s}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
