#include "BitmapBuilder.h"
#include "BmpWriter.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

// A strict RLE8 reader: every row filled exactly, absolute runs padded to a
// 16-bit boundary with a zero, end of line only after a full row, end of
// bitmap after the last row and nothing after it. Returns the indices top row
// first, or nothing for a stream that breaks any of these.
std::optional<std::vector<uchar>> DecodeRle8(const QByteArray& data, int width, int height) {
    std::vector<uchar> pixels(static_cast<std::size_t>(width) * height);
    auto at = [&](qsizetype i) { return static_cast<uchar>(data[i]); };
    int x = 0;
    int row = 0; // counted from the bottom
    qsizetype i = 0;
    while (i + 2 <= data.size()) {
        const int count = at(i);
        const int value = at(i + 1);
        i += 2;
        uchar* line = pixels.data() + static_cast<std::size_t>(height - 1 - row) * width;
        if (count > 0) {
            if (x + count > width)
                return std::nullopt;
            std::fill(line + x, line + x + count, static_cast<uchar>(value));
            x += count;
        } else if (value == 0) { // end of line
            if (x != width || ++row >= height)
                return std::nullopt;
            x = 0;
        } else if (value == 1) { // end of bitmap
            if (x != width || row != height - 1 || i != data.size())
                return std::nullopt;
            return pixels;
        } else if (value == 2) { // delta: never written
            return std::nullopt;
        } else {
            if (x + value > width || i + value + (value % 2) > data.size())
                return std::nullopt;
            for (int k = 0; k < value; ++k)
                line[x++] = at(i++);
            if (value % 2 && at(i++) != 0)
                return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<uchar> Indices(const QImage& image) {
    std::vector<uchar> pixels;
    for (int y = 0; y < image.height(); ++y)
        pixels.insert(pixels.end(), image.constScanLine(y), image.constScanLine(y) + image.width());
    return pixels;
}

QImage Rows(const std::vector<std::vector<uchar>>& rows) {
    QImage image(int(rows.front().size()), int(rows.size()), QImage::Format_Indexed8);
    image.setColorTable(CubePalette());
    for (int y = 0; y < image.height(); ++y)
        std::copy(rows[y].begin(), rows[y].end(), image.scanLine(y));
    return image;
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

TEST(Rle8, HandEncodedStreams) {
    EXPECT_EQ(EncodeRle8(Rows({{5, 5, 5, 5}})), Bytes({4, 5, 0, 1}));
    // Three different pixels make an absolute run, padded to an even length.
    EXPECT_EQ(EncodeRle8(Rows({{1, 2, 3}})), Bytes({0, 3, 1, 2, 3, 0, 0, 1}));
    EXPECT_EQ(EncodeRle8(Rows({{1, 2, 3, 4}})), Bytes({0, 4, 1, 2, 3, 4, 0, 1}));
    // Fewer than three cannot be absolute: counts 0, 1 and 2 are escapes.
    EXPECT_EQ(EncodeRle8(Rows({{1, 2}})), Bytes({1, 1, 1, 2, 0, 1}));
    EXPECT_EQ(EncodeRle8(Rows({{9}})), Bytes({1, 9, 0, 1}));
    // Bottom row first, end of line between rows.
    EXPECT_EQ(EncodeRle8(Rows({{7, 7}, {8, 8}})), Bytes({2, 8, 0, 0, 2, 7, 0, 1}));
}

TEST(Rle8, LongRunsSplitAt255) {
    const QImage image = Rows({std::vector<uchar>(600, 42)});
    EXPECT_EQ(EncodeRle8(image), Bytes({255, 42, 255, 42, 90, 42, 0, 1}));
}

TEST(Rle8, LongAbsoluteRunsSplitAt255) {
    std::vector<uchar> row(700);
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<uchar>(i % 2 ? 200 : (i / 2) % 100);
    const QImage image = Rows({row});
    const QByteArray stream = EncodeRle8(image);
    EXPECT_EQ(stream.left(2), Bytes({0, 255}));
    EXPECT_EQ(DecodeRle8(stream, image.width(), 1), Indices(image));
}

struct Pattern {
    const char* name;
    int width;
    int height;
    std::function<uchar(int x, int y)> pixel;
};

class Rle8RoundTrip : public testing::TestWithParam<Pattern> {};

QImage Draw(const Pattern& pattern) {
    QImage image(pattern.width, pattern.height, QImage::Format_Indexed8);
    image.setColorTable(CubePalette());
    for (int y = 0; y < pattern.height; ++y) {
        for (int x = 0; x < pattern.width; ++x)
            image.scanLine(y)[x] = pattern.pixel(x, y);
    }
    return image;
}

TEST_P(Rle8RoundTrip, OwnDecoderGivesTheSourceBack) {
    const QImage image = Draw(GetParam());
    const auto decoded = DecodeRle8(EncodeRle8(image), image.width(), image.height());
    ASSERT_TRUE(decoded) << "malformed stream";
    EXPECT_EQ(*decoded, Indices(image));
}

TEST_P(Rle8RoundTrip, QImageReadsTheFileAsTheSource) {
    const QImage image = Draw(GetParam());
    const QByteArray file = EncodeBmp(image, {BmpFormat::rle8, false});
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(U32At(file, 30), 1u); // compression RLE8
    EXPECT_EQ(U32At(file, 34), file.size() - U32At(file, 10));
    const QImage loaded = QImage::fromData(file, "BMP");
    ASSERT_EQ(loaded.size(), image.size());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(loaded.pixel(x, y), image.pixel(x, y)) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, Rle8RoundTrip,
    testing::Values(
        Pattern{"OnePixel", 1, 1, [](int, int) { return uchar(3); }},
        Pattern{"OneColumn", 1, 7, [](int, int y) { return uchar(y); }},
        Pattern{"Flat", 64, 5, [](int, int) { return uchar(200); }},
        Pattern{"Alternating", 33, 4, [](int x, int y) { return uchar((x + y) % 2 ? 10 : 20); }},
        Pattern{"Pairs", 31, 3, [](int x, int) { return uchar(x / 2); }},
        Pattern{"Triples", 29, 3, [](int x, int) { return uchar(x / 3); }},
        Pattern{"RunThenLiterals", 40, 2,
                [](int x, int y) { return uchar(x < 20 ? y : x * 7 % 256); }},
        Pattern{"LiteralsThenRun", 41, 2,
                [](int x, int y) { return uchar(x > 20 ? y : x * 7 % 256); }},
        Pattern{"LiteralsAroundShortRuns", 50, 3,
                [](int x, int) { return uchar(x % 5 < 2 ? 1 : x * 13 % 256); }},
        Pattern{"Wide", 777, 2, [](int x, int y) { return uchar(x < 300 ? y : x % 3); }},
        Pattern{"Scrambled", 97, 13,
                [](int x, int y) { return uchar((x * 2654435761u + y * 40503u) >> 24); }}),
    [](const testing::TestParamInfo<Pattern>& info) { return std::string(info.param.name); });

TEST(Rle8, ScrambledImagesWithStretchesRoundTrip) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const int width = 1 + int(seed * 37 % 300);
        const QImage image = ScrambledIndexed(width, 1 + int(seed % 5), CubePalette(), seed);
        const auto decoded = DecodeRle8(EncodeRle8(image), image.width(), image.height());
        ASSERT_TRUE(decoded) << seed;
        EXPECT_EQ(*decoded, Indices(image)) << seed;
    }
}

} // namespace
