#include "BmpWriter.h"

#include "BitmapBuilder.h"
#include "CartoonArt.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

struct FormatCase {
    const char* name;
    BmpFormat format;
    bool explicitCount;
    int bitCount;
    int headerSize;
};

constexpr FormatCase kFormats[] = {
    {"Indexed8", BmpFormat::indexed8, false, 8, 40},
    {"Indexed8Counted", BmpFormat::indexed8, true, 8, 40},
    {"Rle8", BmpFormat::rle8, false, 8, 40},
    {"Rle8Counted", BmpFormat::rle8, true, 8, 40},
    {"Indexed4", BmpFormat::indexed4, false, 4, 40},
    {"Indexed4Counted", BmpFormat::indexed4, true, 4, 40},
    {"Rgb24", BmpFormat::rgb24, false, 24, 40},
    {"Core8", BmpFormat::core8, false, 8, 12},
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

// The forms whose rows are stored as they are.
constexpr FormatCase kUncompressed[] = {kFormats[0], kFormats[1], kFormats[4],
                                        kFormats[5], kFormats[6], kFormats[7]};

QList<QRgb> PaletteFor(const FormatCase& c) {
    if (c.format == BmpFormat::indexed4)
        return c.explicitCount ? InkPalette().mid(0, 11) : InkPalette();
    return c.explicitCount ? CubePalette().mid(0, 100) : CubePalette();
}

QImage SourceFor(const FormatCase& c, int width, int height) {
    const QImage indexed = ScrambledIndexed(width, height, PaletteFor(c), std::uint32_t(width));
    return c.format == BmpFormat::rgb24 ? indexed.convertToFormat(QImage::Format_RGB32) : indexed;
}

using Case = std::tuple<FormatCase, int>;

class BmpFormats : public testing::TestWithParam<Case> {
protected:
    const FormatCase& Format() const { return std::get<0>(GetParam()); }
    int Width() const { return std::get<1>(GetParam()); }
};

TEST_P(BmpFormats, QImageLoadsTheSamePixels) {
    const QImage source = SourceFor(Format(), Width(), 5);
    const QByteArray file = EncodeBmp(source, {Format().format, Format().explicitCount});
    ASSERT_FALSE(file.isEmpty());
    const QImage loaded = QImage::fromData(file, "BMP");
    ASSERT_EQ(loaded.size(), source.size());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            ASSERT_EQ(loaded.pixel(x, y), source.pixel(x, y)) << x << "," << y;
    }
}

TEST_P(BmpFormats, HeaderFields) {
    const QImage source = SourceFor(Format(), Width(), 3);
    const QByteArray file = EncodeBmp(source, {Format().format, Format().explicitCount});
    ASSERT_GE(file.size(), 26);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(U32At(file, 2), std::uint32_t(file.size()));
    EXPECT_EQ(U32At(file, 6), 0u); // reserved
    const std::uint32_t header = U32At(file, 14);
    EXPECT_EQ(header, std::uint32_t(Format().headerSize));
    const bool core = header == 12;
    const int tableEntries = Format().bitCount == 24  ? 0
                             : Format().explicitCount ? int(PaletteFor(Format()).size())
                                                      : 1 << Format().bitCount;
    const std::uint32_t offBits = 14 + header + tableEntries * (core ? 3 : 4);
    EXPECT_EQ(U32At(file, 10), offBits);
    EXPECT_EQ(core ? U16At(file, 18) : U32At(file, 18), std::uint32_t(Width()));
    EXPECT_EQ(core ? U16At(file, 20) : U32At(file, 22), 3u);
    EXPECT_EQ(U16At(file, core ? 22 : 26), 1u); // planes
    EXPECT_EQ(U16At(file, core ? 24 : 28), Format().bitCount);
    if (core)
        return;
    const bool rle = Format().format == BmpFormat::rle8;
    EXPECT_EQ(U32At(file, 30), rle ? 1u : 0u);
    const qsizetype rowSize = BmpRowSize(Width(), Format().bitCount);
    EXPECT_EQ(U32At(file, 34), rle ? file.size() - offBits : std::uint32_t(rowSize * 3));
    EXPECT_EQ(U32At(file, 46), Format().explicitCount ? std::uint32_t(tableEntries) : 0u);
}

