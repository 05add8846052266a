#include "CartoonCycle.h"

#include "BitmapBuilder.h"
#include "Catalogue.h"
#include "DeviceContext.h"
#include "DibFile.h"
#include "File.h"
#include "Palette.h"
#include "SaverTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

class Cycle : public ::testing::Test, public SaverFixture {};

TEST_F(Cycle, FirstTurnShowsPositionOneCentredAtItsOwnSize) {
    CartoonCycle cycle(profile, messages);
    EXPECT_TRUE(cycle.IsCdPresent());
    EXPECT_EQ(cycle.DriveLetter(), QLatin1Char('E'));
    const QImage frame = Turn(cycle, QSize(640, 480));
    EXPECT_EQ(cycle.CurrentName(), QStringLiteral("1T005HI1.BMP"));
    // The test disc's pictures are 40 x 30.
    EXPECT_EQ(Drawn(frame), QRect(300, 225, 40, 30));
    EXPECT_EQ(frame.pixel(320, 240), ColourOf(QStringLiteral("1T005HI1.BMP")));
    const QImage small = Turn(cycle, QSize(30, 20));
    // Larger than the screen: cut equally on both sides.
    EXPECT_EQ(small.pixel(0, 0), ColourOf(CatalogueNameString(2)));
    EXPECT_EQ(Drawn(small), QRect(0, 0, 30, 20));
}

TEST_F(Cycle, FavouritesComeFromTheViewersListWithinItsCount) {
    StoreFavourites({CatalogueNameString(742), CatalogueNameString(3), CatalogueNameString(9)});
    Store(kMode, 5);
    Store(kImageCounter, 7);
    Store(kImageMax, 40);
    CartoonCycle cycle(profile, messages);
    EXPECT_EQ(cycle.Position().Position(), 3);
    EXPECT_EQ(cycle.Position().LastPosition(), 3);
    const QImage frame = Turn(cycle);
    EXPECT_EQ(cycle.CurrentName(), CatalogueNameString(742));
    EXPECT_EQ(frame.pixel(320, 240), ColourOf(CatalogueNameString(742)));
}

TEST_F(Cycle, NoMoreFavouritesAreReadThanTheListHolds) {
    QStringList names;
    for (int i = 1; i <= 800; ++i)
        names << CatalogueNameString((i - 1) % 743 + 1);
    StoreFavourites(names);
    Store(kMode, 5);
    Store(kImageCounter, 790);
    CartoonCycle cycle(profile, messages);
    EXPECT_EQ(cycle.Position().LastPosition(), 749);
    EXPECT_EQ(cycle.Position().Position(), 749);
    Turn(cycle);
    EXPECT_EQ(cycle.CurrentName(), names.front());
}

TEST_F(Cycle, WithoutFavouritesAllCartoonsAreShown) {
    Store(kMode, 5);
    Store(kImageCounter, 12);
    CartoonCycle cycle(profile, messages);
    Turn(cycle);
    EXPECT_EQ(cycle.CurrentName(), QStringLiteral("1T005HI1.BMP"));
    cycle.SaveOnExit();
    EXPECT_EQ(Stored(kMode), QStringLiteral("1"));
    EXPECT_EQ(Stored(kAll), QStringLiteral("1"));
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("1"));
}

TEST_F(Cycle, AMissingFavouriteReadsAsErrorAndLeavesItsTurnBlack) {
    SwitchDiagnosticsOn();
    StoreFavourites({CatalogueNameString(1)}, 2);
    Store(kMode, 5);
    Store(kImageCounter, 1);
    CartoonCycle cycle(profile, messages);
    const QImage frame = Turn(cycle);
    EXPECT_EQ(cycle.CurrentName(), QStringLiteral("error"));
    EXPECT_EQ(Record(QStringLiteral("openfailed")),
              QStringLiteral("E:\\quelby\\images\\te\\error"));
    EXPECT_EQ(Drawn(frame.copy(0, 80, 640, 400)), QRect());
    Turn(cycle);
    EXPECT_EQ(cycle.CurrentName(), CatalogueNameString(1));
}

TEST_F(Cycle, PicturesAreReadDenyingOthersWrite) {
    auto volume = std::make_shared<RecordingVolume>(disc.MakeVolume());
    DriveTable::SetCurrent(DriveTable({Drive{'F', DriveType::cdrom, volume}}));
    CartoonCycle cycle(profile, messages);
    Turn(cycle);
    ASSERT_EQ(volume->opened.size(), 1u);
    EXPECT_EQ(volume->opened[0].first, QStringLiteral("\\quelby\\images\\t1\\1T005HI1.BMP"));
    EXPECT_EQ(volume->opened[0].second, CFile::modeRead | CFile::shareDenyWrite);
}

TEST_F(Cycle, TheCdIsFoundByItsExactLabelOnACdDrive) {
    DriveTable::SetCurrent(DriveTable(
        {Drive{'C', DriveType::cdrom, disc.MakeVolume(QStringLiteral("quelby_cdh"))},
         Drive{'D', DriveType::fixed, disc.MakeVolume()}, Drive{'G', DriveType::cdrom, nullptr},
         Drive{'H', DriveType::cdrom, disc.MakeVolume()},
         Drive{'K', DriveType::cdrom, disc.MakeVolume()}}));
    SwitchDiagnosticsOn();
    CartoonCycle cycle(profile, messages);
    EXPECT_TRUE(cycle.IsCdPresent());
    EXPECT_EQ(cycle.DriveLetter(), QLatin1Char('H'));
    TestDisc::InsertNothing();
    EXPECT_FALSE(cycle.FindCD());
    // A failed search changes nothing, and no search leaves a record.
    EXPECT_TRUE(cycle.IsCdPresent());
    EXPECT_EQ(cycle.DriveLetter(), QLatin1Char('H'));
    EXPECT_EQ(RecordKeys(), (QStringList{"test", "startmemory"}));
}

struct PathCase {
    const char* name;
    char drive;
    const char* cartoon;
    const char* path;
};

class CartoonPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(CartoonPaths, TheNamesTreasuryPicksTheFolderAndColPicksTheCovers) {
    const PathCase& c = GetParam();
    EXPECT_EQ(CartoonCycle::PathOf(QLatin1Char(c.drive), QString::fromLatin1(c.cartoon)),
              QString::fromLatin1(c.path));
}

INSTANTIATE_TEST_SUITE_P(
    Names, CartoonPaths,
    ::testing::Values(
        PathCase{"Catalogue", 'E', "1T208HI1.BMP", "E:\\quelby\\images\\t1\\1T208HI1.BMP"},
        PathCase{"OtherTreasury", 'D', "3T001AN1.BMP", "D:\\quelby\\images\\t3\\3T001AN1.BMP"},
        PathCase{"Cover", 'F', "colour.bmp", "F:\\quelby\\images\\col\\colour.bmp"},
        PathCase{"ColInside", 'E', "1Tcol.BMP", "E:\\quelby\\images\\col\\1Tcol.BMP"},
        PathCase{"ColIsCaseSensitive", 'E', "1TCOL.BMP", "E:\\quelby\\images\\t1\\1TCOL.BMP"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
