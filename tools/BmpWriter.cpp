#include "BmpWriter.h"

#include <QHash>
#include <algorithm>
#include <limits>

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;
constexpr int kGreyCount = 40;
constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiRle8 = 1;
constexpr qint32 kPixelsPerMetre = 2835; // 72 dots per inch
constexpr int kMaxRun = 255;
constexpr int kMinAbsoluteRun = 3; // shorter counts are escapes

class ByteSink {
public:
    explicit ByteSink(QByteArray& bytes) : m_bytes(bytes) {}
    void U8(int value) { m_bytes.append(static_cast<char>(value)); }
    void U16(quint16 value) {
        U8(value & 0xff);
        U8(value >> 8);
    }
    void U32(quint32 value) {
        U16(static_cast<quint16>(value & 0xffff));
        U16(static_cast<quint16>(value >> 16));
    }
    void Zeros(qsizetype count) { m_bytes.append(count, '\0'); }

private:
    QByteArray& m_bytes;
};

int BitCount(BmpFormat format) {
    switch (format) {
    case BmpFormat::indexed4:
        return 4;
    case BmpFormat::rgb24:
        return 24;
    default:
        return 8;
    }
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

int Nearest(QRgb colour, const QList<QRgb>& palette) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < palette.size(); ++i) {
        const int distance = Distance(colour, palette[i]);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// The colour table as written: the image's own colours, padded with black to
// the full depth unless the header names the count.
QList<QRgb> TableFor(const QImage& image, const BmpOptions& options) {
    QList<QRgb> table = image.colorTable();
    const bool core = options.format == BmpFormat::core8;
    if (core || !options.explicitColourCount)
        table.resize(qsizetype(1) << BitCount(options.format), qRgb(0, 0, 0));
    return table;
}

QByteArray UncompressedBits(const QImage& image, int bitCount) {
    const qsizetype rowSize = BmpRowSize(image.width(), bitCount);
    QByteArray bits(rowSize * image.height(), '\0');
    const QImage rgb = bitCount == 24 ? image.convertToFormat(QImage::Format_RGB32) : QImage();
    for (int y = 0; y < image.height(); ++y) {
        char* row = bits.data() + rowSize * (image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            if (bitCount == 24) {
                const QRgb pixel = reinterpret_cast<const QRgb*>(rgb.constScanLine(y))[x];
                row[x * 3] = static_cast<char>(qBlue(pixel));
                row[x * 3 + 1] = static_cast<char>(qGreen(pixel));
                row[x * 3 + 2] = static_cast<char>(qRed(pixel));
            } else if (bitCount == 8) {
                row[x] = static_cast<char>(image.constScanLine(y)[x]);
            } else {
                const int index = image.constScanLine(y)[x] & 0x0f;
                row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? index : index << 4));
            }
        }
    }
    return bits;
}

bool Suits(const QImage& image, BmpFormat format) {
    if (image.isNull() || image.width() > 0xffff || image.height() > 0xffff)
        return false;
    if (format == BmpFormat::rgb24)
        return true;
    const qsizetype maxColours = qsizetype(1) << BitCount(format);
    return image.format() == QImage::Format_Indexed8 && image.colorCount() > 0 &&
           image.colorCount() <= maxColours;
}

void WriteInfoHeader(ByteSink& out, const QImage& image, int bitCount, quint32 compression,
                     quint32 imageSize, quint32 coloursUsed) {
    out.U32(kInfoHeaderSize);
    out.U32(static_cast<quint32>(image.width()));
    out.U32(static_cast<quint32>(image.height()));
    out.U16(1);
    out.U16(static_cast<quint16>(bitCount));
    out.U32(compression);
    out.U32(imageSize);
    out.U32(kPixelsPerMetre);
    out.U32(kPixelsPerMetre);
    out.U32(coloursUsed);
    out.U32(0);
}

void WriteCoreHeader(ByteSink& out, const QImage& image, int bitCount) {
    out.U32(kCoreHeaderSize);
    out.U16(static_cast<quint16>(image.width()));
    out.U16(static_cast<quint16>(image.height()));
    out.U16(1);
    out.U16(static_cast<quint16>(bitCount));
}

} // namespace

