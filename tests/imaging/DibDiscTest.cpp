#include "BitmapBuilder.h"
#include "DibFile.h"
#include "Drives.h"
#include "File.h"
#include "IsoMaker.h"
#include "TempEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Cartoons come from the CD through the drive table; a disc image that ends
// inside a picture fails the bitmap read after its block was allocated.
class DibDiscTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!isomaker::Available())
            GTEST_SKIP() << "genisoimage is not installed";
        Bytes dib = SolidTrueColor(100, 40, qRgb(10, 20, 30));
        dib.insert(dib.begin(), {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0});
        m_file = QByteArray(reinterpret_cast<const char*>(dib.data()), qsizetype(dib.size()));
        const QString src = m_env.Scratch() + "/src";
        isomaker::WriteFiles(src, {{"quelby/images/t1/1t005hi1.bmp", m_file}});
        m_image = m_env.Scratch() + "/cd.iso";
        ASSERT_TRUE(isomaker::MakeIso(src, m_image, "QUELBY_CDH"));
    }

    // Cuts the image one block after the start of the picture's data.
    void CutImageInsidePicture() {
        QFile image(m_image);
        ASSERT_TRUE(image.open(QIODevice::ReadWrite));
        const qsizetype start = image.readAll().indexOf(m_file.left(64));
        ASSERT_GT(start, 0);
        ASSERT_TRUE(image.resize(start + 2048));
    }
    void UseImageAsDriveE() {
        DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeIsoVolume(m_image)}}));
    }

    TempEnvironment m_env;
    QByteArray m_file;
    QString m_image;
};

TEST_F(DibDiscTest, ReadsCartoonFromTheDisc) {
    UseImageAsDriveE();
    CFile file;
    ASSERT_TRUE(file.Open("E:\\QUELBY\\IMAGES\\T1\\1T005HI1.BMP", CFile::modeRead));
    HDIB hDIB = ReadBitmapFile(file);
    ASSERT_TRUE(hDIB);
    const Bytes block = HandleBytes(hDIB);
    ASSERT_EQ(block.size(), std::size_t(m_file.size()));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(block.data()), m_file.size() - 14),
              m_file.mid(14));
}

// The file exception reaches the caller and the block is freed on the way
// (the leak checker would report it otherwise).
TEST_F(DibDiscTest, DiscErrorAfterAllocationReachesTheCaller) {
    CutImageInsidePicture();
    UseImageAsDriveE();
    CFile file;
    ASSERT_TRUE(file.Open("E:\\quelby\\images\\t1\\1t005hi1.bmp", CFile::modeRead));
    EXPECT_THROW(ReadBitmapFile(file), CFileException);
}

} // namespace
