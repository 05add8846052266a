#include "BitmapBuilder.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;

Bytes EightBit(int width, int height) {
    std::vector<Bytes> rows(std::size_t(height), Bytes(std::size_t(width), 1));
    return BuildDib({width, height, 8, 0, false, 2, {kRed, kGreen}, StoreRows(rows)});
}

void SetU32(Bytes& block, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        block[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

void SetU16(Bytes& block, std::size_t at, unsigned v) {
    block[at] = std::uint8_t(v);
    block[at + 1] = std::uint8_t(v >> 8);
}

struct RefusedCase {
    const char* name;
    Bytes block;
};

Bytes Edited(Bytes block, std::size_t at, std::uint32_t value, bool sixteen = false) {
    if (sixteen)
        SetU16(block, at, value);
    else
        SetU32(block, at, value);
    return block;
}

Bytes Truncated(Bytes block, std::size_t by) {
    block.resize(block.size() - by);
    return block;
}

std::vector<RefusedCase> RefusedCases() {
    const Bytes good = EightBit(4, 4); // 40 + 8 + 16 bytes
    return {
        {"Empty", {}},
        {"ShorterThanHeaderSize", Bytes(good.begin(), good.begin() + 3)},
        {"InfoHeaderCut", Bytes(good.begin(), good.begin() + 39)},
        {"HeaderSizeTooSmallForCore", Edited(good, 0, 5)},
        {"HeaderSizePastBlock", Edited(good, 0, 0xFFFFFFF0)},
        {"ColourTablePastBlock", Edited(good, 32, 0)}, // 256 entries claimed, 2 present
        {"ColourCountOf65535", Edited(good, 32, 0xFFFF)},
        {"BitsPastBlockByOneByte", Truncated(good, 1)},
        {"BitsPastBlockByOneRow", Truncated(good, 4)},
        {"NegativeWidth", Edited(good, 4, std::uint32_t(-4))},
        {"NegativeHeight", Edited(good, 8, std::uint32_t(-4))},
        {"ZeroWidth", Edited(good, 4, 0)},
        {"ZeroHeight", Edited(good, 8, 0)},
        {"WiderThanCap", Edited(good, 4, 40000)},
        {"RowsWrapping32Bits", Edited(Edited(good, 4, 0x7FFFFFFF), 8, 0x7FFFFFFF)},
        {"HugeTrueColour", Edited(Edited(Edited(good, 4, 30000), 8, 30000), 14, 24, true)},
        {"HugeRle", Edited(Edited(Edited(good, 4, 30000), 8, 30000), 16, 1)},
        {"Bitfields", Edited(Edited(good, 14, 16, true), 16, 3)},
        {"TwoBits", Edited(good, 14, 2, true)},
        {"SixtyFourBits", Edited(good, 14, 64, true)},
        {"ZeroBits", Edited(good, 14, 0, true)},
        {"HugeBitCount", Edited(good, 14, 30000, true)},
        {"Rle8AtFourBits", Edited(Edited(good, 14, 4, true), 16, 1)},
        {"Rle4AtEightBits", Edited(good, 16, 2)},
        {"Jpeg", Edited(good, 16, 4)},
        {"Png", Edited(good, 16, 5)},
    };
}

class DibRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(DibRefusedTest, PaintsNothing) {
    const Bytes& block = GetParam().block;
    int lines = -1;
    const QImage image = RenderDib(block.empty() ? nullptr : block.data(), block.size(),
                                   QRect(0, 0, 4, 4), QSize(4, 4), &lines);
    EXPECT_EQ(lines, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image.pixel(x, y), 0u);
}

INSTANTIATE_TEST_SUITE_P(Headers, DibRefusedTest, testing::ValuesIn(RefusedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibRefusedTest, GoodPictureOfTheTableIsPainted) {
    int lines = 0;
    const QImage image = RenderDib(EightBit(4, 4), QRect(0, 0, 4, 4), QSize(4, 4), &lines);
    EXPECT_EQ(lines, 4);
    EXPECT_EQ(image.pixel(3, 3), kGreen);
}

struct RleCutCase {
    const char* name;
    Bytes data;
    std::vector<QRgb> bottomRow;
};

// RLE data that breaks off or leaves its rows: decoding stops where the data
// stops making sense; what came before is painted, nothing is read past the block.
std::vector<RleCutCase> RleCutCases() {
    constexpr QRgb kClear = 0;
    return {
        {"EndsMidCode", {2, 1, 0}, {kGreen, kGreen, kClear}},
        {"EndsMidAbsoluteRun", {1, 0, 0, 3, 1}, {kRed, kClear, kClear}},
        {"AbsoluteRunMissingPad", {0, 3, 1, 0, 1}, {kGreen, kRed, kGreen}},
        {"EndsMidDelta", {1, 1, 0, 2, 1}, {kGreen, kClear, kClear}},
        {"DeltaPastTopRow", {1, 1, 0, 2, 0, 200, 3, 0}, {kGreen, kClear, kClear}},
        {"EndOfLinePastTopRow", {0, 0, 0, 0, 0, 0, 0, 0, 3, 0}, {kClear, kClear, kClear}},
        {"RunsPastRowWithoutEndOfLine",
         {255, 1, 255, 0, 255, 1, 0, 255, 1},
         {kGreen, kGreen, kGreen}},
        {"DeltaPastRowEnd", {0, 2, 250, 0, 255, 0, 0, 0, 1, 1}, {kClear, kClear, kClear}},
    };
}

class DibRleCutTest : public testing::TestWithParam<RleCutCase> {};

TEST_P(DibRleCutTest, StopsCleanly) {
    const Bytes header = BuildDib({3, 2, 8, 1, false, 2, {kRed, kGreen}, {}});
    Bytes block = header;
    block.insert(block.end(), GetParam().data.begin(), GetParam().data.end());
    int lines = 0;
    const QImage image = RenderDib(block, QRect(0, 0, 3, 2), QSize(3, 2), &lines);
    EXPECT_EQ(lines, 2);
    std::vector<QRgb> bottom;
    for (int x = 0; x < 3; ++x)
        bottom.push_back(image.pixel(x, 1));
    EXPECT_EQ(bottom, GetParam().bottomRow);
}

INSTANTIATE_TEST_SUITE_P(Rle, DibRleCutTest, testing::ValuesIn(RleCutCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The painter counts colours as the header queries do: colours-used 0x10000
// means no colour table, so the bits start right after the header and every
// pixel value is a colour the table does not cover.
TEST(DibLayoutTest, ColoursUsed0x10000MeansNoColourTable) {
    Bytes block = EightBit(4, 4); // 40 + 8 + 16 bytes: 256 entries would not fit
    SetU32(block, 32, 0x10000);
    int lines = 0;
    const QImage image = RenderDib(block, QRect(0, 0, 4, 4), QSize(4, 4), &lines);
    EXPECT_EQ(lines, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
}

} // namespace
