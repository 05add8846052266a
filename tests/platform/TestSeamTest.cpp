#include "TestSeam.h"

#include "Drives.h"

#include <gtest/gtest.h>

namespace {

int g_depth = 8;
std::function<int()> g_hook;
[[maybe_unused]] const bool g_switches = testseam::Register(g_depth) && testseam::Register(g_hook);

// What a test turns comes back as it was saved, whatever the test left.
TEST(TestSeam, RestoresEverySwitchAsSaved) {
    const std::function<void()> restore = testseam::SaveAll();
    g_depth = 24;
    g_hook = [] { return 1; };
    DriveTable::SetCurrent(DriveTable({Drive{'E', DriveType::cdrom, nullptr}}));
    restore();
    EXPECT_EQ(g_depth, 8);
    EXPECT_FALSE(g_hook);
    EXPECT_TRUE(DriveTable::Current().Drives().empty());
}

} // namespace
