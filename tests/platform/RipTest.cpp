#include "BinCue.h"
#include "Drives.h"
#include "File.h"
#include "IsoImage.h"
#include "IsoMaker.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QByteArray kCartoon = isomaker::Pattern(70000, 7); // 35 sectors, ends mid-sector
const QString kCartoonPath = QStringLiteral(R"(E:\quelby\images\t1\1T005HI1.BMP)");

// A disc packed as an ISO image, then kept as a rip beside it.
class Rip : public ::testing::Test {
protected:
    void SetUp() override {
        if (!isomaker::Available())
            GTEST_SKIP() << "genisoimage is not installed";
        const QString src = env.Scratch() + "/src";
        isomaker::WriteFiles(src, {{"quelby/images/t1/1t005hi1.bmp", kCartoon},
                                   {"quelby/images/col/splash.bmp", "cover"}});
        iso = env.Scratch() + "/quelby.iso";
        ASSERT_TRUE(isomaker::MakeIso(src, iso, "QUELBY_CDH"));
    }

    // The rip's label and the cartoon as read from it on drive E; nullopt
    // label when the drive shows no disc.
    std::optional<QString> Attach(const QString& path) {
        DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeAttachedVolume(path)}}));
        return DriveTable::Current().GetVolumeLabel(QStringLiteral("E:\\"));
    }
    QString Cue(const QString& name) const { return env.Scratch() + "/" + name; }
    void WriteSheet(const QString& name, const QByteArray& text) {
        QFile sheet(Cue(name));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
        sheet.write(text);
    }

    TempEnvironment env;
    QString iso;
};

QByteArray ReadCartoon() {
    CFile file(kCartoonPath, CFile::modeRead | CFile::shareDenyWrite);
    QByteArray bytes(static_cast<int>(file.GetLength()), '\0');
    bytes.resize(
        static_cast<int>(file.Read(bytes.data(), static_cast<std::uint32_t>(bytes.size()))));
    return bytes;
}

class RipLayout : public Rip, public ::testing::WithParamInterface<SectorLayout> {};

TEST_P(RipLayout, LabelAndCartoonReadBackFromTheSheetAndTheBinAlone) {
    const QString bin = env.Scratch() + "/Quelby Rip.bin";
    ASSERT_EQ(WriteBinCue(iso, bin, Cue("Quelby Rip.cue"), GetParam()), QString());
    const qint64 sector = GetParam() == SectorLayout::mode1Cooked ? 2048 : 2352;
    EXPECT_EQ(QFile(bin).size(), QFile(iso).size() / 2048 * sector);
    for (const QString& attached : {Cue("Quelby Rip.cue"), bin}) {
        EXPECT_EQ(Attach(attached), QStringLiteral("QUELBY_CDH")) << attached.toStdString();
        EXPECT_EQ(ReadCartoon(), kCartoon) << attached.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Sectors, RipLayout,
                         ::testing::Values(SectorLayout::mode1Cooked, SectorLayout::mode1Raw,
                                           SectorLayout::mode2Raw));

// The file systems a disc image may carry beside ISO 9660's own names.
class Flavour : public Rip, public ::testing::WithParamInterface<const char*> {};

TEST_P(Flavour, LabelAndCartoonReadBack) {
    const QString image = env.Scratch() + "/flavour.iso";
    ASSERT_TRUE(isomaker::MakeIso(env.Scratch() + "/src", image, "QUELBY_CDH",
                                  QString(GetParam()).split(' ')));
    EXPECT_EQ(Attach(image), QStringLiteral("QUELBY_CDH"));
    EXPECT_EQ(ReadCartoon(), kCartoon);
}

INSTANTIATE_TEST_SUITE_P(Images, Flavour,
                         ::testing::Values("-J", "-R", "-udf", "-iso-level 1", "-J -R -udf",
                                           "-iso-level 4 -J -joliet-long"));

TEST_F(Rip, SheetNamesItsBinInAnotherCaseWithTheRippingMachinesPathOrUnquoted) {
    const QString bin = env.Scratch() + "/quelby.bin";
    ASSERT_EQ(WriteBinCue(iso, bin, Cue("made.cue"), SectorLayout::mode1Raw), QString());
    for (const char* name : {"\"QUELBY.BIN\"", R"("C:\RIPS\Quelby.Bin")", "Quelby.bin"}) {
        WriteSheet("QUELBY.CUE", QByteArray("FILE ") + name +
                                     " BINARY\r\n  TRACK 01 MODE1/2352\r\n"
                                     "    INDEX 01 00:00:00\r\n");
        EXPECT_EQ(Attach(Cue("QUELBY.CUE")), QStringLiteral("QUELBY_CDH")) << name;
        EXPECT_EQ(ReadCartoon(), kCartoon) << name;
    }
}

TEST_F(Rip, BrokenRipsShowNoDisc) {
    const QString bin = env.Scratch() + "/quelby.bin";
    ASSERT_EQ(WriteBinCue(iso, bin, Cue("quelby.cue"), SectorLayout::mode2Raw), QString());
    WriteSheet("missing.cue", "FILE \"gone.bin\" BINARY\n  TRACK 01 MODE1/2352\n"
                              "    INDEX 01 00:00:00\n");
    WriteSheet("audio.cue", "FILE \"quelby.bin\" BINARY\n  TRACK 01 AUDIO\n"
                            "    INDEX 01 00:00:00\n");
    WriteSheet("garbage.cue", QByteArray(3000, '\xff'));
    WriteSheet("empty.nrg", "");
    QFile::copy(iso, Cue("not-a-nero.nrg"));
    for (const char* sheet : {"missing.cue", "audio.cue", "garbage.cue", "empty.nrg",
                              "not-a-nero.nrg", "nothing-here.cue"})
        EXPECT_EQ(Attach(Cue(sheet)), std::nullopt) << sheet;

    // Cut before the volume descriptor: no disc. Cut inside the cartoon: the
    // label is there and the read fails as a damaged disc's does.
    std::uint32_t cartoonSector = 0;
    IsoImage::Open(iso)->Walk([&](const QString& path, const IsoImage::Entry& entry) {
        if (path.contains(QStringLiteral("1T005HI1")))
            cartoonSector = entry.lsn;
    });
    ASSERT_GT(cartoonSector, 16u);
    QFile cut(bin);
    ASSERT_TRUE(cut.resize((cartoonSector + 10) * 2352));
    EXPECT_EQ(Attach(Cue("quelby.cue")), QStringLiteral("QUELBY_CDH"));
    EXPECT_THROW(ReadCartoon(), CFileException);
    ASSERT_TRUE(cut.resize(10 * 2352));
    EXPECT_EQ(Attach(Cue("quelby.cue")), std::nullopt);
}

} // namespace
