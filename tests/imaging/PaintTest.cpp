#include "Paint.h"

#include "BitmapBuilder.h"
#include "DeviceContext.h"
#include "Picture.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr QRgb kTop = 0xFFFF0000;
constexpr QRgb kBottom = 0xFF0000FF;

// 40 x 30, the top 10 rows in one colour and the rest in another.
Bytes Banded() {
    return TwoBand8Bit(40, 30, 10, kTop, kBottom);
}

Bytes PixelsCut() {
    Bytes dib = SolidTrueColor(64, 64, kTop);
    dib.resize(dib.size() - 1);
    return dib;
}

Bytes ShortHeader() {
    Bytes dib = InfoHeader({8, 8, 24, 0, 0, 0});
    dib.resize(30);
    return dib;
}

struct PaintCase {
    const char* name;
    std::optional<Bytes> dib; // none: a picture without a bitmap
    QPoint position;
    QSize destSize;
    QRect source;
    int lines;
    QRect painted; // what changed on the sentinel image
    QRgb topLeft;  // the painted rectangle's corners
    QRgb bottomRight;
};

class PaintPictureTest : public ::testing::TestWithParam<PaintCase> {};

TEST_P(PaintPictureTest, PaintsWhereItIsTold) {
    const PaintCase& c = GetParam();
    Picture picture;
    if (c.dib)
        picture.Prepare(ToHandle(*c.dib));
    QImage image = SentinelImage(1300, 1000);
    {
        QPainter painter(&image);
        CDC dc(painter);
        CPalette* before = dc.GetCurrentPalette();
        EXPECT_EQ(PaintPicture(dc, picture, c.position, c.destSize, c.source), c.lines);
        // The picture's palette was selected for the call only.
        EXPECT_EQ(dc.GetCurrentPalette(), before);
    }
    EXPECT_EQ(PaintedRect(image), c.painted);
    if (!c.painted.isNull()) {
        EXPECT_EQ(image.pixel(c.painted.topLeft()), c.topLeft);
        EXPECT_EQ(image.pixel(c.painted.bottomRight()), c.bottomRight);
    }
    EXPECT_EQ(picture.Dib().LockCount(), 0);
}

const QRect kWhole(0, 0, 40, 30);
const QRect kLower(0, 10, 40, 20);
const QRect kUpper(0, 0, 40, 10);

INSTANTIATE_TEST_SUITE_P(
    Places, PaintPictureTest,
    ::testing::Values(PaintCase{"OneToOneAtThePosition", Banded(), QPoint(70, 9), QSize(40, 30),
                                kWhole, 30, QRect(70, 9, 40, 30), kTop, kBottom},
                      PaintCase{"NegativePositionClipsAtTheEdge", Banded(), QPoint(-8, -25),
                                QSize(40, 30), kWhole, 30, QRect(0, 0, 32, 5), kBottom, kBottom},
                      PaintCase{"OtherSizesScaleIntoHalfTheDestination", Banded(), QPoint(50, 60),
                                QSize(160, 60), kWhole, 30, QRect(50, 60, 80, 30), kTop, kBottom},
                      PaintCase{"SourceTopCountsFromTheTopRow", Banded(), QPoint(0, 0),
                                QSize(40, 20), kLower, 20, QRect(0, 0, 40, 20), kBottom, kBottom},
                      PaintCase{"ScaledSourceTopCountsFromTheTopRow", Banded(), QPoint(0, 0),
                                QSize(160, 60), kUpper, 10, QRect(0, 0, 80, 30), kTop, kTop},
                      PaintCase{"NoBitmapPaintsNothing", std::nullopt, QPoint(0, 0), QSize(40, 30),
                                kWhole, 0, QRect(), 0, 0},
                      // A header that claims more than its block holds is never read past.
                      PaintCase{"PixelsPastTheBlock", PixelsCut(), QPoint(0, 0), QSize(64, 64),
                                QRect(0, 0, 64, 64), 0, QRect(), 0, 0},
                      PaintCase{"ScaledPixelsPastTheBlock", PixelsCut(), QPoint(0, 0),
                                QSize(500, 500), QRect(0, 0, 64, 64), 0, QRect(), 0, 0},
                      PaintCase{"ColourTablePastTheBlock",
                                WithTableAndBits(InfoHeader({8, 8, 8, 0, 0, 0}), {kTop}, 0),
                                QPoint(0, 0), QSize(8, 8), QRect(0, 0, 8, 8), 0, QRect(), 0, 0},
                      PaintCase{"HeaderPastTheBlock", ShortHeader(), QPoint(0, 0), QSize(8, 8),
                                QRect(0, 0, 8, 8), 0, QRect(), 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
