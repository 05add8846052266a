#include "BitmapBuilder.h"
#include "DeviceContext.h"
#include "Paint.h"
#include "Picture.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct RealizeCase {
    const char* name;
    std::optional<Bytes> dib; // none: a picture without a bitmap
    int depth;                // of the screen, forced
    PaletteSelection selection;
    bool realized; // whether the picture's colours reach the system palette
};

class RealizePicturePaletteTest : public ::testing::TestWithParam<RealizeCase> {
protected:
    void SetUp() override { CDC::ForceScreenBitsPixel(GetParam().depth); }
};

// The caller repaints only when the system palette changed: the first time,
// and again once another palette has taken the entries.
TEST_P(RealizePicturePaletteTest, CallsBackOnlyWhenTheSystemPaletteChanged) {
    const RealizeCase& c = GetParam();
    Picture picture;
    if (c.dib)
        picture.Prepare(ToHandle(*c.dib));
    CDC dc;
    CPalette* before = dc.GetCurrentPalette();
    int repaints = 0;
    const auto repaint = [&repaints] { ++repaints; };
    EXPECT_EQ(RealizePicturePalette(dc, picture, c.selection, repaint) > 0, c.realized);
    EXPECT_EQ(RealizePicturePalette(dc, picture, c.selection, repaint), 0);
    EXPECT_EQ(repaints, c.realized ? 1 : 0);
    EXPECT_EQ(dc.GetCurrentPalette(), before);

    CPalette other;
    ASSERT_TRUE(other.CreatePalette(Bytes{0x00, 0x03, 0x01, 0x00, 7, 7, 7, 0}));
    CDC otherDc;
    otherDc.SelectPalette(&other, false);
    otherDc.RealizePalette();
    RealizePicturePalette(dc, picture, c.selection, repaint);
    EXPECT_EQ(repaints, c.realized ? 2 : 0);
}

const Bytes kEightBit = TwoBand8Bit(8, 8, 4, qRgb(200, 10, 10), qRgb(10, 10, 200));

INSTANTIATE_TEST_SUITE_P(
    Displays, RealizePicturePaletteTest,
    ::testing::Values(
        RealizeCase{"PaletteDisplayForeground", kEightBit, 8, PaletteSelection::foreground, true},
        RealizeCase{"PaletteDisplayBackground", kEightBit, 8, PaletteSelection::background, true},
        RealizeCase{"TrueColourDisplayChangesNothing", kEightBit, 24, PaletteSelection::foreground,
                    false},
        RealizeCase{"PictureWithoutPalette", SolidTrueColor(8, 8, qRgb(1, 2, 3)), 8,
                    PaletteSelection::foreground, false},
        RealizeCase{"PictureWithoutBitmap", std::nullopt, 8, PaletteSelection::background, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
