#include "DibRenderer.h"

#include "BitmapBuilder.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kClear = 0x00000000;

using Pixels = std::vector<std::vector<QRgb>>; // top row first

Pixels Read(const QImage& image) {
    Pixels rows;
    for (int y = 0; y < image.height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < image.width(); ++x)
            rows.back().push_back(image.pixel(x, y));
    }
    return rows;
}

// Paints the whole picture one to one and returns its pixels.
Pixels PaintWhole(const DibRecipe& recipe, int* lines = nullptr) {
    const Bytes block = BuildDib(recipe);
    const QRect whole(0, 0, recipe.width, recipe.height);
    return Read(RenderDib(block, whole, whole.size(), lines));
}

// red, green, blue, then white up to size.
std::vector<QRgb> Table(std::size_t size) {
    std::vector<QRgb> table(size, kWhite);
    table[0] = kRed;
    table[1] = kGreen;
    table[2] = kBlue;
    return table;
}

struct FormCase {
    const char* name;
    DibRecipe recipe;
    Pixels expected;
};

std::vector<FormCase> FormCases() {
    const std::vector<QRgb> four = {kRed, kGreen, kBlue, kWhite};
    return {
        {"Mono",
         {3, 2, 1, 0, false, 0, {kRed, kBlue}, StoreRows({{0xA0}, {0x60}})},
         {{kBlue, kRed, kBlue}, {kRed, kBlue, kBlue}}},
        {"MonoCore",
         {3, 2, 1, 0, true, 0, {kRed, kBlue}, StoreRows({{0xA0}, {0x60}})},
         {{kBlue, kRed, kBlue}, {kRed, kBlue, kBlue}}},
        {"FourBit",
         {3, 2, 4, 0, false, 4, four, StoreRows({{0x01, 0x20}, {0x33, 0x10}})},
         {{kRed, kGreen, kBlue}, {kWhite, kWhite, kGreen}}},
        // Core headers: 3-byte colour entries.
        {"FourBitCore",
         {3, 2, 4, 0, true, 0, Table(16), StoreRows({{0x01, 0x20}, {0x11, 0x00}})},
         {{kRed, kGreen, kBlue}, {kGreen, kGreen, kRed}}},
        {"EightBit",
         {3, 2, 8, 0, false, 4, four, StoreRows({{0, 1, 2}, {3, 3, 1}})},
         {{kRed, kGreen, kBlue}, {kWhite, kWhite, kGreen}}},
        {"EightBitCore",
         {3, 2, 8, 0, true, 0, Table(256), StoreRows({{0, 1, 2}, {3, 255, 1}})},
         {{kRed, kGreen, kBlue}, {kWhite, kWhite, kGreen}}},
        // 5-5-5 widened by rounding: 3 gives 25 (a shift would give 24); the top bit is ignored.
        {"SixteenBit",
         {2,
          2,
          16,
          0,
          false,
          0,
          {},
          StoreRows({{0x00, 0x7C, 0xE0, 0x83}, {0x03, 0x00, 0xFF, 0xFF}})},
         {{kRed, kGreen}, {qRgb(0, 0, 25), kWhite}}},
        {"TwentyFourBit",
         {3,
          2,
          24,
          0,
          false,
          0,
          {},
          StoreRows({{0, 0, 255, 0, 255, 0, 255, 0, 0}, {1, 2, 3, 4, 5, 6, 7, 8, 9}})},
         {{kRed, kGreen, kBlue}, {qRgb(3, 2, 1), qRgb(6, 5, 4), qRgb(9, 8, 7)}}},
        // A table after a 24-bit header is skipped, not painted with.
        {"TwentyFourBitWithTable",
         {1, 1, 24, 0, false, 2, {kWhite, kWhite}, StoreRows({{0x10, 0x20, 0x30}})},
         {{qRgb(0x30, 0x20, 0x10)}}},
        // The unused top byte must not turn into transparency.
        {"ThirtyTwoBit",
         {2, 1, 32, 0, false, 0, {}, StoreRows({{0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x7F}})},
         {{qRgb(0x30, 0x20, 0x10), qRgb(0x60, 0x50, 0x40)}}},
        // Values beyond colours-used are painted black.
        {"ColorsUsedSmallerThanTable",
         {3, 1, 8, 0, false, 2, {kRed, kGreen}, StoreRows({{1, 5, 255}})},
         {{kGreen, kBlack, kBlack}}},
        {"MonoWithOneColor",
         {2, 1, 1, 0, false, 1, {kWhite}, StoreRows({{0x40}})},
         {{kWhite, kBlack}}},
        {"FourBitBeyondColors",
         {2, 1, 4, 0, false, 2, {kRed, kBlue}, StoreRows({{0x1F}})},
         {{kBlue, kBlack}}},
    };
}

class DibFormTest : public testing::TestWithParam<FormCase> {};

TEST_P(DibFormTest, PaintsExpectedColours) {
    int lines = 0;
    EXPECT_EQ(PaintWhole(GetParam().recipe, &lines), GetParam().expected);
    EXPECT_EQ(lines, GetParam().recipe.height);
}

