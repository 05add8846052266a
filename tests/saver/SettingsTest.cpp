#include "SaverSettings.h"
#include "TempEnvironment.h"

#include <gtest/gtest.h>

namespace {

using namespace saverkeys;

QStringList Keys(const SettingWrites& writes) {
    QStringList keys;
    for (const SettingWrite& write : writes)
        keys << write.key;
    return keys;
}

TEST(SaverSettings, AnEmptyProfileReadsTheDefaults) {
    TempEnvironment env;
    const Profile profile = Profile::App();
    const SaverSelection s = ReadSelection(profile);
    EXPECT_EQ(s.mode, 1);
    EXPECT_EQ(s.currentTreasury, 1);
    EXPECT_EQ(s.treasury1, 1);
    EXPECT_EQ(s.all, 0);
    EXPECT_EQ(s.imageCounter, 0);
    EXPECT_EQ(s.imageMax, 743);
    EXPECT_EQ(s.category, 34);
    EXPECT_EQ(s.categoryShort, QStringLiteral("AF"));
    EXPECT_EQ(ReadDelay(profile), 3);
    EXPECT_EQ(ReadSaveOnExit(profile), 1);
}

TEST(SaverSettings, TheViewTimeIsBroughtWithinOneToNinetyNine) {
    TempEnvironment env;
    Profile profile = Profile::App();
    const std::pair<const char*, int> cases[] = {{"0", 1},   {"-4", 1},   {"1", 1},  {"42", 42},
                                                 {"99", 99}, {"100", 99}, {"abc", 3}};
    for (const auto& [stored, read] : cases) {
        profile.WriteString(kSection, kDelay, QString::fromLatin1(stored));
        EXPECT_EQ(ReadDelay(profile), read) << stored;
    }
}

TEST(SaverSettings, AChoiceStoresTheCodeBeforeTheNumberAndTheExitSaveAfterIt) {
    SaverSelection s;
    s.mode = 2;
    s.currentTreasury = 1;
    s.treasury1 = 1;
    s.imageCounter = 17;
    s.imageMax = 743;
    s.category = 21;
    s.categoryShort = QStringLiteral("AN");
    EXPECT_EQ(Keys(ChoiceWrites(s)),
              (QStringList{"mode", "currentTreasury", "treasury1", "all", "imageCounter",
                           "imageMax", "categoryShort", "category"}));
    EXPECT_EQ(Keys(ExitSaveWrites(s)),
              (QStringList{"mode", "currentTreasury", "treasury1", "all", "imageCounter",
                           "imageMax", "category", "categoryShort"}));
    const SettingWrites writes = ChoiceWrites(s);
    EXPECT_EQ(writes[4], (SettingWrite{kImageCounter, 17}));
    EXPECT_EQ(writes[6], (SettingWrite{kCategoryShort, QStringLiteral("AN")}));
    EXPECT_EQ(writes[7], (SettingWrite{kCategory, 21}));
}

TEST(SaverSettings, WrittenValuesReadBackAndAnEmptyCodeStaysEmpty) {
    TempEnvironment env;
    Profile profile = Profile::App();
    SaverSelection s;
    s.mode = 5;
    s.imageMax = 12;
    WriteSettings(profile, ChoiceWrites(s));
    const SaverSelection read = ReadSelection(profile);
    EXPECT_EQ(read.mode, 5);
    EXPECT_EQ(read.imageMax, 12);
    EXPECT_EQ(read.currentTreasury, 0);
    EXPECT_EQ(read.category, 0);
    // Stored as an empty text, not taken for a missing one.
    EXPECT_EQ(read.categoryShort, QString());
    EXPECT_EQ(profile.Entries(kSection).size(), 8);
}

} // namespace
