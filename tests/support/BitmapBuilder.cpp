#include "BitmapBuilder.h"

#include "DibRenderer.h"

#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

void PutU16(Bytes& bytes, std::size_t offset, std::uint16_t value) {
    bytes.at(offset) = static_cast<std::uint8_t>(value);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    PutU16(bytes, offset, static_cast<std::uint16_t>(value));
    PutU16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t GetU32(const Bytes& bytes, std::size_t offset) {
    return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
           std::uint32_t(bytes.at(offset + 3)) << 24;
}

Bytes InfoHeader(const InfoFields& f) {
    Bytes header(40, 0);
    PutU32(header, 0, 40);
    PutU32(header, 4, static_cast<std::uint32_t>(f.width));
    PutU32(header, 8, static_cast<std::uint32_t>(f.height));
    PutU16(header, 12, 1);
    PutU16(header, 14, f.bitCount);
    PutU32(header, 16, f.compression);
    PutU32(header, 20, f.imageSize);
    PutU32(header, 32, f.colorsUsed);
    return header;
}

Bytes CoreHeader(std::uint16_t width, std::uint16_t height, std::uint16_t bitCount,
                 std::uint32_t headerSize) {
    Bytes header(headerSize, 0);
    PutU32(header, 0, headerSize);
    PutU16(header, 4, width);
    PutU16(header, 6, height);
    PutU16(header, 8, 1);
    PutU16(header, 10, bitCount);
    return header;
}

Bytes WithTableAndBits(Bytes header, const std::vector<QRgb>& colors, std::size_t pixelBytes,
                       std::uint8_t pixelValue) {
    const bool info = GetU32(header, 0) == 40;
    for (QRgb c : colors) {
        header.insert(header.end(),
                      {std::uint8_t(qBlue(c)), std::uint8_t(qGreen(c)), std::uint8_t(qRed(c))});
        if (info)
            header.push_back(0);
    }
    header.insert(header.end(), pixelBytes, pixelValue);
    return header;
}

Bytes SolidTrueColor(int width, int height, QRgb color) {
    Bytes dib = InfoHeader({width, height, 24, 0, 0, 0});
    const std::size_t row = (std::size_t(width) * 24 + 31) / 32 * 4;
    Bytes rowBytes(row, 0);
    for (int x = 0; x < width; ++x) {
        rowBytes[3 * x] = std::uint8_t(qBlue(color));
        rowBytes[3 * x + 1] = std::uint8_t(qGreen(color));
        rowBytes[3 * x + 2] = std::uint8_t(qRed(color));
    }
    for (int y = 0; y < height; ++y)
        dib.insert(dib.end(), rowBytes.begin(), rowBytes.end());
    return dib;
}

Bytes TwoBand8Bit(int width, int height, int topRows, QRgb top, QRgb bottom) {
    std::vector<QRgb> colors(256, qRgb(0, 0, 0));
    colors[1] = top;
    colors[2] = bottom;
    Bytes dib = WithTableAndBits(InfoHeader({width, height, 8, 0, 0, 0}), colors, 0);
    const std::size_t row = (std::size_t(width) + 3) / 4 * 4;
    // Stored bottom-up: the last rows of the block are the top of the picture.
    for (int stored = 0; stored < height; ++stored)
        dib.insert(dib.end(), row, stored >= height - topRows ? 1 : 2);
    return dib;
}

HDIB ToHandle(const Bytes& bytes, std::size_t slack) {
    HDIB hDIB = HDIB::Alloc(bytes.size() + slack);
    GlobalLockGuard lock(hDIB);
    std::copy(bytes.begin(), bytes.end(), lock.Data());
    return hDIB;
}

Bytes HandleBytes(HDIB& hDIB) {
    GlobalLockGuard lock(hDIB);
    if (!lock.Data())
        return {};
    return Bytes(lock.Data(), lock.Data() + lock.Size());
}

Bytes ReadHostFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

void WriteHostFile(const QString& path, const Bytes& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

QImage SentinelImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(kSentinel);
    return image;
}

QRect PaintedRect(const QImage& image) {
    QRect painted;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != kSentinel)
                painted |= QRect(x, y, 1, 1);
        }
    }
    return painted;
}

