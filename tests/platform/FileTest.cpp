#include "File.h"

#include "Drives.h"
#include "IsoMaker.h"
#include "QtPrinters.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
using Cause = CFileException::Cause;

const QByteArray kCartoon = isomaker::Pattern(5000, 1); // spans three blocks, ends mid-block
const QByteArray kWhole = isomaker::Pattern(4096, 2);   // exactly two blocks
const QByteArray kBig = isomaker::Pattern(200000, 3);

QByteArray ReadAll(CFile& file, std::uint32_t chunk) {
    QByteArray all;
    QByteArray buffer(static_cast<int>(chunk), 0);
    while (const std::uint32_t got = file.Read(buffer.data(), chunk))
        all.append(buffer.constData(), got);
    return all;
}

// An ISO image and a folder copy of the same disc on drives E and F.
class DriveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!isomaker::Available())
            GTEST_SKIP() << "genisoimage is not installed";
        const QString src = env.Scratch() + "/src";
        isomaker::WriteFiles(src, {{"quelby/images/t1/1t005hi1.bmp", kCartoon},
                                   {"quelby/images/t1/1T006HI1.BMP", kWhole},
                                   {"quelby/images/col/big.bmp", kBig},
                                   {"README", "abc"}});
        image = env.Scratch() + "/cd.iso";
        ASSERT_TRUE(isomaker::MakeIso(src, image, "QUELBY_CDH"));
        folder = env.Scratch() + "/copy";
        isomaker::WriteFiles(folder, {{"Quelby/Images/T1/1t005hi1.bmp", kCartoon},
                                      {".windows-label", "QUELBY_CDH\r\nsecond line\n"}});
        DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeIsoVolume(image)},
                                           {'F', DriveType::cdrom, MakeFolderVolume(folder)},
                                           {'G', DriveType::cdrom, nullptr}}));
    }

    TempEnvironment env;
    QString image;
    QString folder;
};

class SpellingTest : public DriveFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SpellingTest, FindsTheCartoonRegardlessOfCaseAndVersion) {
    for (const char drive : {'E', 'F'}) {
        const QString path = QString(QLatin1Char(drive)) + QString::fromUtf8(GetParam());
        CFile file;
        CFileException error;
        ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error))
            << path.toStdString() << " cause " << static_cast<int>(error.m_cause);
        EXPECT_EQ(file.GetLength(), static_cast<std::uint64_t>(kCartoon.size()));
        EXPECT_EQ(ReadAll(file, 777), kCartoon);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, SpellingTest,
                         ::testing::Values(R"(:\quelby\images\t1\1T005HI1.BMP)",
                                           R"(:\QUELBY\IMAGES\T1\1t005hi1.bmp)",
                                           R"(:/quelby/images/t1/1T005HI1.BMP)",
                                           R"(:\quelby\images\t1\1T005HI1.BMP;1)",
                                           R"(:\\Quelby\.\images\..\images\T1\1t005HI1.Bmp)",
                                           R"(:quelby\images\t1\1T005HI1.BMP)"));

TEST_F(DriveFileTest, ReadsInAnyChunkSizeAndAfterSeeks) {
    for (const std::uint32_t chunk : {1u, 2047u, 2048u, 4096u, 65536u, 300000u}) {
        CFile file(R"(E:\quelby\images\col\big.bmp)", CFile::modeRead);
        EXPECT_EQ(ReadAll(file, chunk), kBig) << chunk;
    }
    CFile file(R"(e:\quelby\images\t1\1t006hi1.bmp)", CFile::modeRead);
    EXPECT_EQ(ReadAll(file, 4096), kWhole);
    file.Seek(2047, CFile::begin);
    char two[2];
    ASSERT_EQ(file.Read(two, 2), 2u);
    EXPECT_EQ(QByteArray(two, 2), kWhole.mid(2047, 2));
    file.Seek(-1, CFile::end);
    EXPECT_EQ(file.Read(two, 2), 1u);
    EXPECT_EQ(file.Read(two, 2), 0u);
}

TEST_F(DriveFileTest, FileWithoutExtensionOpens) {
    CFile file("E:\\readme", CFile::modeRead);
    EXPECT_EQ(ReadAll(file, 16), QByteArray("abc"));
}

struct OpenFailure {
    const char* path;
    unsigned flags;
    Cause cause;
};

class OpenFailureTest : public DriveFileTest, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(OpenFailureTest, ReportsTheCause) {
    const OpenFailure& c = GetParam();
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(QString::fromUtf8(c.path), c.flags, &error));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(error.m_cause, c.cause);
    EXPECT_EQ(error.m_strFileName, QString::fromUtf8(c.path));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenFailureTest,
    ::testing::Values(
        OpenFailure{R"(E:\quelby\images\t1\1T999HI1.BMP)", CFile::modeRead, Cause::fileNotFound},
        OpenFailure{R"(F:\quelby\images\t1\1T999HI1.BMP)", CFile::modeRead, Cause::fileNotFound},
        OpenFailure{R"(E:\quelby\images\t7\1T005HI1.BMP)", CFile::modeRead, Cause::badPath},
        OpenFailure{R"(F:\quelby\nothing\t1\1T005HI1.BMP)", CFile::modeRead, Cause::badPath},
        OpenFailure{R"(E:\quelby\images\t1\1T005HI1.BMP)", CFile::modeWrite, Cause::accessDenied},
        OpenFailure{R"(F:\quelby\images\t1\1T005HI1.BMP)", CFile::modeCreate | CFile::modeWrite,
                    Cause::accessDenied},
        OpenFailure{R"(E:\quelby\images)", CFile::modeRead, Cause::accessDenied},
        OpenFailure{R"(G:\quelby\images\t1\1T005HI1.BMP)", CFile::modeRead, Cause::generic},
        OpenFailure{R"(Q:\quelby\images\t1\1T005HI1.BMP)", CFile::modeRead, Cause::badPath}));

