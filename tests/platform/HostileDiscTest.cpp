// Damaged and hostile discs in every form, each attached as drive E and used
// as the programs use it: the label, then the cartoon opened and read. Each
// is no disc or a file that fails as on a damaged disc; none crashes, hangs
// or reads past what is there (the suite runs under the sanitizers).
#include "BinCue.h"
#include "Drives.h"
#include "File.h"
#include "IsoMaker.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray kCartoon = isomaker::Pattern(70000, 5);
const QString kCartoonPath = QStringLiteral(R"(E:\quelby\images\t1\1T005HI1.BMP)");
constexpr qsizetype kSector = 2048;

enum class Outcome { noDisc, notTheDisc, openFails, readFails, reads };

// A good disc, made once, and a scratch folder for each case's own files.
struct Disc {
    QString folder; // the files of the disc
    QByteArray iso; // the disc as an ISO image
    QString scratch;
    QString Put(const QString& name, const QByteArray& bytes) const {
        QFile file(scratch + "/" + name);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    QString Fifo(const QString& name) const {
        const QString path = scratch + "/" + name;
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        return path;
    }
};

std::uint32_t Le32(const QByteArray& bytes, qsizetype at) {
    return std::uint32_t(std::uint8_t(bytes[at])) |
           std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

// Both-endian 32-bit field, as ISO 9660 stores extents and sizes.
QByteArray Both32(QByteArray bytes, qsizetype at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = char(value >> (8 * i));
        bytes[at + 7 - i] = char(value >> (8 * i));
    }
    return bytes;
}

QByteArray Set(QByteArray bytes, qsizetype at, char value) {
    bytes[at] = value;
    return bytes;
}

// The offset of the directory record that names `name` as stored.
qsizetype Record(const QByteArray& iso, const QByteArray& name) {
    for (qsizetype at = iso.indexOf(name); at >= 33; at = iso.indexOf(name, at + 1)) {
        if (std::uint8_t(iso[at - 1]) == name.size() &&
            std::uint8_t(iso[at - 33]) >= 33 + name.size())
            return at - 33;
    }
    return -1;
}
qsizetype Cartoon(const QByteArray& iso) {
    return Record(iso, "1T005HI1.BMP;1");
}
qsizetype RootExtent(const QByteArray& iso) {
    return qsizetype(Le32(iso, 16 * kSector + 156 + 2)) * kSector;
}
// Just past the root folder's last record.
qsizetype AfterRoot(const QByteArray& iso) {
    qsizetype at = RootExtent(iso);
    while (iso[at] != 0)
        at += std::uint8_t(iso[at]);
    return at;
}

QByteArray Be(std::uint64_t value, int bytes) {
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (8 * i)));
    return out;
}
QByteArray Chunk(const char* id, std::uint32_t length, const QByteArray& data) {
    return QByteArray(id, 4) + Be(length, 4) + data;
}
QByteArray Chunk(const char* id, const QByteArray& data) {
    return Chunk(id, std::uint32_t(data.size()), data);
}
// A Nero image of the ISO's sectors: `before`, a disc-at-once track of 2048-byte
// sectors ending at trackEnd (the data's end by default), the end, a NER5 footer.
QByteArray Nero(const QByteArray& iso, const QByteArray& before, std::uint64_t trackEnd = 0,
                std::uint64_t footerOffset = 0) {
    const std::uint64_t end = std::uint64_t(iso.size());
    const QByteArray daox = QByteArray(22, '\0') + QByteArray(12, '\0') + Be(2048, 2) + Be(0, 4) +
                            Be(0, 8) + Be(0, 8) + Be(trackEnd ? trackEnd : end, 8);
    return iso + before + Chunk("DAOX", daox) + Chunk("END!", {}) + "NER5" +
           Be(footerOffset ? footerOffset : end, 8);
}

QString Sheet(const Disc& disc, const QString& bin, const char* index) {
    return disc.Put("quelby.cue", QStringLiteral("FILE \"%1\" BINARY\n  TRACK 01 MODE2/2352\n"
                                                 "    INDEX 01 %2\n")
                                      .arg(bin, index)
                                      .toUtf8());
}
QString Rip(const Disc& disc, const QByteArray& iso, SectorLayout layout) {
    const QString bin = disc.scratch + "/quelby.bin";
    WriteBinCue(disc.Put("source.iso", iso), bin, disc.scratch + "/quelby.cue", layout);
    return disc.scratch + "/quelby.cue";
}
// The disc as a folder copy, its label file and cartoon as the case makes them.
QString Folder(const Disc& disc, const std::function<void(const QString& root)>& change) {
    const QString root = disc.scratch + "/copy";
    QDir().mkpath(root + "/quelby/images/t1");
    QFile label(root + "/.windows-label");
    if (label.open(QIODevice::WriteOnly))
        label.write("QUELBY_CDH\n");
    label.close();
    change(root);
    return root;
}
QString Cartoon(const QString& root) {
    return root + "/quelby/images/t1/1T005HI1.BMP";
}

