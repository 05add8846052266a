#include "DibFile.h"

#include "BitmapBuilder.h"
#include "File.h"
#include "TempEnvironment.h"

#include <gtest/gtest.h>

namespace {

Bytes FileHeader(std::uint32_t size = 0, std::uint32_t offset = 0, const char* type = "BM") {
    Bytes header(14, 0);
    header[0] = std::uint8_t(type[0]);
    header[1] = std::uint8_t(type[1]);
    PutU32(header, 2, size);
    PutU32(header, 10, offset);
    return header;
}

Bytes Truncated(Bytes bytes, std::size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class DibFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_env.Scratch() + "/" + name; }

    HDIB ReadFrom(const QString& path) {
        CFile file;
        EXPECT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyWrite));
        return ReadBitmapFile(file);
    }
    HDIB ReadBytes(const Bytes& contents) {
        WriteHostFile(Path("in.bmp"), contents);
        return ReadFrom(Path("in.bmp"));
    }
    // Writes into a fresh file; returns the writer's result.
    bool WriteTo(HDIB& hDIB, const QString& path) {
        CFile file;
        EXPECT_TRUE(
            file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
        const bool written = WriteBitmapFile(hDIB, file);
        file.Close();
        return written;
    }

    TempEnvironment m_env;
};

struct RefusedCase {
    const char* name;
    Bytes contents;
};

class ReadRefused : public DibFileTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(ReadRefused, GivesNone) {
    EXPECT_FALSE(ReadBytes(GetParam().contents));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadRefused,
    ::testing::Values(RefusedCase{"Empty", {}}, RefusedCase{"OneByte", {'B'}},
                      RefusedCase{"ThirteenBytes", Truncated(FileHeader(), 1)},
                      RefusedCase{"TypeMB", Concat(FileHeader(0, 0, "MB"),
                                                   SolidTrueColor(2, 2, qRgb(9, 9, 9)))},
                      RefusedCase{"TypeLowerCase", Concat(FileHeader(0, 0, "bm"), Bytes(40))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DibFileTest, HeaderOnlyFileGivesFourteenZeroBytes) {
    // Whatever the file header's other fields say.
    HDIB hDIB = ReadBytes(FileHeader(0x12345678, 0x9ABCDEF0));
    ASSERT_TRUE(hDIB);
    EXPECT_EQ(HandleBytes(hDIB), Bytes(14, 0));
}

TEST_F(DibFileTest, BlockIsAsLongAsTheFileWithZeroSlack) {
    const Bytes dib = TwoBand8Bit(35, 3, 1, qRgb(1, 2, 3), qRgb(4, 5, 6));
    // The stored size and offset are wrong on purpose: the reader ignores them.
    HDIB hDIB = ReadBytes(Concat(FileHeader(1, 2), dib));
    ASSERT_TRUE(hDIB);
    EXPECT_EQ(hDIB.LockCount(), 0);
    const Bytes block = HandleBytes(hDIB);
    ASSERT_EQ(block.size(), dib.size() + 14);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + dib.size()), dib);
    EXPECT_EQ(Bytes(block.begin() + dib.size(), block.end()), Bytes(14, 0));
}

TEST_F(DibFileTest, TruncatedBitmapIsReadAsItStands) {
    // The header claims far more pixels than the file holds; the reader does
    // not look, and the block is only as long as the file.
    Bytes dib = SolidTrueColor(4, 4, qRgb(1, 2, 3));
    PutU32(dib, 4, 5000);
    HDIB hDIB = ReadBytes(Concat(FileHeader(), dib));
    ASSERT_TRUE(hDIB);
    EXPECT_EQ(hDIB.Size(), dib.size() + 14);
}

TEST_F(DibFileTest, NoMemoryGivesNone) {
    const Bytes contents = Concat(FileHeader(), SolidTrueColor(8, 8, qRgb(1, 2, 3)));
    GlobalBlock::SetAllocationLimit(contents.size() - 1);
    HDIB hDIB = ReadBytes(contents);
    EXPECT_FALSE(hDIB);
}

