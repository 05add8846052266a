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

} // namespace
