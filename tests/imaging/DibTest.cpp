#include "Dib.h"

#include "BitmapBuilder.h"

#include <gtest/gtest.h>

namespace {

struct HeaderCase {
    const char* name;
    Bytes header;
    std::uint32_t width;
    std::uint32_t height;
    std::uint16_t colorCount;
    std::uint64_t tableBytes;
    std::uint64_t bitsOffset;
};

class ReadHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ReadHeader, AnswersByHeaderForm) {
    const HeaderCase& c = GetParam();
    // The block holds the whole colour table, so nothing is refused.
    const Bytes dib = WithTableAndBits(c.header, {}, c.tableBytes + 16);
    const DibHeader header = ReadDibHeader(dib);
    EXPECT_EQ(header.width, c.width);
    EXPECT_EQ(header.height, c.height);
    EXPECT_EQ(header.colorCount, c.colorCount);
    EXPECT_EQ(header.colorTableBytes, c.tableBytes);
    EXPECT_EQ(header.bitsOffset, c.bitsOffset);
    EXPECT_TRUE(header.colorTableInBlock);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadHeader,
    ::testing::Values(
        HeaderCase{"TrueColorHasNoTable", InfoHeader({512, 171, 24, 0, 0, 0}), 512, 171, 0, 0, 40},
        HeaderCase{"EightBitUsesAll256", InfoHeader({35, 3, 8, 0, 0, 0}), 35, 3, 256, 1024, 1064},
        HeaderCase{"ColorsUsedWins", InfoHeader({10, 10, 8, 0, 0, 17}), 10, 10, 17, 68, 108},
        HeaderCase{"ColorsUsedWinsWhateverTheDepth", InfoHeader({10, 10, 24, 0, 0, 17}), 10, 10, 17,
                   68, 108},
        HeaderCase{"ColorsUsedLow16Bits", InfoHeader({1, 1, 8, 0, 0, 0x10003}), 1, 1, 3, 12, 52},
        HeaderCase{"ColorsUsed0x10000GivesNone", InfoHeader({1, 1, 8, 0, 0, 0x10000}), 1, 1, 0, 0,
                   40},
        HeaderCase{"OneBit", InfoHeader({9, 2, 1, 0, 0, 0}), 9, 2, 2, 8, 48},
        HeaderCase{"FourBit", InfoHeader({9, 2, 4, 0, 0, 0}), 9, 2, 16, 64, 104},
        HeaderCase{"SixteenBit", InfoHeader({9, 2, 16, 0, 0, 0}), 9, 2, 0, 0, 40},
        HeaderCase{"ThirtyTwoBit", InfoHeader({9, 2, 32, 0, 0, 0}), 9, 2, 0, 0, 40},
        HeaderCase{"NegativeHeightAsUnsigned", InfoHeader({4, -100, 24, 0, 0, 0}), 4, 0xFFFFFF9C, 0,
                   0, 40},
        HeaderCase{"CoreFourBit", CoreHeader(300, 200, 4), 300, 200, 16, 48, 60},
        HeaderCase{"CoreEightBit", CoreHeader(65535, 7, 8), 65535, 7, 256, 768, 780},
        HeaderCase{"CoreTrueColor", CoreHeader(5, 6, 24), 5, 6, 0, 0, 12},
        HeaderCase{"Size108ReadAsCore", CoreHeader(640, 480, 1, 108), 640, 480, 2, 6, 114},
        // 65535 colours are allowed, and the bits start after the whole table.
        HeaderCase{"Colors65535", InfoHeader({1, 1, 8, 0, 0, 65535}), 1, 1, 65535, 65535 * 4,
                   40 + 65535 * 4}),
    [](const auto& info) { return std::string(info.param.name); });

// A header of a size other than 40 takes its size from the 16-bit fields,
// even where an information-style header wrote 32-bit ones.
TEST(ReadHeaderOfOtherSize, TakesSixteenBitFieldsAt4And6) {
    Bytes header(108, 0);
    PutU32(header, 0, 108);
    PutU32(header, 4, 300); // 32-bit width: 300 in the low half, 0 above
    PutU32(header, 8, 24);  // 32-bit height
    EXPECT_EQ(ReadDibHeader(header).form, DibForm::Core);
    EXPECT_EQ(ReadDibHeader(header).width, 300u);
    EXPECT_EQ(ReadDibHeader(header).height, 0u);
    EXPECT_EQ(ReadDibHeader(header).bitCount, 0); // upper half of the height would be at 10
    PutU16(header, 10, 8);
    EXPECT_EQ(ReadDibHeader(header).bitCount, 8);
    EXPECT_EQ(ReadDibHeader(header).compression, DibCompression::None);
}

