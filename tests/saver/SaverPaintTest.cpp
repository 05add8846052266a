#include "SaverPaint.h"

#include "BitmapBuilder.h"
#include "DeviceContext.h"
#include "MessageRecorder.h"
#include "Picture.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct SaverCase {
    const char* name;
    QSize screen;
    QSize picture; // empty: a picture without a bitmap
    bool hasMainWindow;
    QRect painted;
    int lines;
    bool reported; // "Unable to get handle"
};

class SaverPlacement : public ::testing::TestWithParam<SaverCase> {};

TEST_P(SaverPlacement, CentresTheCartoonOnTheScreen) {
    const SaverCase& c = GetParam();
    Picture picture;
    if (!c.picture.isEmpty())
        picture.Prepare(ToHandle(SolidTrueColor(c.picture.width(), c.picture.height(), 0)));
    QImage image = SentinelImage(1300, 1000);
    MessageRecorder messages;
    {
        QPainter painter(&image);
        CDC dc(painter);
        EXPECT_EQ(PaintSaverBitmap(dc, picture, c.screen, c.hasMainWindow, messages), c.lines);
    }
    EXPECT_EQ(PaintedRect(image), c.painted);
    ASSERT_EQ(messages.Texts(),
              c.reported ? QStringList{QStringLiteral("Unable to get handle")} : QStringList());
    if (c.reported) {
        EXPECT_EQ(messages.Messages()[0].box, MessageRecorder::Box::Plain);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, SaverPlacement,
    ::testing::Values(
        SaverCase{"Screen640x480", {640, 480}, {350, 400}, true, {145, 40, 350, 400}, 400, false},
        // (-30, -20): the halves truncate toward zero.
        SaverCase{
            "LargerThanTheScreen", {640, 480}, {700, 521}, true, {0, 0, 670, 501}, 521, false},
        SaverCase{"WithoutMainWindowReportsAndStillPaints",
                  {640, 480},
                  {350, 400},
                  false,
                  {145, 40, 350, 400},
                  400,
                  true},
        SaverCase{"NoBitmapPaintsAndSaysNothing", {640, 480}, {}, false, {}, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
