#include "BitmapBuilder.h"
#include "CMemFile.h"
#include "CartoonCycle.h"
#include "Catalogue.h"
#include "DeviceContext.h"
#include "DibFile.h"
#include "File.h"
#include "Palette.h"
#include "PrivateProfile.h"
#include "SaverTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

const QString kFirst = QStringLiteral("1T005HI1.BMP");
const QString kFirstPath = QStringLiteral("E:\\quelby\\images\\t1\\1T005HI1.BMP");

class Diagnostics : public ::testing::Test, public SaverFixture {
protected:
    Diagnostics() { SwitchDiagnosticsOn(); }
};

TEST_F(Diagnostics, EachTurnRecordsItsFileTheCountAndTheMemory) {
    CartoonCycle cycle(profile, messages);
    EXPECT_TRUE(cycle.IsDiagnostic());
    EXPECT_GT(Record(QStringLiteral("startmemory")).toULongLong(), 0u);
    const QImage frame = Turn(cycle);
    EXPECT_EQ(Record(QStringLiteral("lastfile")), kFirstPath);
    EXPECT_EQ(Record(QStringLiteral("total")), QStringLiteral("1"));
    EXPECT_GT(Record(QStringLiteral("currentmemory")).toULongLong(), 0u);
    // The count and the path, black on white, at (10, 10) and (10, 50).
    EXPECT_EQ(frame.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(frame.pixel(10, 50), qRgb(255, 255, 255));
    EXPECT_EQ(frame.pixel(9, 10), qRgb(0, 0, 0));
    Turn(cycle);
    EXPECT_EQ(Record(QStringLiteral("total")), QStringLiteral("2"));
    EXPECT_EQ(Record(QStringLiteral("lastfile")),
              QStringLiteral("E:\\quelby\\images\\t1\\") + CatalogueNameString(2));
    EXPECT_EQ(RecordKeys(),
              (QStringList{"test", "startmemory", "lastfile", "total", "currentmemory"}));
}

TEST_F(Diagnostics, WithoutTheSwitchNothingIsRecorded) {
    privateprofile::WriteString(QStringLiteral("quelbyscreensaver"), QStringLiteral("test"),
                                QStringLiteral("2"));
    CartoonCycle cycle(profile, messages);
    EXPECT_FALSE(cycle.IsDiagnostic());
    const QImage frame = Turn(cycle);
    EXPECT_EQ(RecordKeys(), QStringList{"test"});
    EXPECT_EQ(Drawn(frame), QRect(300, 225, 40, 30));
}

struct FailureCase {
    const char* name;
    QByteArray file;       // empty: no file on the disc
    const char* recordKey; // "name": the cartoon's own name
    const char* recordValue;
    const char* message;
    bool memoryRecorded;
    bool pictureKept;
};

class FailedTurns : public ::testing::TestWithParam<FailureCase>, public SaverFixture {};

TEST_P(FailedTurns, LeaveTheTurnBlackAndSaySoInTheRecords) {
    const FailureCase& c = GetParam();
    SwitchDiagnosticsOn();
    QFile::remove(disc.FilePath(kFirst));
    if (!c.file.isEmpty())
        disc.AddCartoon(kFirst, c.file);
    CartoonCycle cycle(profile, messages);
    const QImage frame = Turn(cycle);
    const QString key = QString::fromLatin1(c.recordKey) == QStringLiteral("name")
                            ? kFirst
                            : QString::fromLatin1(c.recordKey);
    EXPECT_EQ(Record(key),
              QString::fromLatin1(c.recordValue).replace(QStringLiteral("$path"), kFirstPath));
    EXPECT_EQ(messages.Texts().join(QString()), QString::fromLatin1(c.message));
    EXPECT_EQ(!Record(QStringLiteral("currentmemory")).isEmpty(), c.memoryRecorded);
    // A picture that failed to paint stays until the next turn.
    EXPECT_EQ(cycle.HasPicture(), c.pictureKept);
    EXPECT_EQ(Drawn(frame.copy(0, 80, 640, 400)), QRect());
    // The next turn goes on with the next position.
    const QImage next = Turn(cycle);
    EXPECT_EQ(next.pixel(320, 240), ColourOf(CatalogueNameString(2)));
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedTurns,
    ::testing::Values(FailureCase{"Missing", {}, "openfailed", "$path", "", false, false},
                      FailureCase{"NotABitmap", QByteArray("GIF89a and more bytes than a header"),
                                  "m_hDIB==NULL", "$path", "", true, false},
                      FailureCase{"NegativeHeight", BmpFile(40, -30, 9), "m_hDIB==NULL", "$path",
                                  "ERROR", true, false},
                      FailureCase{"BitsCutShort", BmpFile(40, 30, 9).left(14 + 40 + 200), "name",
                                  "screensaverbad", "", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Diagnostics, AReadThatFailsIsRecordedAndLeavesNoPicture) {
    auto faulty = std::make_shared<FaultyVolume>(disc.MakeVolume(), QStringList{kFirst});
    DriveTable::SetCurrent(DriveTable({Drive{'E', DriveType::cdrom, faulty}}));
    CartoonCycle cycle(profile, messages);
    const QImage frame = Turn(cycle);
    EXPECT_EQ(Record(QStringLiteral("loadfailed")), kFirstPath);
    EXPECT_TRUE(Record(QStringLiteral("currentmemory")).isEmpty());
    EXPECT_FALSE(cycle.HasPicture());
    EXPECT_EQ(Drawn(frame.copy(0, 80, 640, 400)), QRect());
}

TEST_F(Diagnostics, AnUnknownModeOpensNothingThatIsAFile) {
    Store(kMode, 7);
    CartoonCycle cycle(profile, messages);
    const QImage frame = Turn(cycle);
    EXPECT_EQ(cycle.CurrentName(), QString());
    EXPECT_EQ(Record(QStringLiteral("openfailed")), QStringLiteral("E:\\quelby\\images\\t1\\"));
    EXPECT_EQ(Drawn(frame.copy(0, 80, 640, 400)), QRect());
}

// The palette of a low-colour display is realized for each picture read, so
// realizing the same palette again changes no entry of the system's.
int EntriesChangedByRealizingAgain(const QByteArray& file) {
    CMemFile memory(file);
    HDIB dib = ReadBitmapFile(memory);
    CPalette palette;
    if (!CreateBitmapPalette(dib, palette))
        return -1;
    CDC dc;
    dc.SelectPalette(&palette, false);
    return dc.RealizePalette();
}

TEST_F(Diagnostics, OnALowColourDisplayEachPicturesPaletteIsRealized) {
    const QByteArray eightBit = BmpFile(40, 30, 77, true);
    disc.AddCartoon(kFirst, eightBit);
    for (const int depth : {8, 24}) {
        CDC::ForceScreenBitsPixel(depth);
        CDC::ResetSystemPalette();
        CartoonCycle cycle(profile, messages);
        const QImage frame = Turn(cycle);
        EXPECT_EQ(frame.pixel(320, 240), qRgb(77, 77, 77));
        CDC::ForceScreenBitsPixel(8);
        const int changed = EntriesChangedByRealizingAgain(eightBit);
        if (depth == 8)
            EXPECT_EQ(changed, 0);
        else
            EXPECT_GT(changed, 0);
    }
}

} // namespace