class BmpRows : public BmpFormats {};

TEST_P(BmpRows, ArePaddedWithZerosAndStoredBottomUp) {
    const QImage source = SourceFor(Format(), Width(), 4);
    const QByteArray file = EncodeBmp(source, {Format().format, Format().explicitCount});
    const qsizetype rowSize = BmpRowSize(Width(), Format().bitCount);
    ASSERT_EQ(rowSize % 4, 0);
    const qsizetype used = (qsizetype(Width()) * Format().bitCount + 7) / 8;
    const std::uint32_t offBits = U32At(file, 10);
    ASSERT_EQ(file.size(), offBits + rowSize * 4);
    for (int row = 0; row < 4; ++row) {
        const QByteArray bits = file.mid(offBits + row * rowSize, rowSize);
        EXPECT_EQ(bits.mid(used), QByteArray(rowSize - used, '\0')) << row;
        // The first stored row is the image's bottom row.
        const int y = 3 - row;
        if (Format().bitCount == 8) {
            EXPECT_EQ(uchar(bits[0]), source.constScanLine(y)[0]);
        } else if (Format().bitCount == 24) {
            EXPECT_EQ(uchar(bits[0]), qBlue(source.pixel(0, y)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpFormats,
                         testing::Combine(testing::ValuesIn(kFormats),
                                          testing::Values(1, 2, 3, 4, 5, 7, 17, 32)),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

INSTANTIATE_TEST_SUITE_P(Formats, BmpRows,
                         testing::Combine(testing::ValuesIn(kUncompressed),
                                          testing::Values(1, 2, 3, 4, 5, 7, 17, 32)),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(BmpWriter, RefusesImagesThatDoNotSuitTheForm) {
    const QImage rgb(4, 4, QImage::Format_RGB32);
    EXPECT_TRUE(EncodeBmp(rgb, {BmpFormat::indexed8, false}).isEmpty());
    EXPECT_TRUE(EncodeBmp(rgb, {BmpFormat::rle8, false}).isEmpty());
    EXPECT_TRUE(EncodeBmp(QImage(), {BmpFormat::rgb24, false}).isEmpty());
    QImage seventeen(4, 4, QImage::Format_Indexed8);
    seventeen.setColorTable(CubePalette().mid(0, 17));
    seventeen.fill(0);
    EXPECT_TRUE(EncodeBmp(seventeen, {BmpFormat::indexed4, false}).isEmpty());
    EXPECT_FALSE(EncodeBmp(seventeen, {BmpFormat::indexed8, false}).isEmpty());
    const QImage tooWide(70000, 1, QImage::Format_Indexed8);
    EXPECT_TRUE(EncodeBmp(tooWide, {BmpFormat::core8, false}).isEmpty());
}

TEST(BmpWriter, CubePaletteHas256DistinctColours) {
    const QList<QRgb> palette = CubePalette();
    ASSERT_EQ(palette.size(), 256);
    EXPECT_EQ(std::set<QRgb>(palette.begin(), palette.end()).size(), 256u);
    EXPECT_EQ(palette.front(), qRgb(0, 0, 0));
    EXPECT_EQ(palette[215], qRgb(255, 255, 255));
}

TEST(BmpWriter, MapToPaletteKeepsPaletteColoursAndPicksTheNearest) {
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 51, 102));    // in the cube
    image.setPixel(1, 0, qRgb(250, 2, 3));     // near red
    image.setPixel(2, 0, qRgb(130, 130, 130)); // a grey between the cube's
    image.setPixel(3, 0, qRgb(0, 51, 102));
    const QImage mapped = MapToPalette(image, CubePalette());
    ASSERT_EQ(mapped.format(), QImage::Format_Indexed8);
    EXPECT_EQ(mapped.pixel(0, 0), qRgb(0, 51, 102));
    EXPECT_EQ(mapped.pixel(1, 0), qRgb(255, 0, 0));
    const QRgb grey = mapped.pixel(2, 0);
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey));
    EXPECT_LE(std::abs(qRed(grey) - 130), 4);
    EXPECT_EQ(mapped.constScanLine(0)[3], mapped.constScanLine(0)[0]);
}

} // namespace
