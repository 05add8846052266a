#include "Palette.h"

#include "BitmapBuilder.h"

#include <gtest/gtest.h>

namespace {

PALETTEENTRY Entry(int r, int g, int b) {
    return {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), 0};
}

TEST(CreateBitmapPalette, SwapsTableOrderAndClearsFlags) {
    // Table entry 0 is blue 0x10, green 0x20, red 0x30, reserved 0x40.
    Bytes dib = InfoHeader({1, 1, 1, 0, 0, 0});
    dib.insert(dib.end(), {0x10, 0x20, 0x30, 0x40, 0xAA, 0xBB, 0xCC, 0xDD, 0, 0, 0, 0});
    HDIB hDIB = ToHandle(dib);
    CPalette palette;
    ASSERT_TRUE(CreateBitmapPalette(hDIB, palette));
    ASSERT_EQ(palette.GetEntryCount(), 2);
    EXPECT_EQ(palette.Entries()[0], (PALETTEENTRY{0x30, 0x20, 0x10, 0}));
    EXPECT_EQ(palette.Entries()[1], (PALETTEENTRY{0xCC, 0xBB, 0xAA, 0}));
    EXPECT_EQ(hDIB.LockCount(), 0);
}

TEST(CreateBitmapPalette, CoreHeaderHasThreeByteEntries) {
    Bytes dib = CoreHeader(1, 1, 1);
    dib.insert(dib.end(), {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0, 0, 0});
    HDIB hDIB = ToHandle(dib);
    CPalette palette;
    ASSERT_TRUE(CreateBitmapPalette(hDIB, palette));
    EXPECT_EQ(palette.Entries(),
              (std::vector<PALETTEENTRY>{Entry(0x30, 0x20, 0x10), Entry(0x60, 0x50, 0x40)}));
}

TEST(CreateBitmapPalette, CoreTableStartsAfterAHeaderOf108Bytes) {
    Bytes dib = CoreHeader(1, 1, 1, 108);
    dib.insert(dib.end(), {1, 2, 3, 4, 5, 6, 0, 0, 0, 0});
    HDIB hDIB = ToHandle(dib);
    CPalette palette;
    ASSERT_TRUE(CreateBitmapPalette(hDIB, palette));
    EXPECT_EQ(palette.Entries(), (std::vector<PALETTEENTRY>{Entry(3, 2, 1), Entry(6, 5, 4)}));
}

TEST(CreateBitmapPalette, EntryCountFollowsColorCount) {
    struct Case {
        std::uint16_t bitCount;
        std::uint32_t colorsUsed;
        int entries;
    };
    for (const Case& c : {Case{8, 0, 256}, Case{4, 0, 16}, Case{1, 0, 2}, Case{8, 17, 17},
                          Case{4, 300, 300}, Case{8, 65535, 65535}}) {
        const Bytes dib = WithTableAndBits(InfoHeader({1, 1, c.bitCount, 0, 0, c.colorsUsed}),
                                           std::vector<QRgb>(c.entries, qRgb(9, 8, 7)), 4);
        HDIB hDIB = ToHandle(dib);
        CPalette palette;
        ASSERT_TRUE(CreateBitmapPalette(hDIB, palette)) << c.entries;
        EXPECT_EQ(palette.GetEntryCount(), c.entries);
        EXPECT_EQ(palette.Entries().back(), Entry(9, 8, 7));
    }
}

TEST(CreateBitmapPalette, RefusedWithoutAUsableTable) {
    HDIB none;
    CPalette palette;
    EXPECT_FALSE(CreateBitmapPalette(none, palette));

    HDIB trueColor = ToHandle(SolidTrueColor(2, 2, qRgb(1, 2, 3)));
    EXPECT_FALSE(CreateBitmapPalette(trueColor, palette));

    // 256 colours claimed, 255 present: the table would reach past the block.
    HDIB cut =
        ToHandle(WithTableAndBits(InfoHeader({1, 1, 8, 0, 0, 0}), std::vector<QRgb>(255, 0), 0));
    EXPECT_FALSE(CreateBitmapPalette(cut, palette));
    HDIB cutCore = ToHandle(WithTableAndBits(CoreHeader(1, 1, 4), std::vector<QRgb>(15, 0), 2));
    EXPECT_FALSE(CreateBitmapPalette(cutCore, palette));
    EXPECT_FALSE(palette.IsCreated());
    EXPECT_EQ(cut.LockCount(), 0);
}

TEST(CreateBitmapPalette, NoMemoryForTheLogicalPalette) {
    HDIB hDIB = ToHandle(TwoBand8Bit(4, 4, 2, 0, 0));
    CPalette palette;
    GlobalBlock::SetAllocationLimit(4 + 4 * 256 - 1);
    const bool created = CreateBitmapPalette(hDIB, palette);
    EXPECT_FALSE(created);
    EXPECT_EQ(hDIB.LockCount(), 0);
}

TEST(CPalette, CreatePaletteChecksTheBlock) {
    CPalette palette;
    EXPECT_FALSE(palette.CreatePalette(Bytes{0x00, 0x03, 0x00, 0x00}));             // no entries
    EXPECT_FALSE(palette.CreatePalette(Bytes{0x00, 0x04, 0x01, 0x00, 1, 2, 3, 0})); // version
    EXPECT_FALSE(palette.CreatePalette(Bytes{0x00, 0x03, 0x02, 0x00, 1, 2, 3, 0})); // short
    EXPECT_TRUE(palette.CreatePalette(Bytes{0x00, 0x03, 0x01, 0x00, 1, 2, 3, 4}));
    EXPECT_EQ(palette.Entries(), (std::vector<PALETTEENTRY>{{1, 2, 3, 4}}));
    EXPECT_EQ(palette.Colors(), (std::vector<QRgb>{qRgb(1, 2, 3)}));
    EXPECT_FALSE(palette.CreatePalette(Bytes{0x00, 0x03, 0x01, 0x00, 5, 6, 7, 0}));
}

} // namespace
