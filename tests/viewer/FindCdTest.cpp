#include "CdLocator.h"
#include "Drives.h"
#include "File.h"
#include "PrivateProfile.h"
#include "TempEnvironment.h"
#include "TestDisc.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// A medium with a label and no files.
class LabelVolume : public Volume {
public:
    explicit LabelVolume(std::optional<QString> label) : m_label(std::move(label)) {}
    std::optional<QString> Label() const override { return m_label; }
    std::unique_ptr<FileSource> Open(const QString& path, unsigned,
                                     CFileException& error) const override {
        error = CFileException(CFileException::Cause::fileNotFound, path);
        return nullptr;
    }

private:
    std::optional<QString> m_label;
};

Drive Cd(char letter, std::optional<QString> label) {
    return Drive{letter, DriveType::cdrom, std::make_shared<LabelVolume>(std::move(label))};
}

struct FindCase {
    const char* name;
    std::vector<Drive> drives;
    bool found;
    char letter;
};

class FindCdTable : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindCdTable, FindsTheFirstCdRomDriveWithTheExactLabel) {
    TempEnvironment env;
    DriveTable::SetCurrent(DriveTable(GetParam().drives));
    CdLocator cd;
    EXPECT_EQ(cd.FindCD(), GetParam().found);
    if (GetParam().found)
        EXPECT_EQ(cd.DriveLetter(), QLatin1Char(GetParam().letter));
    else
        EXPECT_TRUE(cd.DriveLetter().isNull());
}

const QString kLabel = QStringLiteral("QUELBY_CDH");

INSTANTIATE_TEST_SUITE_P(
    Drives, FindCdTable,
    ::testing::Values(
        FindCase{
            "SecondOfTwoCdDrives", {Cd('D', QStringLiteral("OTHER")), Cd('E', kLabel)}, true, 'E'},
        FindCase{"LabelDiffersInCase",
                 {Cd('D', QStringLiteral("quelby_cdh")), Cd('E', QStringLiteral("Quelby_CDH"))},
                 false,
                 0},
        FindCase{"TwoMatchingDrivesFirstWins", {Cd('D', kLabel), Cd('E', kLabel)}, true, 'D'},
        FindCase{"EmptyDriveIsSkipped",
                 {Drive{'D', DriveType::cdrom, nullptr}, Cd('F', kLabel)},
                 true,
                 'F'},
        FindCase{"FailingLabelReadIsSkipped", {Cd('D', std::nullopt), Cd('E', kLabel)}, true, 'E'},
        FindCase{"FixedDiskWithTheLabelIsNotACd",
                 {Drive{'C', DriveType::fixed, std::make_shared<LabelVolume>(kLabel)}},
                 false,
                 0},
        FindCase{"RemovableDriveWithTheLabelIsNotACd",
                 {Drive{'A', DriveType::removable, std::make_shared<LabelVolume>(kLabel)},
                  Cd('G', kLabel)},
                 true,
                 'G'},
        FindCase{"LabelWithTrailingBlank", {Cd('D', QStringLiteral("QUELBY_CDH "))}, false, 0},
        FindCase{"NoDrivesAtAll", {}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

QString TestIni() {
    return privateprofile::WindowsDirectory() + QStringLiteral("/test.ini");
}

TEST(FindCd, KeepsTheDriveLetterWhenALaterSearchFails) {
    TempEnvironment env;
    DriveTable::SetCurrent(DriveTable({Cd('E', kLabel)}));
    CdLocator cd;
    ASSERT_TRUE(cd.FindCD());
    DriveTable::SetCurrent(DriveTable({Cd('E', QStringLiteral("AUDIO"))}));
    EXPECT_FALSE(cd.FindCD());
    EXPECT_EQ(cd.DriveLetter(), QLatin1Char('E'));
    DriveTable::SetCurrent(DriveTable({Cd('D', std::nullopt), Cd('F', kLabel)}));
    EXPECT_TRUE(cd.FindCD());
    EXPECT_EQ(cd.DriveLetter(), QLatin1Char('F'));
}

TEST(FindCd, RecordsTheRootOnlyInDiagnosticMode) {
    TempEnvironment env;
    DriveTable::SetCurrent(DriveTable({Cd('D', QStringLiteral("X")), Cd('E', kLabel)}));
    CdLocator cd;
    ASSERT_TRUE(cd.FindCD());
    EXPECT_FALSE(QFile::exists(TestIni()));

    cd.SetDiagnostic(true);
    ASSERT_TRUE(cd.FindCD());
    EXPECT_EQ(privateprofile::GetString(QStringLiteral("quelby"), QStringLiteral("lastdriveletter"),
                                        QString()),
              QStringLiteral("E:\\"));
}

TEST(FindCd, FindsAFolderLabelledByItsWindowsLabelFile) {
    TempEnvironment env;
    const QString root = env.Scratch() + QStringLiteral("/disc");
    QDir().mkpath(root);
    QFile label(root + QStringLiteral("/.windows-label"));
    ASSERT_TRUE(label.open(QIODevice::WriteOnly));
    label.write("QUELBY_CDH\n");
    label.close();
    DriveTable::SetCurrent(DriveTable(
        {Cd('D', QStringLiteral("OTHER")), Drive{'E', DriveType::cdrom, MakeFolderVolume(root)}}));
    CdLocator cd;
    EXPECT_TRUE(cd.FindCD());
    EXPECT_EQ(cd.DriveLetter(), QLatin1Char('E'));
}

TEST(FindCd, FindsAnIsoImageMadeWithGenisoimage) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("genisoimage"));
    if (tool.isEmpty())
        GTEST_SKIP() << "genisoimage is not installed";
    TempEnvironment env;
    TestDisc disc(env.Scratch() + QStringLiteral("/tree"));
    const QString iso = env.Scratch() + QStringLiteral("/quelby.iso");
    const QString wrong = env.Scratch() + QStringLiteral("/other.iso");
    for (const auto& [path, volume] : {std::pair{iso, QStringLiteral("QUELBY_CDH")},
                                       std::pair{wrong, QStringLiteral("QUELBY_CDX")}}) {
        QProcess process;
        process.start(tool, {QStringLiteral("-quiet"), QStringLiteral("-V"), volume,
                             QStringLiteral("-o"), path, disc.Root()});
        ASSERT_TRUE(process.waitForFinished(30000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }
    DriveTable::SetCurrent(DriveTable({Drive{'D', DriveType::cdrom, MakeIsoVolume(wrong)},
                                       Drive{'E', DriveType::cdrom, MakeIsoVolume(iso)}}));
    CdLocator cd;
    EXPECT_TRUE(cd.FindCD());
    EXPECT_EQ(cd.DriveLetter(), QLatin1Char('E'));
}

} // namespace