struct HostileCase {
    const char* name;
    std::function<QString(const Disc&)> make; // the path to attach
    Outcome expected;
};

const HostileCase kCases[] = {
    // Plain images.
    {"ShortRecordAfterTheRootsLast",
     [](const Disc& d) { return d.Put("q.iso", Set(d.iso, AfterRoot(d.iso), 0x10)); },
     Outcome::reads},
    {"RecordShorterThanItsName",
     [](const Disc& d) { return d.Put("q.iso", Set(d.iso, Cartoon(d.iso), 0x10)); },
     Outcome::openFails},
    {"NameLongerThanItsRecord",
     [](const Disc& d) { return d.Put("q.iso", Set(d.iso, Cartoon(d.iso) + 32, char(200))); },
     Outcome::openFails},
    {"ExtentPastTheEnd",
     [](const Disc& d) { return d.Put("q.iso", Both32(d.iso, Cartoon(d.iso) + 2, 0x7FFFFFFF)); },
     Outcome::readFails},
    {"FileOfFourGigabytes",
     [](const Disc& d) { return d.Put("q.iso", Both32(d.iso, Cartoon(d.iso) + 10, 0xFFFFFFFF)); },
     Outcome::openFails},
    {"FolderLoopsToTheRoot",
     [](const Disc& d) {
         return d.Put("q.iso", Both32(d.iso, Record(d.iso, "T1") + 2,
                                      std::uint32_t(RootExtent(d.iso) / kSector)));
     },
     Outcome::openFails},
    {"FolderOfFourGigabytes",
     [](const Disc& d) {
         return d.Put("q.iso", Both32(d.iso, Record(d.iso, "QUELBY") + 10, 0xFFFFFFFF));
     },
     Outcome::openFails},
    {"BlockSizeOf512",
     [](const Disc& d) { return d.Put("q.iso", Set(d.iso, 16 * kSector + 129, 0x02)); },
     Outcome::noDisc},
    {"NoVolumeDescriptor",
     [](const Disc& d) { return d.Put("q.iso", Set(d.iso, 16 * kSector + 1, 'X')); },
     Outcome::noDisc},
    {"CutInsideTheCartoon",
     [](const Disc& d) {
         return d.Put("q.iso", d.iso.left(Le32(d.iso, Cartoon(d.iso) + 2) * kSector + 5000));
     },
     Outcome::readFails},
    {"FifoAsImage", [](const Disc& d) { return d.Fifo("q.iso"); }, Outcome::noDisc},
    {"DeviceAsImage", [](const Disc&) { return QStringLiteral("/dev/zero"); }, Outcome::noDisc},
    // Rips.
    {"RipWithShortRecordAfterTheRootsLast",
     [](const Disc& d) {
         return Rip(d, Set(d.iso, AfterRoot(d.iso), 0x10), SectorLayout::mode1Raw);
     },
     Outcome::reads},
    {"RawBinWithoutItsSheet",
     [](const Disc& d) {
         Rip(d, d.iso, SectorLayout::mode2Raw);
         QFile::remove(d.scratch + "/quelby.cue");
         return d.scratch + "/quelby.bin";
     },
     Outcome::reads},
    {"RipWithoutAWritableTemporaryFolder",
     [](const Disc& d) {
         qputenv("TMPDIR", "/nonexistent");
         return Rip(d, d.iso, SectorLayout::mode2Raw);
     },
     Outcome::reads},
    {"SheetOfMegabytes",
     [](const Disc& d) {
         Rip(d, d.iso, SectorLayout::mode2Raw);
         return d.Put("quelby.cue",
                      "FILE quelby.bin BINARY\nTRACK 01 MODE2/2352\nINDEX 01 00:00:00\n" +
                          QByteArray(1 << 20, '\n'));
     },
     Outcome::noDisc},
    {"SheetIndexPastTheEnd",
     [](const Disc& d) {
         Rip(d, d.iso, SectorLayout::mode2Raw);
         return Sheet(d, "quelby.bin", "70:00:00");
     },
     Outcome::noDisc},
    {"SheetNamesAFifo",
     [](const Disc& d) {
         d.Fifo("fifo.bin");
         return Sheet(d, "fifo.bin", "00:00:00");
     },
     Outcome::noDisc},
    {"SheetIsAFifo", [](const Disc& d) { return d.Fifo("quelby.cue"); }, Outcome::noDisc},
    // Nero images.
    {"NeroMode1",
     [](const Disc& d) {
         WriteNrg(d.Put("s.iso", d.iso), d.scratch + "/q.nrg", SectorLayout::mode1Cooked,
                  NeroForm::discAtOnce64);
         return d.scratch + "/q.nrg";
     },
     Outcome::reads},
    {"NeroRawMode2TrackAtOnce",
     [](const Disc& d) {
         WriteNrg(d.Put("s.iso", d.iso), d.scratch + "/q.nrg", SectorLayout::mode2Raw,
                  NeroForm::trackAtOnce32);
         return d.scratch + "/q.nrg";
     },
     Outcome::reads},
    {"NeroChunksOver4096Bytes",
     [](const Disc& d) {
         return d.Put("q.nrg", Nero(d.iso, Chunk("CDTX", QByteArray(6000, 'x'))));
     },
     Outcome::reads},
    {"NeroSessionChunkOf5Bytes",
     [](const Disc& d) { return d.Put("q.nrg", Nero(d.iso, Chunk("SINF", QByteArray(5, '\1')))); },
     Outcome::reads},
    {"NeroChunkOfTwoGigabytes",
     [](const Disc& d) { return d.Put("q.nrg", Nero(d.iso, Chunk("CUEX", 0x7FFFFFF0, {}))); },
     Outcome::noDisc},
    {"NeroChunksOfMegabytes",
     [](const Disc& d) {
         return d.Put("q.nrg", Nero(d.iso, Chunk("CDTX", QByteArray(2 << 20, 'x'))));
     },
     Outcome::noDisc},
    {"NeroFooterPointsPastItself",
     [](const Disc& d) { return d.Put("q.nrg", Nero(d.iso, {}, 0, 1ull << 40)); }, Outcome::noDisc},
    {"NeroTrackRunsIntoItsChunks",
     [](const Disc& d) {
         return d.Put("q.nrg", Nero(d.iso, {}, std::uint64_t(d.iso.size()) + 100));
     },
     Outcome::noDisc},
    // Folder copies.
    {"FolderWithAFifoForLabel",
     [](const Disc& d) {
         return Folder(d, [](const QString& root) {
             QFile::remove(root + "/.windows-label");
             ::mkfifo(QFile::encodeName(root + "/.windows-label").constData(), 0600);
         });
     },
     Outcome::notTheDisc},
    {"FolderWithAFifoForCartoon",
     [](const Disc& d) {
         return Folder(d, [](const QString& root) {
             ::mkfifo(QFile::encodeName(Cartoon(root)).constData(), 0600);
         });
     },
     Outcome::openFails},
    {"FolderWithACartoonOfThreeGigabytes",
     [](const Disc& d) {
         return Folder(d, [](const QString& root) {
             QFile file(Cartoon(root));
             file.open(QIODevice::WriteOnly);
             file.resize(3ll << 30);
         });
     }, // sparse: nothing is written
     Outcome::openFails},
    {"FolderWithALinkToItself",
     [](const Disc& d) {
         return Folder(d, [](const QString& root) { QFile::link(Cartoon(root), Cartoon(root)); });
     },
     Outcome::openFails},
};

