#include "Picture.h"

#include "BitmapBuilder.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

using Preparation = Picture::Preparation;

// 4 x 4 pixels of 24 bits under a header that claims the given size.
Bytes ClaimingSize(std::int32_t width, std::int32_t height) {
    Bytes dib = SolidTrueColor(4, 4, qRgb(1, 2, 3));
    PutU32(dib, 4, static_cast<std::uint32_t>(width));
    PutU32(dib, 8, static_cast<std::uint32_t>(height));
    return dib;
}

struct PrepareCase {
    const char* name;
    std::optional<Bytes> dib; // none: no bitmap given
    Preparation expected;
    QSize size;         // afterwards; 6 x 5 is the earlier bitmap's
    int paletteEntries; // 0: no palette object
};

class Prepare : public ::testing::TestWithParam<PrepareCase> {};

// Every case follows a bitmap of 6 x 5 with a palette, which it replaces.
TEST_P(Prepare, ReplacesTheEarlierBitmap) {
    const PrepareCase& c = GetParam();
    Picture picture;
    ASSERT_EQ(picture.Prepare(ToHandle(TwoBand8Bit(6, 5, 2, qRgb(1, 2, 3), qRgb(4, 5, 6)))),
              Preparation::held);
    EXPECT_EQ(picture.Prepare(c.dib ? ToHandle(*c.dib) : HDIB()), c.expected);
    EXPECT_EQ(picture.HasBitmap(), c.expected == Preparation::held);
    EXPECT_EQ(picture.Size(), c.size);
    EXPECT_EQ(picture.Palette() ? picture.Palette()->GetEntryCount() : 0, c.paletteEntries);
    EXPECT_EQ(picture.Dib().LockCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Bitmaps, Prepare,
    ::testing::Values(
        PrepareCase{"EightBitGetsSizeAndPalette",
                    TwoBand8Bit(35, 7, 2, 0, 0),
                    Preparation::held,
                    {35, 7},
                    256},
        PrepareCase{"TrueColourHasNoPalette",
                    SolidTrueColor(512, 171, 0),
                    Preparation::held,
                    {512, 171},
                    0},
        PrepareCase{"ColourTablePastTheBlockGivesNoPalette",
                    WithTableAndBits(InfoHeader({3, 3, 8, 0, 0, 0}), {0, 0, 0}, 0),
                    Preparation::held,
                    {3, 3},
                    0},
        // A core header's sizes are 16-bit and never negative.
        PrepareCase{"CoreHeaderOfLargestSize",
                    WithTableAndBits(CoreHeader(65535, 65535, 24), {}, 0),
                    Preparation::held,
                    {65535, 65535},
                    0},
        PrepareCase{
            "NegativeHeightIsDropped", ClaimingSize(4, -4), Preparation::droppedTopDown, {6, 5}, 0},
        PrepareCase{
            "NegativeWidthIsDropped", ClaimingSize(-4, 4), Preparation::droppedTopDown, {6, 5}, 0},
        PrepareCase{
            "BothNegativeIsDropped", ClaimingSize(-1, -1), Preparation::droppedTopDown, {6, 5}, 0},
        PrepareCase{"NoneKeepsTheSize", std::nullopt, Preparation::none, {6, 5}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
