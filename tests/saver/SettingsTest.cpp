#include "SaverSettings.h"
#include "TempEnvironment.h"

#include <gtest/gtest.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

TEST(SaverSettings, WrittenValuesReadBackAndAnEmptyCodeStaysEmpty) {
    TempEnvironment env;
    Profile profile = Profile::App();
    Selection s;
    s.mode = ViewMode::favourites;
    s.imageMax = 12;
    WriteSettings(profile, ChoiceWrites(s));
    const Selection read = ReadSelection(profile);
    EXPECT_EQ(read.mode, ViewMode::favourites);
    EXPECT_EQ(read.imageMax, 12);
    EXPECT_EQ(read.currentTreasury, 0);
    EXPECT_EQ(read.category, 0);
    // Stored as an empty text, not taken for a missing one.
    EXPECT_EQ(read.categoryShort, QString());
    EXPECT_EQ(profile.Entries(kSection).size(), 8);
}

// A hand-edited idle time is brought within 1 to 120 minutes.
struct IdleMinutesCase {
    const char* name;
    const char* stored; // none: missing
    int minutes;
};

class IdleMinutes : public ::testing::TestWithParam<IdleMinutesCase> {};

TEST_P(IdleMinutes, ReadWithinTheRange) {
    TempEnvironment env;
    Profile profile = Profile::App();
    if (GetParam().stored)
        WriteSettings(profile, {{kIdleMinutes, QString::fromLatin1(GetParam().stored)}});
    EXPECT_EQ(ReadIdleMinutes(profile), GetParam().minutes);
}

INSTANTIATE_TEST_SUITE_P(Values, IdleMinutes,
                         ::testing::Values(IdleMinutesCase{"Missing", nullptr, 10},
                                           IdleMinutesCase{"Stored", "45", 45},
                                           IdleMinutesCase{"Zero", "0", 1},
                                           IdleMinutesCase{"Negative", "-3", 1},
                                           IdleMinutesCase{"TooLong", "600", 120}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
