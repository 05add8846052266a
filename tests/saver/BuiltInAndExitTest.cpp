#include "BuiltInPictures.h"
#include "CMemFile.h"
#include "CartoonCycle.h"
#include "Catalogue.h"
#include "Dib.h"
#include "DibFile.h"
#include "SaverIds.h"
#include "SaverTestSupport.h"

#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

class WithoutCd : public ::testing::Test, public SaverFixture {
protected:
    WithoutCd() { TestDisc::InsertNothing(); }

    // Whether any pixel of the band above the picture shows the notice's white.
    static bool NoticeShown(const QImage& frame, const QRect& band) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= band.right(); ++x) {
                if (frame.pixel(x, y) == qRgb(255, 255, 255))
                    return true;
            }
        }
        return false;
    }
};

TEST_F(WithoutCd, TheFourPicturesFollowInTurnCentredWithTheNoticeAboveTheFirst) {
    CartoonCycle cycle(profile, messages);
    ASSERT_FALSE(cycle.IsCdPresent());
    const int ids[] = {165, 166, 169, 170, 165};
    for (int turn = 0; turn < 5; ++turn) {
        const QImage frame = Turn(cycle, QSize(640, 480));
        const QImage expected = BuiltInPictures::Load(ids[turn]);
        ASSERT_EQ(expected.size(), QSize(350, 400)) << ids[turn];
        // 640 x 480: the picture at (145, 40), the notice's corner at (130, 15).
        EXPECT_EQ(frame.copy(QRect(QPoint(145, 40), expected.size())),
                  expected.convertToFormat(QImage::Format_RGB32))
            << "turn " << turn;
        EXPECT_EQ(Drawn(frame.copy(0, 0, 130, 480)), QRect()) << "turn " << turn;
        const bool first = ids[turn] == 165;
        EXPECT_EQ(NoticeShown(frame, QRect(130, 15, 400, 25)), first) << "turn " << turn;
        EXPECT_EQ(Drawn(frame.copy(0, 0, 640, 15)), QRect()) << "turn " << turn;
    }
    // A screen smaller than the picture: the halves round toward zero.
    EXPECT_EQ(BuiltInPictures::Place(QSize(301, 301), QSize(350, 400)), QPoint(-24, -49));
}

TEST_F(WithoutCd, TheCartoonsStartAfterTheNextFourthPictureOnceTheCdIsIn) {
    CartoonCycle cycle(profile, messages);
    Turn(cycle); // 165
    disc.Insert('E');
    Turn(cycle); // 166
    Turn(cycle); // 169
    EXPECT_FALSE(cycle.IsCdPresent());
    const QImage fourth = Turn(cycle); // 170, then the search finds the CD
    EXPECT_EQ(fourth.copy(145, 40, 350, 400),
              BuiltInPictures::Load(170).convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(cycle.IsCdPresent());
    // The position moved on with every turn: the fifth turn shows position 5.
    const QImage fifth = Turn(cycle);
    EXPECT_EQ(cycle.CurrentName(), CatalogueNameString(5));
    EXPECT_EQ(fifth.pixel(320, 240), ColourOf(CatalogueNameString(5)));
}

TEST_F(WithoutCd, NothingIsStoredOnExit) {
    Store(kImageCounter, 20);
    {
        CartoonCycle cycle(profile, messages);
        Turn(cycle);
        cycle.SaveOnExit();
    }
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("20"));
    EXPECT_EQ(profile.Entries(kSection), QStringList{"imageCounter"});
}

struct ArtCase {
    const char* file;
    QSize size;
    int bitCount;
    std::uint32_t compression; // 0 none, 1 RLE8
};

class SaverArtwork : public ::testing::TestWithParam<ArtCase> {};

// The bitmaps the program carries, as its own bitmap reader takes them.
TEST_P(SaverArtwork, IsCarriedInItsStoredForm) {
    const ArtCase& c = GetParam();
    QFile file(saverids::kBitmapFolder + QLatin1Char('/') + QLatin1String(c.file));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
    CMemFile memory(file.readAll());
    HDIB dib = ReadBitmapFile(memory);
    ASSERT_TRUE(dib) << c.file;
    GlobalLockGuard lock(dib);
    const DibHeader header = ReadDibHeader(LockedDib(lock));
    EXPECT_EQ(QSize(static_cast<int>(header.width), static_cast<int>(header.height)), c.size);
    EXPECT_EQ(header.bitCount, c.bitCount);
    EXPECT_EQ(static_cast<std::uint32_t>(header.compression), c.compression);
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, SaverArtwork,
                         ::testing::Values(ArtCase{"165.bmp", {350, 400}, 8, 1},
                                           ArtCase{"166.bmp", {350, 400}, 8, 1},
                                           ArtCase{"169.bmp", {350, 400}, 8, 1},
                                           ArtCase{"170.bmp", {350, 400}, 8, 1},
                                           ArtCase{"BANNERU.bmp", {512, 171}, 24, 0},
                                           ArtCase{"BBANNERU.bmp", {510, 170}, 8, 0}),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param.file)
                                 .section(QLatin1Char('.'), 0, 0)
                                 .prepend(QStringLiteral("Bitmap"))
                                 .toStdString();
                         });

class ExitSave : public ::testing::Test, public SaverFixture {};

TEST_F(ExitSave, ThePositionShownIsStoredWhenAskedFor) {
    Store(kMode, 2);
    Store(kCategory, 23);
    Store(kCategoryShort, QStringLiteral("CR"));
    CartoonCycle cycle(profile, messages);
    Turn(cycle);
    Turn(cycle);
    cycle.SaveOnExit();
    EXPECT_EQ(Stored(kImageCounter),
              QString::number(*FindInCategory(4, "CR", WalkDirection::forward)));
    EXPECT_EQ(Stored(kMode), QStringLiteral("2"));
    EXPECT_EQ(Stored(kCategory), QStringLiteral("23"));
    EXPECT_EQ(Stored(kCategoryShort), QStringLiteral("CR"));
    EXPECT_EQ(Stored(kImageMax), QStringLiteral("743"));
    EXPECT_EQ(Stored(kTreasury1), QStringLiteral("1"));
    EXPECT_EQ(Stored(kAll), QStringLiteral("0"));
}

TEST_F(ExitSave, SaveOnExitZeroLeavesThePositionAlone) {
    Store(kSaveOnExit, 0);
    Store(kImageCounter, 5);
    CartoonCycle cycle(profile, messages);
    Turn(cycle);
    cycle.SaveOnExit();
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("5"));
    EXPECT_EQ(Stored(kMode), QStringLiteral("(none)"));
}

} // namespace