TEST_F(DriveFileTest, ReadPastATruncatedImageRaisesTheFileException) {
    QFile iso(image);
    ASSERT_TRUE(iso.open(QIODevice::ReadWrite));
    const qsizetype start = iso.readAll().indexOf(kBig.left(4096));
    ASSERT_GT(start, 0);
    ASSERT_TRUE(iso.resize(start + 100000)); // the directory still promises 200000 bytes
    iso.close();

    CFile file(R"(E:\QUELBY\IMAGES\COL\BIG.BMP)", CFile::modeRead);
    QByteArray buffer(200000, 0);
    EXPECT_EQ(file.Read(buffer.data(), 2048), 2048u);
    try {
        file.Read(buffer.data(), 200000);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_TRUE(e.m_cause == Cause::hardIO || e.m_cause == Cause::endOfFile);
        EXPECT_EQ(e.m_strFileName, QString(R"(E:\QUELBY\IMAGES\COL\BIG.BMP)"));
    }
}

TEST_F(DriveFileTest, ImageThatDisappearsIsADriveWithoutMedium) {
    ASSERT_EQ(DriveTable::Current().GetVolumeLabel("E:\\"), QString("QUELBY_CDH"));
    ASSERT_TRUE(QFile::remove(image));
    EXPECT_EQ(DriveTable::Current().GetVolumeLabel("E:\\"), std::nullopt);
    CFile file;
    EXPECT_FALSE(file.Open(R"(E:\quelby\images\t1\1T005HI1.BMP)", CFile::modeRead));
}

class HostFileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return env.Scratch() + "/" + name; }
    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void Put(const QString& path, const QByteArray& bytes) {
        CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        file.Write(bytes.constData(), static_cast<std::uint32_t>(bytes.size()));
        file.Close();
    }
    TempEnvironment env;
};

TEST_F(HostFileTest, CreateTruncatesUnlessNoTruncate) {
    const QString path = Path("picture.bmp");
    Put(path, "0123456789");
    {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        file.Write("ab", 2);
    }
    EXPECT_EQ(Contents(path), QByteArray("ab23456789"));
    Put(path, "xy");
    EXPECT_EQ(Contents(path), QByteArray("xy"));
}

TEST_F(HostFileTest, MissingFileAndFolderGiveTheirCauses) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Path("none.bmp"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, Cause::fileNotFound);
    EXPECT_FALSE(file.Open(Path("nodir/none.bmp"), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, Cause::badPath);
    EXPECT_THROW(CFile(Path("none.bmp"), CFile::modeRead), CFileException);
}

TEST_F(HostFileTest, ShareModesKeepOtherOpenersOut) {
    const QString path = Path("shared.bmp");
    Put(path, "keep me");
    {
        CFile reader(path, CFile::modeRead | CFile::shareDenyWrite);
        CFile other;
        CFileException error;
        EXPECT_FALSE(other.Open(path, CFile::modeCreate | CFile::modeWrite, &error));
        EXPECT_EQ(error.m_cause, Cause::sharingViolation);
        EXPECT_EQ(Contents(path), QByteArray("keep me")); // a refused writer truncates nothing
        EXPECT_TRUE(other.Open(path, CFile::modeRead | CFile::shareDenyWrite));
        EXPECT_FALSE(CFile().Open(path, CFile::modeRead | CFile::shareExclusive));
    }
    CFile exclusive(path, CFile::modeReadWrite | CFile::shareExclusive);
    CFileException error;
    EXPECT_FALSE(CFile().Open(path, CFile::modeRead | CFile::shareDenyWrite, &error));
    EXPECT_EQ(error.m_cause, Cause::sharingViolation);
    exclusive.Close();
    EXPECT_TRUE(CFile().Open(path, CFile::modeRead | CFile::shareDenyWrite));
}

TEST_F(HostFileTest, ErrorsAfterOpenAreRaised) {
    const QString path = Path("read-only.bmp");
    Put(path, "abc");
    CFile file(path, CFile::modeRead);
    EXPECT_THROW(file.Write("x", 1), CFileException);
    file.Close();
    char c;
    EXPECT_THROW(file.Read(&c, 1), CFileException);
    EXPECT_THROW(file.GetLength(), CFileException);
    if (QFile::exists("/dev/full")) {
        CFile full("/dev/full", CFile::modeWrite);
        try {
            full.Write("x", 1);
            ADD_FAILURE() << "no exception";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, Cause::diskFull);
            EXPECT_EQ(e.m_strFileName, QString("/dev/full"));
        }
    }
}
} // namespace