INSTANTIATE_TEST_SUITE_P(Forms, DibFormTest, testing::ValuesIn(FormCases()),
                         [](const auto& info) { return std::string(info.param.name); });

DibRecipe Rle8(int width, int height, Bytes data) {
    return {width, height, 8, 1, false, 4, {kRed, kGreen, kBlue, kWhite}, std::move(data)};
}

DibRecipe Rle4(int width, int height, Bytes data) {
    return {width, height, 4, 2, false, 4, {kRed, kGreen, kBlue, kWhite}, std::move(data)};
}

struct RleCase {
    const char* name;
    DibRecipe recipe;
    Pixels expected;
};

std::vector<RleCase> RleCases() {
    return {
        // Bottom row: run of 2 reds, end of line; top row: run of 3 blues, end of bitmap.
        {"RunsAndEndOfLine",
         Rle8(3, 2, {2, 0, 0, 0, 3, 2, 0, 1}),
         {{kBlue, kBlue, kBlue}, {kRed, kRed, kClear}}},
        // End of bitmap leaves every later pixel unpainted.
        {"EndOfBitmapEarly", Rle8(2, 2, {1, 3, 0, 1, 2, 3}), {{kClear, kClear}, {kWhite, kClear}}},
        // Delta: one right and one up, then a single green.
        {"Delta",
         Rle8(3, 2, {0, 2, 1, 1, 1, 1, 0, 1}),
         {{kClear, kGreen, kClear}, {kClear, kClear, kClear}}},
        // Absolute run of 3 values, padded to 16 bits, followed by a run of 1.
        {"AbsoluteOddLength",
         Rle8(4, 1, {0, 3, 2, 1, 0, 0xEE, 1, 3, 0, 1}),
         {{kBlue, kGreen, kRed, kWhite}}},
        // A run longer than the row is cut at the row's end.
        {"RunPastRowEnd",
         Rle8(2, 2, {5, 1, 0, 0, 1, 2, 0, 1}),
         {{kBlue, kClear}, {kGreen, kGreen}}},
        // RLE4 runs alternate the high and the low nibble.
        {"Rle4Alternation", Rle4(5, 1, {5, 0x12, 0, 1}), {{kGreen, kBlue, kGreen, kBlue, kGreen}}},
        // RLE4 absolute run of 3 nibbles occupies 2 bytes, already even: no pad.
        {"Rle4AbsoluteOdd",
         Rle4(4, 1, {0, 3, 0x32, 0x10, 1, 0x00, 0, 1}),
         {{kWhite, kBlue, kGreen, kRed}}},
        // 5 nibbles take 3 bytes, padded to 4.
        {"Rle4AbsolutePadded",
         Rle4(6, 1, {0, 5, 0x01, 0x23, 0x10, 0xEE, 1, 0x30, 0, 1}),
         {{kRed, kGreen, kBlue, kWhite, kGreen, kWhite}}},
        {"Rle4DeltaAndEndOfLine",
         Rle4(3, 2, {0, 2, 2, 0, 1, 0x30, 0, 0, 2, 0x21, 0, 1}),
         {{kBlue, kGreen, kClear}, {kClear, kClear, kWhite}}},
    };
}

class DibRleTest : public testing::TestWithParam<RleCase> {};