class HostileDisc : public ::testing::TestWithParam<HostileCase> {
protected:
    static void SetUpTestSuite() {
        s_made = std::make_unique<QTemporaryDir>();
        if (!isomaker::Available())
            return;
        s_disc.folder = s_made->filePath("src");
        isomaker::WriteFiles(s_disc.folder, {{"quelby/images/t1/1t005hi1.bmp", kCartoon},
                                             {"quelby/images/col/splash.bmp", "cover"}});
        const QString iso = s_made->filePath("quelby.iso");
        QFile file(iso);
        if (isomaker::MakeIso(s_disc.folder, iso, "QUELBY_CDH") && file.open(QIODevice::ReadOnly))
            s_disc.iso = file.readAll();
    }
    static void TearDownTestSuite() { s_made.reset(); }
    void TearDown() override { qunsetenv("TMPDIR"); }

    TempEnvironment env;
    static inline std::unique_ptr<QTemporaryDir> s_made;
    static inline Disc s_disc;
};

TEST_P(HostileDisc, IsNoDiscOrADamagedFile) {
    if (s_disc.iso.isEmpty())
        GTEST_SKIP() << "genisoimage is not installed";
    Disc disc = s_disc;
    disc.scratch = env.Scratch();
    const QString path = GetParam().make(disc);
    DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeAttachedVolume(path)}}));
    const auto label = DriveTable::Current().GetVolumeLabel(QStringLiteral("E:\\"));
    Outcome outcome = !label                                  ? Outcome::noDisc
                      : *label != QLatin1String("QUELBY_CDH") ? Outcome::notTheDisc
                                                              : Outcome::openFails;
    CFile file;
    if (outcome == Outcome::openFails && file.Open(kCartoonPath, CFile::modeRead)) {
        try {
            QByteArray bytes(qsizetype(file.GetLength()), '\0');
            bytes.resize(qsizetype(file.Read(bytes.data(), std::uint32_t(bytes.size()))));
            outcome = Outcome::reads;
            EXPECT_EQ(bytes, kCartoon);
        } catch (const CFileException&) {
            outcome = Outcome::readFails;
        }
    }
    EXPECT_EQ(outcome, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, HostileDisc, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
