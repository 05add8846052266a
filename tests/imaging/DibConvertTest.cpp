#include "DibConvert.h"

#include "BitmapBuilder.h"

#include <gtest/gtest.h>

namespace {

// 8-bit core bitmap, 3 x 2, over a 256-entry table.
Bytes CoreEightBit() {
    std::vector<QRgb> colors(256, qRgb(0, 0, 0));
    colors[5] = qRgb(10, 20, 30);
    colors[9] = qRgb(200, 100, 50);
    return BuildDib({3, 2, 8, 0, true, 0, colors, StoreRows({{5, 9, 5}, {9, 9, 5}})});
}

TEST(InfoHeaderCopy, PaintsTheSamePictureBehindAnInformationHeader) {
    const Bytes core = CoreEightBit();
    HDIB source = ToHandle(core, 14);
    HDIB copy = InfoHeaderCopy(source);
    ASSERT_TRUE(copy);
    const Bytes wide = HandleBytes(copy);
    const DibHeader header = ReadDibHeader(wide);
    EXPECT_EQ(header.form, DibForm::Info);
    EXPECT_EQ(header.width, 3u);
    EXPECT_EQ(header.height, 2u);
    EXPECT_EQ(header.bitCount, 8);
    EXPECT_EQ(header.compression, DibCompression::None);
    EXPECT_EQ(header.imageSize, 8u); // two rows of 4 bytes
    EXPECT_EQ(wide.size(), 40u + 256u * 4u + 8u);
    int lines = 0;
    const QRect all(0, 0, 3, 2);
    EXPECT_EQ(RenderDib(wide, all, QSize(3, 2), &lines), RenderDib(core, all, QSize(3, 2), &lines));
    EXPECT_EQ(RenderDib(wide, all, QSize(3, 2), &lines).pixel(1, 0), qRgb(200, 100, 50));
    // The source is left as it was.
    Bytes withSlack = core;
    withSlack.resize(core.size() + 14, 0);
    EXPECT_EQ(HandleBytes(source), withSlack);
}

TEST(InfoHeaderCopy, RefusesWhatItCannotCopyWhole) {
    HDIB none;
    EXPECT_FALSE(InfoHeaderCopy(none));
    // Already an information header.
    HDIB info = ToHandle(SolidTrueColor(4, 4, qRgb(1, 2, 3)));
    EXPECT_FALSE(InfoHeaderCopy(info));
    // Pixel rows that reach past the block.
    Bytes cut = CoreEightBit();
    cut.resize(cut.size() - 1);
    HDIB shortBlock = ToHandle(cut);
    EXPECT_FALSE(InfoHeaderCopy(shortBlock));
    // A colour table that reaches past the block.
    Bytes tableCut = CoreHeader(3, 2, 8);
    tableCut.resize(12 + 100, 0);
    HDIB noTable = ToHandle(tableCut);
    EXPECT_FALSE(InfoHeaderCopy(noTable));
}

TEST(InfoHeaderCopy, NoMemoryGivesNone) {
    HDIB source = ToHandle(CoreEightBit());
    GlobalBlock::SetAllocationLimit(source.Size()); // the copy is larger
    HDIB copy = InfoHeaderCopy(source);
    EXPECT_FALSE(copy);
}

} // namespace