TEST_P(DibRleTest, DecodesEscapes) {
    EXPECT_EQ(PaintWhole(GetParam().recipe), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rle, DibRleTest, testing::ValuesIn(RleCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A 4 x 3 picture whose rows are red, green, blue from the top.
Bytes StripedPicture(int bitCount) {
    if (bitCount == 8)
        return BuildDib({4,
                         3,
                         8,
                         0,
                         false,
                         3,
                         {kRed, kGreen, kBlue},
                         StoreRows({{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}})});
    if (bitCount == 4)
        return BuildDib({4,
                         3,
                         4,
                         0,
                         false,
                         3,
                         {kRed, kGreen, kBlue},
                         StoreRows({{0x00, 0x00}, {0x11, 0x11}, {0x22, 0x22}})});
    return BuildDib(
        {4, 3, 8, 1, false, 3, {kRed, kGreen, kBlue}, {4, 2, 0, 0, 4, 1, 0, 0, 4, 0, 0, 1}});
}

class DibSourceRectTest : public testing::TestWithParam<int> {};

TEST_P(DibSourceRectTest, SourceTopIsMeasuredFromTopRow) {
    int lines = 0;
    const Bytes block = StripedPicture(GetParam());
    EXPECT_EQ(Read(RenderDib(block, QRect(0, 0, 2, 1), QSize(2, 1), &lines)),
              Pixels({{kRed, kRed}}));
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(Read(RenderDib(block, QRect(1, 1, 2, 2), QSize(2, 2), &lines)),
              Pixels({{kGreen, kGreen}, {kBlue, kBlue}}));
    EXPECT_EQ(lines, 2);
}

TEST_P(DibSourceRectTest, SourcePartlyOutsideThePicturePaintsTheInside) {
    int lines = 0;
    const QImage image =
        RenderDib(StripedPicture(GetParam()), QRect(-1, 2, 2, 2), QSize(2, 2), &lines);
    EXPECT_EQ(Read(image), Pixels({{kClear, kBlue}, {kClear, kClear}}));
    EXPECT_EQ(lines, 1);
}

TEST_P(DibSourceRectTest, ScalesWithoutSmoothing) {
    int lines = 0;
    const QImage image =
        RenderDib(StripedPicture(GetParam()), QRect(0, 1, 4, 2), QSize(8, 4), &lines);
    const std::vector<QRgb> green(8, kGreen), blue(8, kBlue);
    EXPECT_EQ(Read(image), Pixels({green, green, blue, blue}));
    EXPECT_EQ(lines, 2);
    // Shrinking picks whole source pixels: no blend of red and green appears.
    const QImage half =
        RenderDib(StripedPicture(GetParam()), QRect(0, 0, 4, 2), QSize(2, 1), &lines);
    EXPECT_TRUE(half.pixel(0, 0) == kRed || half.pixel(0, 0) == kGreen);
}

INSTANTIATE_TEST_SUITE_P(Forms, DibSourceRectTest, testing::Values(8, 4, 1), [](const auto& info) {
    return info.param == 8   ? std::string("Wrapped")
           : info.param == 4 ? std::string("Decoded")
                             : std::string("Rle8");
});

TEST(DibScalingTest, ScaledPixelsKeepTheirExactColours) {
    // A 2 x 2 checkerboard of 24-bit colours doubled in size.
    const Bytes block = BuildDib(
        {2, 2, 24, 0, false, 0, {}, StoreRows({{0, 0, 255, 255, 0, 0}, {255, 0, 0, 0, 0, 255}})});
    const QImage image = RenderDib(block, QRect(0, 0, 2, 2), QSize(4, 4), nullptr);
    EXPECT_EQ(Read(image), Pixels({{kRed, kRed, kBlue, kBlue},
                                   {kRed, kRed, kBlue, kBlue},
                                   {kBlue, kBlue, kRed, kRed},
                                   {kBlue, kBlue, kRed, kRed}}));
}

// Only the rows a device can show are decoded. What a small device, a
// moved or scaled painter or a clip shows is still exactly the part of the
// whole picture that falls there.
struct ReachCase {
    const char* name;
    QPoint offset; // where the painter's origin is moved
    double scale;  // the painter's scale
    QRect clip;    // empty: no clip
    QRect target;  // where the picture is drawn, in painter units
};

class DibReachTest : public testing::TestWithParam<ReachCase> {};

TEST_P(DibReachTest, ShowsWhatTheWholePictureShowsThere) {
    const ReachCase& c = GetParam();
    // 30 x 300, RLE8: each row a run of its own colour.
    Bytes bits;
    for (int stored = 0; stored < 300; ++stored)
        bits.insert(bits.end(), {30, std::uint8_t(stored % 200), 0, 0});
    bits.insert(bits.end(), {0, 1});
    std::vector<QRgb> colors;
    for (int i = 0; i < 256; ++i)
        colors.push_back(qRgb(i, 255 - i, (i * 7) % 256));
    const Bytes block = BuildDib({30, 300, 8, 1, false, 0, colors, bits});
    const QRect whole(0, 0, 30, 300);
    const auto setUp = [&c](QPainter& painter) {
        painter.translate(c.offset);
        painter.scale(c.scale, c.scale);
        if (!c.clip.isEmpty())
            painter.setClipRect(c.clip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    };
    QImage small(40, 40, QImage::Format_ARGB32);
    small.fill(Qt::transparent);
    {
        QPainter painter(&small);
        setUp(painter);
        EXPECT_EQ(DrawDib(painter, c.target, block.data(), block.size(), whole), 300);
    }
    // The whole picture decoded, then placed the same way.
    const QImage picture = RenderDib(block, whole, whole.size(), nullptr);
    QImage expected(40, 40, QImage::Format_ARGB32);
    expected.fill(Qt::transparent);
    {
        QPainter painter(&expected);
        setUp(painter);
        painter.drawImage(QRectF(c.target), picture);
    }
    EXPECT_EQ(Read(small), Read(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Reach, DibReachTest,
    testing::Values(ReachCase{"OneToOne", {0, 0}, 1, {}, QRect(0, 0, 30, 300)},
                    ReachCase{"MovedUp", {0, -131}, 1, {}, QRect(0, 0, 30, 300)},
                    ReachCase{"TargetAbove", {0, 0}, 1, {}, QRect(3, -257, 30, 300)},
                    ReachCase{"Scaled", {0, -77}, 1, {}, QRect(0, 0, 30, 1200)},
                    ReachCase{"PainterScaled", {0, -90}, 2.5, {}, QRect(0, 0, 15, 150)},
                    ReachCase{"Clipped", {0, -60}, 1, QRect(0, 70, 30, 10), QRect(0, 0, 30, 300)},
                    ReachCase{"AllBelow", {0, 0}, 1, {}, QRect(0, 50, 30, 300)},
                    ReachCase{"Outside", {0, 0}, 1, {}, QRect(0, 500, 30, 300)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
