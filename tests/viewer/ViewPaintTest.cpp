#include "ViewPaint.h"

#include "BitmapBuilder.h"
#include "MessageRecorder.h"
#include "Picture.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr QRgb kPicture = 0xFFF08010;

struct PlaceCase {
    const char* name;
    std::optional<QSize> frame; // the main window's outer size; none without one
    QSize picture;              // empty: a picture without a bitmap
    std::optional<QRect> page;  // printing
    QRect painted;
    int lines;
    const char* message; // nullptr: none
    MessageRecorder::Box box;
};

class ViewPlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(ViewPlacement, PaintsWhereTheViewerPutsThePicture) {
    const PlaceCase& c = GetParam();
    Picture picture;
    if (!c.picture.isEmpty())
        picture.Prepare(ToHandle(SolidTrueColor(c.picture.width(), c.picture.height(), kPicture)));
    QImage image = SentinelImage(1300, 1000);
    MessageRecorder messages;
    {
        QPainter painter(&image);
        const viewpaint::Painted painted =
            viewpaint::PaintBitmap(painter, picture, {QSize(), c.frame, c.page});
        EXPECT_EQ(painted.lines, c.lines);
        viewpaint::Report(painted, messages);
    }
    EXPECT_EQ(PaintedRect(image), c.painted);
    if (!c.painted.isNull()) {
        EXPECT_EQ(image.pixel(c.painted.topLeft()), kPicture);
    }
    ASSERT_EQ(messages.Texts(), c.message ? QStringList{c.message} : QStringList());
    if (c.message) {
        EXPECT_EQ(messages.Messages()[0].box, c.box);
    }
}

using Box = MessageRecorder::Box;
const QSize kWide(512, 400);
const std::optional<QRect> kScreen;

INSTANTIATE_TEST_SUITE_P(
    Frames, ViewPlacement,
    ::testing::Values(
        PlaceCase{"Frame680x450", QSize(680, 450), kWide, kScreen, QRect(78, 1, 512, 400), 400,
                  nullptr, Box::App},
        PlaceCase{"Frame640x450", QSize(640, 450), kWide, kScreen, QRect(58, 1, 512, 400), 400,
                  nullptr, Box::App},
        PlaceCase{"Frame800x600", QSize(800, 600), kWide, kScreen, QRect(138, 70, 512, 400), 400,
                  nullptr, Box::App},
        PlaceCase{"NegativeHalfTruncatesTowardZero", QSize(700, 500), QSize(705, 100), kScreen,
                  QRect(0, 170, 697, 100), 100, nullptr, Box::App},
        PlaceCase{"Height480StaysAtTop", QSize(640, 480), kWide, kScreen, QRect(58, 1, 512, 400),
                  400, nullptr, Box::App},
        PlaceCase{"Height481Centres", QSize(640, 481), kWide, kScreen, QRect(58, 10, 512, 400), 400,
                  nullptr, Box::App},
        PlaceCase{"OddDifference", QSize(641, 483), QSize(100, 100), kScreen,
                  QRect(264, 161, 100, 100), 100, nullptr, Box::App},
        PlaceCase{"PrintingPaintsAtTheOrigin", QSize(800, 600), kWide, QRect(0, 0, 512, 400),
                  QRect(0, 0, 512, 400), 400, nullptr, Box::App},
        // The page's own position never moves the picture.
        PlaceCase{"PrintingScalesIntoHalfThePage", QSize(680, 450), kWide,
                  QRect(50, 60, 2400, 1800), QRect(0, 0, 1200, 900), 400, nullptr, Box::App},
        PlaceCase{"NoMainWindowPaintsNothing", std::nullopt, QSize(16, 16), kScreen, QRect(), 0,
                  "Unable to get handle", Box::Plain},
        PlaceCase{"NoMainWindowPrintsNothing", std::nullopt, kWide, QRect(0, 0, 512, 400), QRect(),
                  0, "Unable to get handle", Box::Plain},
        PlaceCase{"NoBitmapSaysError", QSize(680, 450), QSize(), kScreen, QRect(), 0, "error",
                  Box::App}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
