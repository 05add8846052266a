#include "Drives.h"

#include "IsoMaker.h"
#include "MountInfo.h"
#include "MountVolume.h"
#include "Profile.h"
#include "QtPrinters.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QString Letters(const DriveTable& table) {
    QString letters;
    for (const Drive& drive : table.Drives())
        letters += QLatin1Char(drive.letter);
    return letters;
}

struct ParseCase {
    const char* list;
    const char* letters;   // the letters of the well-formed entries, in order
    const char* malformed; // the rejected entries joined by '|'
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, KeepsGoodEntriesAndNamesBadOnes) {
    QStringList malformed;
    const auto drives = ParseAttachedDrives(QString::fromUtf8(GetParam().list), &malformed);
    QString letters;
    for (const AttachedDrive& drive : drives) {
        letters += QLatin1Char(drive.letter);
        EXPECT_TRUE(QDir::isAbsolutePath(drive.path));
    }
    EXPECT_EQ(letters, QString(GetParam().letters));
    EXPECT_EQ(malformed.join('|'), QString(GetParam().malformed));
}

INSTANTIATE_TEST_SUITE_P(Lists, ParseTest,
                         ::testing::Values(ParseCase{"E=/a/image.iso;F=/b", "EF", ""},
                                           ParseCase{"e=/a;;f=/b;", "EF", ""},
                                           ParseCase{"E/a;F=/b", "F", "E/a"},
                                           ParseCase{"EF=/a;1=/b;=/c;E=", "", "EF=/a|1=/b|=/c|E="},
                                           ParseCase{"E=/a;E=/b", "E", "E=/b"},
                                           ParseCase{"Ä=/a;G=/x=y", "G", "Ä=/a"},
                                           ParseCase{"", "", ""}));

TEST(ParseAttachedDrives, KeepsThePathAfterTheFirstEquals) {
    const auto drives = ParseAttachedDrives("G=/x=y/disc one.iso");
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].path, QString("/x=y/disc one.iso"));
}

TEST(MountInfo, ListsOpticalMountsWithUnescapedPaths) {
    TempEnvironment env;
    const QString path = env.Scratch() + "/mountinfo";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
               "40 22 11:0 / /media/user/QUELBY\\040CDH ro,nosuid shared:20 master:3 - iso9660 "
               "/dev/sr0 ro,map=normal\n"
               "garbage line\n"
               "41 22 7:3 / /mnt/dvd ro - udf /dev/loop3 ro\n"
               "42 22 0:5 / /proc rw - proc proc rw\n");
    file.close();
    const auto mounts = ReadOpticalMounts(path);
    ASSERT_EQ(mounts.size(), 2u);
    EXPECT_EQ(mounts[0].mountPoint, QString("/media/user/QUELBY CDH"));
    EXPECT_EQ(mounts[0].source, QString("/dev/sr0"));
    EXPECT_EQ(mounts[0].fsType, QString("iso9660"));
    EXPECT_EQ(mounts[1].mountPoint, QString("/mnt/dvd"));
    EXPECT_EQ(mounts[1].fsType, QString("udf"));
    EXPECT_TRUE(ReadOpticalMounts(env.Scratch() + "/none").empty());
}

TEST(DriveTable, AnswersTheThreeQuestions) {
    auto labelled = MakeFolderVolume(QDir::tempPath(), QString("QUELBY_CDH"));
    const DriveTable table(
        {{'F', DriveType::cdrom, nullptr},
         {'C', DriveType::fixed, MakeFolderVolume(QDir::tempPath(), QString("SYSTEM"))},
         {'E', DriveType::cdrom, labelled}});
    EXPECT_EQ(table.LogicalDriveStrings(), QStringList({"C:\\", "E:\\", "F:\\"}));
    EXPECT_EQ(table.GetDriveType("C:\\"), DriveType::fixed);
    EXPECT_EQ(table.GetDriveType("e:\\"), DriveType::cdrom);
    EXPECT_EQ(table.GetDriveType("Q:\\"), DriveType::noRootDir);
    EXPECT_EQ(table.GetDriveType("E:\\x"), DriveType::noRootDir);
    EXPECT_EQ(table.GetVolumeLabel("E:"), QString("QUELBY_CDH"));
    EXPECT_EQ(table.GetVolumeLabel("C:\\"), QString("SYSTEM"));
    EXPECT_EQ(table.GetVolumeLabel("F:\\"), std::nullopt);
    EXPECT_EQ(table.GetVolumeLabel("Q:\\"), std::nullopt);
}

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        emptyMountInfo = env.Scratch() + "/mountinfo";
        QFile(emptyMountInfo).open(QIODevice::WriteOnly);
        folder = env.Scratch() + "/copy";
        isomaker::WriteFiles(folder, {{".windows-label", "FOLDER_CD\n"}});
        bare = env.Scratch() + "/bare";
        QDir().mkpath(bare);
    }
    void TearDown() override { qunsetenv("QUELBY_DRIVES"); }
    QString MakeImage(const QString& label) {
        if (!isomaker::Available())
            return {};
        const QString src = env.Scratch() + "/src-" + label;
        isomaker::WriteFiles(src, {{"quelby/a.txt", "a"}});
        const QString image = env.Scratch() + "/" + label + ".iso";
        return isomaker::MakeIso(src, image, label) ? image : QString();
    }

    TempEnvironment env;
    QString emptyMountInfo;
    QString folder;
    QString bare;
};

