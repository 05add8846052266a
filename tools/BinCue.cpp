#include "BinCue.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstdint>

namespace {
constexpr int kUserData = 2048;
constexpr int kRawSector = 2352;
constexpr int kLeadInSectors = 150; // the first sector of the program area is at 00:02:00

// Lookup tables of the CD's error detection (EDC, a CRC-32 with the
// polynomial of ECMA-130) and of its Reed-Solomon product code (GF(2^8)).
struct Tables {
    std::array<std::uint8_t, 256> forward{};
    std::array<std::uint8_t, 256> backward{};
    std::array<std::uint32_t, 256> edc{};
    Tables() {
        for (std::uint32_t i = 0; i < 256; ++i) {
            const std::uint32_t doubled = (i << 1) ^ ((i & 0x80) ? 0x11D : 0);
            forward[i] = static_cast<std::uint8_t>(doubled);
            backward[i ^ doubled] = static_cast<std::uint8_t>(i);
            std::uint32_t crc = i;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ ((crc & 1) ? 0xD8018001u : 0);
            edc[i] = crc;
        }
    }
};
const Tables& CodeTables() {
    static const Tables tables;
    return tables;
}

std::uint32_t Edc(const std::uint8_t* data, int size) {
    std::uint32_t crc = 0;
    for (int i = 0; i < size; ++i)
        crc = (crc >> 8) ^ CodeTables().edc[(crc ^ data[i]) & 0xFF];
    return crc;
}

void PutLittleEndian(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// One parity block (P or Q) over the 2340 bytes from the header on.
void Parity(const std::uint8_t* source, int majorCount, int minorCount, int majorStep,
            int minorStep, std::uint8_t* parity) {
    const Tables& t = CodeTables();
    const int size = majorCount * minorCount;
    for (int major = 0; major < majorCount; ++major) {
        int index = (major >> 1) * majorStep + (major & 1);
        std::uint8_t a = 0;
        std::uint8_t b = 0;
        for (int minor = 0; minor < minorCount; ++minor) {
            const std::uint8_t byte = source[index];
            index += minorStep;
            if (index >= size)
                index -= size;
            a ^= byte;
            b ^= byte;
            a = t.forward[a];
        }
        a = t.backward[t.forward[a] ^ b];
        parity[major] = a;
        parity[major + majorCount] = a ^ b;
    }
}

// P and Q parity; Mode 2 computes them as if the header were zero.
void Ecc(std::uint8_t* sector, bool zeroHeader) {
    std::array<std::uint8_t, 4> header{};
    std::copy(sector + 12, sector + 16, header.begin());
    if (zeroHeader)
        std::fill(sector + 12, sector + 16, 0);
    Parity(sector + 12, 86, 24, 2, 86, sector + 2076);
    Parity(sector + 12, 52, 43, 86, 88, sector + 2248);
    std::copy(header.begin(), header.end(), sector + 12);
}

std::uint8_t Bcd(int value) {
    return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

// The raw sector at a logical sector number, its user data given.
std::array<std::uint8_t, kRawSector> RawSector(const char* data, int lsn, SectorLayout layout) {
    std::array<std::uint8_t, kRawSector> sector{};
    std::fill(sector.begin() + 1, sector.begin() + 11, 0xFF);
    const int address = lsn + kLeadInSectors;
    sector[12] = Bcd(address / (75 * 60));
    sector[13] = Bcd(address / 75 % 60);
    sector[14] = Bcd(address % 75);
    if (layout == SectorLayout::mode1Raw) {
        sector[15] = 1;
        std::copy(data, data + kUserData, sector.begin() + 16);
        PutLittleEndian(&sector[2064], Edc(sector.data(), 2064));
        Ecc(sector.data(), false);
    } else {
        sector[15] = 2;
        // Subheader, twice: file 0, channel 0, submode "data", coding 0.
        sector[18] = sector[22] = 0x08;
        std::copy(data, data + kUserData, sector.begin() + 24);
        PutLittleEndian(&sector[2072], Edc(sector.data() + 16, 2056));
        Ecc(sector.data(), true);
    }
    return sector;
}
} // namespace

namespace {
// Writes the image's sectors in the layout asked for; the error text, or an
// empty one.
QString WriteSectors(QFile& iso, QFile& out, SectorLayout layout) {
    QByteArray data(kUserData, '\0');
    for (int lsn = 0;; ++lsn) {
        const qint64 got = iso.read(data.data(), kUserData);
        if (got <= 0)
            break;
        std::fill(data.begin() + got, data.end(), '\0');
        bool written = false;
        if (layout == SectorLayout::mode1Cooked) {
            written = out.write(data) == kUserData;
        } else {
            const auto sector = RawSector(data.constData(), lsn, layout);
            written =
                out.write(reinterpret_cast<const char*>(sector.data()), kRawSector) == kRawSector;
        }
        if (!written)
            return QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString());
    }
    return {};
}

QByteArray Be(std::uint64_t value, int bytes) {
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(static_cast<char>(value >> (8 * i)));
    return out;
}

QByteArray Chunk(const char* id, const QByteArray& data) {
    return QByteArray(id, 4) + Be(static_cast<std::uint64_t>(data.size()), 4) + data;
}
} // namespace

QString WriteBinCue(const QString& isoPath, const QString& binPath, const QString& cuePath,
                    SectorLayout layout) {
    QFile iso(isoPath);
    if (!iso.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(isoPath, iso.errorString());
    QFile bin(binPath);
    if (!bin.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write %1: %2").arg(binPath, bin.errorString());
    if (QString error = WriteSectors(iso, bin, layout); !error.isEmpty())
        return error;
    if (!bin.flush())
        return QStringLiteral("cannot write %1: %2").arg(binPath, bin.errorString());
    const char* mode = layout == SectorLayout::mode1Cooked ? "MODE1/2048"
                       : layout == SectorLayout::mode1Raw  ? "MODE1/2352"
                                                           : "MODE2/2352";
    QFile cue(cuePath);
    if (!cue.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return QStringLiteral("cannot write %1: %2").arg(cuePath, cue.errorString());
    const QByteArray sheet =
        QStringLiteral("FILE \"%1\" BINARY\n  TRACK 01 %2\n    INDEX 01 00:00:00\n")
            .arg(QFileInfo(binPath).fileName(), QLatin1String(mode))
            .toUtf8();
    if (cue.write(sheet) != sheet.size() || !cue.flush())
        return QStringLiteral("cannot write %1: %2").arg(cuePath, cue.errorString());
    return {};
}

QString WriteNrg(const QString& isoPath, const QString& nrgPath, SectorLayout layout,
                 NeroForm form) {
    QFile iso(isoPath);
    if (!iso.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(isoPath, iso.errorString());
    QFile nrg(nrgPath);
    if (!nrg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write %1: %2").arg(nrgPath, nrg.errorString());
    const std::uint64_t stride = layout == SectorLayout::mode1Cooked ? kUserData : kRawSector;
    const std::uint8_t mode = layout == SectorLayout::mode1Cooked ? 0x00
                              : layout == SectorLayout::mode1Raw  ? 0x05
                                                                  : 0x06;
    const bool dao = form == NeroForm::discAtOnce64;
    const std::uint64_t index1 = dao ? kLeadInSectors * stride : 0;
    nrg.write(QByteArray(static_cast<qsizetype>(index1), '\0'));
    if (QString error = WriteSectors(iso, nrg, layout); !error.isEmpty())
        return error;
    const auto end = static_cast<std::uint64_t>(nrg.pos());
    QByteArray chunks;
    if (dao) {
        // Header: size again (little-endian), catalogue number, TOC type, first and last track.
        QByteArray daox =
            QByteArray(4, '\0') + QByteArray(14, '\0') + Be(0, 2) + Be(1, 1) + Be(1, 1);
        daox += QByteArray(12, '\0') + Be(stride, 2) + Be(mode, 1) + Be(1, 1) + Be(0, 2) +
                Be(0, 8) + Be(index1, 8) + Be(end, 8);
        chunks += Chunk("CUEX", Be(0x41000000, 4) + Be(0xFFFFFF6A, 4));
        chunks += Chunk("DAOX", daox);
    } else {
        chunks += Chunk("ETNF", Be(0, 4) + Be(end, 4) + Be(mode, 4) + Be(0, 4) + Be(0, 4));
    }
    chunks += Chunk("SINF", Be(1, 4)) + Chunk("MTYP", Be(1, 4)) + Chunk("END!", {});
    const QByteArray footer =
        dao ? QByteArray("NER5") + Be(end, 8) : QByteArray("NERO") + Be(end, 4);
    if (nrg.write(chunks + footer) != chunks.size() + footer.size() || !nrg.flush())
        return QStringLiteral("cannot write %1: %2").arg(nrgPath, nrg.errorString());
    return {};
}