QList<QRgb> CubePalette() {
    QList<QRgb> palette;
    palette.reserve(kCubeLevels * kCubeLevels * kCubeLevels + kGreyCount);
    for (int r = 0; r < kCubeLevels; ++r) {
        for (int g = 0; g < kCubeLevels; ++g) {
            for (int b = 0; b < kCubeLevels; ++b)
                palette.append(qRgb(r * kCubeStep, g * kCubeStep, b * kCubeStep));
        }
    }
    // Greys between the cube's own, so shading and text edges stay smooth.
    for (int i = 0; i < kGreyCount; ++i) {
        const int level = 8 + 6 * i; // never one of the cube's own levels
        palette.append(qRgb(level, level, level));
    }
    return palette;
}

QImage MapToPalette(const QImage& image, const QList<QRgb>& palette) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    QHash<QRgb, uchar> cache;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = in[x] | 0xff000000u;
            auto found = cache.constFind(colour);
            if (found == cache.constEnd())
                found = cache.insert(colour, static_cast<uchar>(Nearest(colour, palette)));
            out[x] = *found;
        }
    }
    return indexed;
}

namespace {

bool StartsRun(const uchar* row, int x, int width) {
    return x + 2 < width && row[x] == row[x + 1] && row[x] == row[x + 2];
}

int RunLength(const uchar* row, int x, int width) {
    int length = 1;
    while (x + length < width && length < kMaxRun && row[x + length] == row[x])
        ++length;
    return length;
}

void EncodedRuns(ByteSink& out, const uchar* row, int from, int to) {
    while (from < to) {
        const int run = std::min(RunLength(row, from, to), to - from);
        out.U8(run);
        out.U8(row[from]);
        from += run;
    }
}

void EncodeRleRow(ByteSink& out, const uchar* row, int width) {
    int x = 0;
    while (x < width) {
        if (StartsRun(row, x, width)) {
            const int run = RunLength(row, x, width);
            out.U8(run);
            out.U8(row[x]);
            x += run;
            continue;
        }
        int end = x;
        while (end < width && end - x < kMaxRun && !StartsRun(row, end, width))
            ++end;
        const int count = end - x;
        if (count < kMinAbsoluteRun) {
            EncodedRuns(out, row, x, end);
        } else {
            out.U8(0);
            out.U8(count);
            for (int i = x; i < end; ++i)
                out.U8(row[i]);
            if (count % 2)
                out.U8(0); // absolute runs end on a 16-bit boundary
        }
        x = end;
    }
}

} // namespace

QByteArray EncodeRle8(const QImage& indexed) {
    QByteArray bytes;
    ByteSink out(bytes);
    for (int y = indexed.height() - 1; y >= 0; --y) {
        EncodeRleRow(out, indexed.constScanLine(y), indexed.width());
        if (y > 0) {
            out.U8(0); // end of line
            out.U8(0);
        }
    }
    out.U8(0); // end of bitmap
    out.U8(1);
    return bytes;
}

QByteArray EncodeBmp(const QImage& image, const BmpOptions& options) {
    if (!Suits(image, options.format))
        return {};
    const int bitCount = BitCount(options.format);
    const bool core = options.format == BmpFormat::core8;
    const bool rle = options.format == BmpFormat::rle8;
    const QList<QRgb> table =
        options.format == BmpFormat::rgb24 ? QList<QRgb>() : TableFor(image, options);
    const QByteArray bits = rle ? EncodeRle8(image) : UncompressedBits(image, bitCount);
    const int headerSize = int(core ? kCoreHeaderSize : kInfoHeaderSize);
    const qsizetype tableSize = table.size() * (core ? 3 : 4);
    const qsizetype offBits = qsizetype(kFileHeaderSize) + headerSize + tableSize;

    QByteArray file;
    file.reserve(offBits + bits.size());
    ByteSink out(file);
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<quint32>(offBits + bits.size()));
    out.U32(0); // both reserved fields
    out.U32(static_cast<quint32>(offBits));
    if (core) {
        WriteCoreHeader(out, image, bitCount);
    } else {
        const quint32 used = options.explicitColourCount ? quint32(table.size()) : 0;
        WriteInfoHeader(out, image, bitCount, rle ? kBiRle8 : kBiRgb,
                        static_cast<quint32>(bits.size()), used);
    }
    for (QRgb colour : table) {
        out.U8(qBlue(colour));
        out.U8(qGreen(colour));
        out.U8(qRed(colour));
        if (!core)
            out.U8(0);
    }
    file.append(bits);
    return file;
}
