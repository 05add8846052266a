#include "CMemFile.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
using Cause = CFileException::Cause;

// Caller-owned bytes in an exact-size heap block, so a read past them is caught.
TEST(CMemFile, ReadsLikeAFileUpToTheEnd) {
    const std::vector<std::uint8_t> bytes{'B', 'M', 1, 2, 3, 4, 5};
    CMemFile file(bytes.data(), bytes.size());
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetLength(), 7u);
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 2), 2u);
    EXPECT_EQ(file.Read(buffer, 8), 5u); // fewer than asked at the end
    EXPECT_EQ(buffer[4], 5);
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    EXPECT_EQ(file.GetPosition(), 7u);
}

TEST(CMemFile, SeeksFromEachOriginAndPastTheEnd) {
    CMemFile file(QByteArray("abcdef"));
    char c = 0;
    EXPECT_EQ(file.Seek(-2, CFile::end), 4u);
    EXPECT_EQ(file.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'e');
    EXPECT_EQ(file.Seek(-4, CFile::current), 1u);
    EXPECT_EQ(file.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'b');
    EXPECT_EQ(file.Seek(10, CFile::begin), 10u);
    EXPECT_EQ(file.Read(&c, 1), 0u);
    try {
        file.Seek(-1, CFile::begin);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, Cause::badSeek);
    }
}

TEST(CMemFile, OverBytesIsReadOnlyAndClosesAsAFile) {
    CMemFile file(QByteArray("abc"));
    try {
        file.Write("x", 1);
        ADD_FAILURE() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, Cause::accessDenied);
    }
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    char c;
    EXPECT_THROW(file.Read(&c, 1), CFileException);
    EXPECT_THROW(file.GetLength(), CFileException);
    file.Abort(); // nothing open: no error
}

TEST(CMemFile, MadeEmptyGrowsAsItIsWrittenWithZerosInAGap) {
    CMemFile file;
    file.Write("BM", 2);
    file.Seek(4, CFile::begin);
    file.Write("xy", 2);
    file.Seek(1, CFile::begin);
    file.Write("Z", 1);
    EXPECT_EQ(file.Bytes(), QByteArray("BZ\0\0xy", 6));
    EXPECT_EQ(file.GetLength(), 6u);
    char back[6] = {};
    file.Seek(0, CFile::begin);
    EXPECT_EQ(file.Read(back, 6), 6u);
    EXPECT_EQ(QByteArray(back, 6), file.Bytes());
}

} // namespace