// Blocks shorter than the header they claim: every field outside the block
// reads as 0 and nothing is read past the block (ASan checks the vectors,
// which are exactly as long as the block).
TEST(ReadHeaderShortBlock, FieldsOutsideTheBlockReadAsZero) {
    Bytes info = InfoHeader({100, 100, 8, 0, 0, 0});
    for (std::size_t length : {0u, 2u, 5u, 11u, 16u, 39u}) {
        const Bytes shortBlock(info.begin(), info.begin() + length);
        const DibHeader header = ReadDibHeader(DibBytes(shortBlock.data(), shortBlock.size()));
        EXPECT_EQ(header.width, 0u) << length;
        EXPECT_EQ(header.height, 0u) << length;
        EXPECT_EQ(header.colorCount, 0) << length;
        EXPECT_EQ(header.imageSize, 0u) << length;
        EXPECT_FALSE(header.colorTableInBlock) << length;
    }
    const Bytes core = CoreHeader(7, 9, 4);
    const DibHeader shortCore = ReadDibHeader(DibBytes(core.data(), 11));
    EXPECT_EQ(shortCore.width, 0u);
    EXPECT_EQ(shortCore.colorCount, 0);
    EXPECT_FALSE(shortCore.colorTableInBlock);
}

TEST(ReadHeaderShortBlock, ColorTableMustLieWithinTheBlock) {
    const Bytes full = WithTableAndBits(InfoHeader({2, 2, 8, 0, 0, 0}), {}, 1024);
    EXPECT_TRUE(ReadDibHeader(full).colorTableInBlock);
    const Bytes cut(full.begin(), full.end() - 1);
    EXPECT_FALSE(ReadDibHeader(cut).colorTableInBlock);
    EXPECT_GT(ReadDibHeader(cut).bitsOffset, cut.size());

    // Core header of size 108 whose block is shorter than 108 bytes.
    const Bytes core108 = CoreHeader(2, 2, 24, 108);
    EXPECT_TRUE(ReadDibHeader(core108).colorTableInBlock);
    EXPECT_FALSE(ReadDibHeader(DibBytes(core108.data(), 100)).colorTableInBlock);

    // The full extent of 65535 entries counts, not a 16-bit table size.
    const Bytes wrapped = WithTableAndBits(InfoHeader({1, 1, 8, 0, 0, 65535}), {}, 65536);
    EXPECT_FALSE(ReadDibHeader(wrapped).colorTableInBlock);
    const Bytes whole = WithTableAndBits(InfoHeader({1, 1, 8, 0, 0, 65535}), {}, 65535 * 4);
    EXPECT_TRUE(ReadDibHeader(whole).colorTableInBlock);
}

TEST(ReadHeaderShortBlock, HugeHeaderSizeDoesNotWrap) {
    Bytes header = InfoHeader({1, 1, 8, 0, 0, 0});
    PutU32(header, 0, 0xFFFFFFFF); // read as a core header
    PutU16(header, 10, 8);
    EXPECT_EQ(ReadDibHeader(header).bitsOffset, 0xFFFFFFFFull + 3 * 256);
    EXPECT_FALSE(ReadDibHeader(header).colorTableInBlock);
}

TEST(RowSize, PaddedToFourBytes) {
    EXPECT_EQ(BitmapRowSize(35, 8), 36u);
    EXPECT_EQ(BitmapRowSize(36, 8), 36u);
    EXPECT_EQ(BitmapRowSize(512, 24), 1536u);
    EXPECT_EQ(BitmapRowSize(33, 1), 8u);
    EXPECT_EQ(BitmapRowSize(1, 4), 4u);
    EXPECT_EQ(BitmapRowSize(0xFFFFFFFF, 32), 0x3FFFFFFFCull);
}

TEST(CopyGlobalBlock, NoneGivesNone) {
    HDIB none;
    EXPECT_FALSE(CopyGlobalBlock(none));
}

TEST(CopyGlobalBlock, CopiesEveryByteOfTheAllocatedSize) {
    Bytes dib = SolidTrueColor(3, 2, qRgb(1, 2, 3));
    HDIB hSource = ToHandle(dib, 14);
    HDIB hCopy = CopyGlobalBlock(hSource);
    ASSERT_TRUE(hCopy);
    EXPECT_EQ(hCopy.Size(), dib.size() + 14);
    EXPECT_EQ(HandleBytes(hCopy), HandleBytes(hSource));
    EXPECT_EQ(hSource.LockCount(), 0);
    EXPECT_EQ(hCopy.LockCount(), 0);
    // The copy is independent of the source.
    hCopy.Lock()[0] = 0x55;
    hCopy.Unlock();
    EXPECT_EQ(HandleBytes(hSource)[0], 40);
}

TEST(CopyGlobalBlock, NoMemoryGivesNone) {
    HDIB hSource = ToHandle(Bytes(100, 7));
    GlobalBlock::SetAllocationLimit(99);
    HDIB hCopy = CopyGlobalBlock(hSource);
    EXPECT_FALSE(hCopy);
    EXPECT_EQ(HandleBytes(hSource), Bytes(100, 7));
}

} // namespace
