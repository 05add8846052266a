#include "BuiltInPictures.h"
#include "CartoonCycle.h"
#include "Catalogue.h"
#include "SaverIds.h"
#include "SaverTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace saverkeys;

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