Bytes BuildDib(const DibRecipe& recipe) {
    Bytes dib;
    if (recipe.core) {
        dib = CoreHeader(std::uint16_t(recipe.width), std::uint16_t(recipe.height),
                         std::uint16_t(recipe.bitCount));
    } else {
        dib =
            InfoHeader({recipe.width, recipe.height, std::uint16_t(recipe.bitCount),
                        recipe.compression, std::uint32_t(recipe.bits.size()), recipe.colorsUsed});
        PutU32(dib, 24, 2835); // 72 pixels per inch
        PutU32(dib, 28, 2835);
    }
    dib = WithTableAndBits(dib, recipe.colors, 0);
    dib.insert(dib.end(), recipe.bits.begin(), recipe.bits.end());
    return dib;
}

Bytes StoreRows(const std::vector<Bytes>& topDownRows) {
    Bytes out;
    for (auto row = topDownRows.rbegin(); row != topDownRows.rend(); ++row) {
        Bytes padded = *row;
        padded.resize((padded.size() + 3) / 4 * 4, 0);
        out.insert(out.end(), padded.begin(), padded.end());
    }
    return out;
}

QImage RenderDib(const std::uint8_t* block, std::size_t size, const QRect& source,
                 const QSize& targetSize, int* lines) {
    QImage image(targetSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const int result = DrawDib(painter, QRect(QPoint(0, 0), targetSize), block, size, source);
    painter.end();
    if (lines)
        *lines = result;
    return image;
}

QImage RenderDib(const Bytes& block, const QRect& source, const QSize& targetSize, int* lines) {
    return RenderDib(block.data(), block.size(), source, targetSize, lines);
}

QByteArray BmpFile(int width, int height, int seed, bool eightBit) {
    std::vector<QRgb> greys;
    if (eightBit) {
        for (int i = 0; i < 256; ++i)
            greys.push_back(qRgb(i, i, i));
    }
    const std::uint16_t bitCount = eightBit ? 8 : 24;
    const std::size_t row = BitmapRowSize(std::uint32_t(width), bitCount);
    Bytes pixel = eightBit
                      ? Bytes{std::uint8_t(seed)}
                      : Bytes{std::uint8_t(seed), std::uint8_t(255 - seed), std::uint8_t(seed / 2)};
    Bytes rowBytes;
    for (int x = 0; x < width; ++x)
        rowBytes.insert(rowBytes.end(), pixel.begin(), pixel.end());
    rowBytes.resize(row, 0);
    Bytes dib = WithTableAndBits(
        InfoHeader({width, height, bitCount, 0, std::uint32_t(row * height), 0}), greys, 0);
    for (int y = 0; y < height; ++y)
        dib.insert(dib.end(), rowBytes.begin(), rowBytes.end());
    Bytes file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, std::uint32_t(14 + dib.size()));
    PutU32(file, 10, std::uint32_t(14 + 40 + 4 * greys.size()));
    file.insert(file.end(), dib.begin(), dib.end());
    return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}

std::uint32_t U32At(const QByteArray& bytes, qsizetype offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

std::uint16_t U16At(const QByteArray& bytes, qsizetype offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                      static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

QImage ScrambledIndexed(int width, int height, const QList<QRgb>& palette, std::uint32_t seed) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            // Stretches of one colour between the scrambled pixels, so both
            // kinds of RLE runs occur.
            const bool same = (seed >> 28) < 6 && x > 0;
            image.scanLine(y)[x] =
                same ? image.scanLine(y)[x - 1] : static_cast<uchar>((seed >> 16) % palette.size());
        }
    }
    return image;
}