TEST_F(DiscoveryTest, AttachedDrivesFromTheEnvironmentKeepTheirLetters) {
    const QString image = MakeImage("QUELBY_CDH");
    if (image.isEmpty())
        GTEST_SKIP() << "genisoimage is not installed";
    qputenv("QUELBY_DRIVES", QString("E=%1;bogus;G=%2;Z=%3/missing.iso;H=%4;K:=/x")
                                 .arg(image, folder, env.Scratch(), bare)
                                 .toLocal8Bit());
    ::testing::internal::CaptureStderr();
    const DriveTable table = DriveTable::Discover(emptyMountInfo);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("\"bogus\""), std::string::npos) << errors;
    EXPECT_NE(errors.find("\"K:=/x\""), std::string::npos) << errors;
    EXPECT_EQ(errors.find("bogus"), errors.rfind("bogus")) << "reported once";

    EXPECT_EQ(table.GetVolumeLabel("E:\\"), QString("QUELBY_CDH"));
    EXPECT_EQ(table.GetVolumeLabel("G:\\"), QString("FOLDER_CD"));
    EXPECT_EQ(table.GetVolumeLabel("H:\\"), QString("")); // a folder without a label file
    EXPECT_EQ(table.GetDriveType("Z:\\"), DriveType::cdrom);
    EXPECT_EQ(table.GetVolumeLabel("Z:\\"), std::nullopt);
    for (const char* root : {"E:\\", "G:\\", "H:\\"})
        EXPECT_EQ(table.GetDriveType(root), DriveType::cdrom) << root;
}

TEST_F(DiscoveryTest, SettingsAttachDrivesAndTheEnvironmentWinsALetter) {
    const QString image = MakeImage("QUELBY_CDH");
    if (image.isEmpty())
        GTEST_SKIP() << "genisoimage is not installed";
    Profile profile = Profile::App();
    ASSERT_TRUE(profile.WriteString("Drives", QString("E"), folder));
    ASSERT_TRUE(profile.WriteString("Drives", QString("m"), folder));
    EXPECT_EQ(DriveTable::Discover(emptyMountInfo).GetVolumeLabel("E:\\"), QString("FOLDER_CD"));

    qputenv("QUELBY_DRIVES", QString("E=%1").arg(image).toLocal8Bit());
    const DriveTable table = DriveTable::Discover(emptyMountInfo);
    EXPECT_EQ(table.GetVolumeLabel("E:\\"), QString("QUELBY_CDH"));
    EXPECT_EQ(table.GetVolumeLabel("M:\\"), QString("FOLDER_CD"));
}

TEST_F(DiscoveryTest, OtherDrivesTakeTheNextFreeLettersFromD) {
    DriveSources sources;
    sources.attached = {{'E', folder}, {'G', bare}, {'E', bare}};
    sources.given = {folder, env.Scratch() + "/given.iso"}; // the first is attached already
    sources.opticalDevices = {env.Scratch() + "/sr0", env.Scratch() + "/sr1",
                              env.Scratch() + "/sr0"};
    sources.mounts = {{bare, env.Scratch() + "/sr1", "iso9660"}, // the disc of a listed drive
                      {folder, env.Scratch() + "/loop-image.iso", "udf"}};
    const DriveTable table = DriveTable::Build(sources);
    EXPECT_EQ(Letters(table), QString("DEFGHI"));
    EXPECT_EQ(table.GetVolumeLabel("E:\\"), QString("FOLDER_CD"));
    EXPECT_EQ(table.GetVolumeLabel("D:\\"), std::nullopt); // the given image is not there
    EXPECT_EQ(table.GetVolumeLabel("F:\\"), std::nullopt); // a drive without a disc
    EXPECT_EQ(table.GetVolumeLabel("I:\\"), QString(""));  // mounted, label unreadable
    for (const Drive& drive : table.Drives())
        EXPECT_EQ(drive.type, DriveType::cdrom);
}

TEST_F(DiscoveryTest, LettersStopAtZ) {
    DriveSources sources;
    sources.attached = {{'Y', folder}};
    for (int i = 0; i < 30; ++i)
        sources.opticalDevices.append(env.Scratch() + QString("/sr%1").arg(i));
    const DriveTable table = DriveTable::Build(sources);
    EXPECT_EQ(Letters(table), QString("DEFGHIJKLMNOPQRSTUVWXYZ"));
}

TEST_F(DiscoveryTest, MountedDiscTakesItsLabelFromTheImageBehindIt) {
    const QString image = MakeImage("MOUNTED_CD");
    if (image.isEmpty())
        GTEST_SKIP() << "genisoimage is not installed";
    const QString mountInfo = env.Scratch() + "/mountinfo2";
    QFile file(mountInfo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString("50 22 7:1 / %1 ro - iso9660 %2 ro\n").arg(folder, image).toUtf8());
    file.close();
    const DriveTable table = DriveTable::Discover(mountInfo);
    const auto roots = table.LogicalDriveStrings();
    bool found = false;
    for (const QString& root : roots)
        found = found || table.GetVolumeLabel(root) == QString("MOUNTED_CD");
    EXPECT_TRUE(found);
    EXPECT_EQ(MountVolume::BackingFile(image), image);
}
} // namespace