TEST_F(DibFileTest, ReadErrorReachesTheCaller) {
    WriteHostFile(Path("in.bmp"), Concat(FileHeader(), SolidTrueColor(2, 2, qRgb(1, 2, 3))));
    CFile file;
    ASSERT_TRUE(file.Open(Path("in.bmp"), CFile::modeWrite | CFile::modeNoTruncate));
    EXPECT_THROW(ReadBitmapFile(file), CFileException);
}

TEST_F(DibFileTest, WritesTrueColorBitmapWithComputedSizes) {
    Bytes dib = SolidTrueColor(512, 171, qRgb(200, 100, 50));
    HDIB hDIB = ToHandle(dib, 14);
    ASSERT_TRUE(WriteTo(hDIB, Path("out.bmp")));
    EXPECT_EQ(hDIB.LockCount(), 0);
    const Bytes file = ReadHostFile(Path("out.bmp"));
    ASSERT_EQ(file.size(), 262710u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(GetU32(file, 2), 262710u);
    EXPECT_EQ(GetU32(file, 6), 0u); // both reserved fields
    EXPECT_EQ(GetU32(file, 10), 54u);
    EXPECT_EQ(GetU32(file, 14 + 20), 262656u);
    // The held block was corrected, and the zero slack was not written.
    EXPECT_EQ(GetU32(HandleBytes(hDIB), 20), 262656u);
    PutU32(dib, 20, 262656);
    EXPECT_EQ(Bytes(file.begin() + 14, file.end()), dib);
}

TEST_F(DibFileTest, PadsEightBitRowsAndCorrectsImageSize) {
    Bytes dib = TwoBand8Bit(35, 3, 1, qRgb(1, 2, 3), qRgb(4, 5, 6));
    PutU32(dib, 20, 999); // wrong image size, as a file might hold
    HDIB hDIB = ToHandle(dib);
    ASSERT_TRUE(WriteTo(hDIB, Path("out.bmp")));
    const Bytes file = ReadHostFile(Path("out.bmp"));
    EXPECT_EQ(file.size(), 14u + 40 + 1024 + 36 * 3);
    EXPECT_EQ(GetU32(file, 10), 14u + 40 + 1024);
    EXPECT_EQ(GetU32(file, 14 + 20), 108u);
    EXPECT_EQ(GetU32(HandleBytes(hDIB), 20), 108u);
}

// A table of more than 16383 colours is written whole, with the bits'
// offset after it, so the file reads back as the bitmap that was held.
TEST_F(DibFileTest, WritesTheWholeOfA65535ColourTable) {
    const Bytes dib = WithTableAndBits(InfoHeader({1, 1, 8, 0, 4, 65535}),
                                       std::vector<QRgb>(65535, qRgb(9, 8, 7)), 4, 0x2A);
    HDIB hDIB = ToHandle(dib);
    ASSERT_TRUE(WriteTo(hDIB, Path("wide.bmp")));
    const Bytes file = ReadHostFile(Path("wide.bmp"));
    EXPECT_EQ(file.size(), 14u + 40 + 65535 * 4 + 4);
    EXPECT_EQ(GetU32(file, 2), file.size());
    EXPECT_EQ(GetU32(file, 10), 14u + 40 + 65535 * 4);
    EXPECT_EQ(Bytes(file.begin() + 14, file.end()), dib);
}

TEST_F(DibFileTest, RleKeepsItsImageSize) {
    for (std::uint32_t compression : {1u, 2u}) {
        // Ten bytes of data, although the picture would need far more.
        Bytes dib = WithTableAndBits(InfoHeader({64, 64, 8, compression, 10, 2}),
                                     {qRgb(0, 0, 0), qRgb(255, 255, 255)}, 10, 0);
        HDIB hDIB = ToHandle(dib, 14);
        ASSERT_TRUE(WriteTo(hDIB, Path("rle.bmp")));
        const Bytes file = ReadHostFile(Path("rle.bmp"));
        EXPECT_EQ(file.size(), 14u + 40 + 8 + 10);
        EXPECT_EQ(GetU32(file, 2), file.size());
        EXPECT_EQ(GetU32(file, 14 + 20), 10u);
        EXPECT_EQ(HandleBytes(hDIB), Concat(dib, Bytes(14, 0)));
    }
}

struct WriteRefusedCase {
    const char* name;
    Bytes dib;
};

class WriteRefused : public DibFileTest, public ::testing::WithParamInterface<WriteRefusedCase> {};

// Nothing is written and the held block stays as it was.
TEST_P(WriteRefused, LeavesFileEmpty) {
    HDIB hDIB = ToHandle(GetParam().dib);
    EXPECT_FALSE(WriteTo(hDIB, Path("refused.bmp")));
    EXPECT_EQ(hDIB.LockCount(), 0);
    EXPECT_EQ(HandleBytes(hDIB), GetParam().dib);
    EXPECT_TRUE(ReadHostFile(Path("refused.bmp")).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bitmaps, WriteRefused,
    ::testing::Values(
        WriteRefusedCase{"CoreHeader", WithTableAndBits(CoreHeader(2, 2, 24), {}, 16)},
        WriteRefusedCase{"Size108", WithTableAndBits(CoreHeader(2, 2, 24, 108), {}, 16)},
        WriteRefusedCase{"PixelsPastTheBlock", Truncated(SolidTrueColor(16, 16, qRgb(1, 1, 1)), 1)},
        WriteRefusedCase{"ColorTablePastTheBlock",
                         WithTableAndBits(InfoHeader({1, 1, 8, 0, 0, 0}), {}, 100)},
        WriteRefusedCase{"RleSizePastTheBlock",
                         WithTableAndBits(InfoHeader({8, 8, 8, 1, 1000, 2}), {0, 0}, 10)},
        WriteRefusedCase{"NegativeHeight", SolidTrueColor(4, -4, qRgb(1, 1, 1))},
        WriteRefusedCase{"ShortInfoHeader", Truncated(InfoHeader({1, 1, 24, 0, 0, 0}), 4)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DibFileTest, WriteRefusesNone) {
    HDIB none;
    EXPECT_FALSE(WriteTo(none, Path("none.bmp")));
    EXPECT_TRUE(ReadHostFile(Path("none.bmp")).empty());
}

TEST_F(DibFileTest, WriteErrorUnlocksAndReachesTheCaller) {
    HDIB hDIB = ToHandle(SolidTrueColor(4, 4, qRgb(1, 2, 3)));
    WriteHostFile(Path("readonly.bmp"), {});
    CFile file;
    ASSERT_TRUE(file.Open(Path("readonly.bmp"), CFile::modeRead));
    EXPECT_THROW(WriteBitmapFile(hDIB, file), CFileException);
    EXPECT_EQ(hDIB.LockCount(), 0);
}

TEST_F(DibFileTest, WriteThenReadRoundTrip) {
    const Bytes original = TwoBand8Bit(35, 5, 2, qRgb(10, 20, 30), qRgb(40, 50, 60));
    HDIB hRead = ReadBytes(Concat(FileHeader(), original));
    ASSERT_TRUE(hRead);
    ASSERT_TRUE(WriteTo(hRead, Path("round.bmp")));
    const std::size_t bitmapSize = 40 + 1024 + 36 * 5;
    HDIB hBack = ReadFrom(Path("round.bmp"));
    ASSERT_TRUE(hBack);
    const Bytes back = HandleBytes(hBack);
    const Bytes written = HandleBytes(hRead);
    ASSERT_EQ(back.size(), bitmapSize + 14);
    EXPECT_EQ(Bytes(back.begin(), back.begin() + bitmapSize),
              Bytes(written.begin(), written.begin() + bitmapSize));
}

} // namespace
