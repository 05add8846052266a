#pragma once

#include "Dib.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <vector>

// Bitmaps built by hand for the tests: headers with chosen fields, packed
// DIBs as a block holds them, whole .BMP files, and ways to look at what
// painting made of them.
using Bytes = std::vector<std::uint8_t>;

// The fields of an information header that the tests vary.
struct InfoFields {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
};

void PutU16(Bytes& bytes, std::size_t offset, std::uint16_t value);
void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t GetU32(const Bytes& bytes, std::size_t offset);

Bytes InfoHeader(const InfoFields& fields);
// A header of headerSize bytes (12 for a real core header) with the core
// fields at 4, 6, 8 and 10.
Bytes CoreHeader(std::uint16_t width, std::uint16_t height, std::uint16_t bitCount,
                 std::uint32_t headerSize = 12);

// A whole packed bitmap: the header, `colors` as its colour table (4-byte or
// 3-byte entries by the header form) and pixelBytes bytes of bits, each set
// to pixelValue.
Bytes WithTableAndBits(Bytes header, const std::vector<QRgb>& colors, std::size_t pixelBytes,
                       std::uint8_t pixelValue = 0);
// An uncompressed 24-bit bitmap of one colour.
Bytes SolidTrueColor(int width, int height, QRgb color);
// An 8-bit bitmap (colours-used 0, 256 entries) whose top `topRows` rows use
// colour 1 and the rest colour 2.
Bytes TwoBand8Bit(int width, int height, int topRows, QRgb top, QRgb bottom);

HDIB ToHandle(const Bytes& bytes, std::size_t slack = 0);
Bytes HandleBytes(HDIB& hDIB);

Bytes ReadHostFile(const QString& path);
void WriteHostFile(const QString& path, const Bytes& bytes);

// An image filled with kSentinel, and the rectangle of pixels that differ from it.
constexpr QRgb kSentinel = 0xFF010203;
QImage SentinelImage(int width, int height);
QRect PaintedRect(const QImage& image);

// A packed DIB described by its fields: the colours are written as its table
// and the bits after it as they stand.
struct DibRecipe {
    int width = 0;
    int height = 0;
    int bitCount = 8;
    std::uint32_t compression = 0;
    bool core = false;
    std::uint32_t colorsUsed = 0;   // information header only
    std::vector<QRgb> colors;       // written as the colour table
    std::vector<std::uint8_t> bits; // written after the table as they stand
};
Bytes BuildDib(const DibRecipe& recipe);
// Uncompressed rows given top row first, each padded to 4 bytes and stored bottom-up.
Bytes StoreRows(const std::vector<Bytes>& topDownRows);

// Paints the block into a transparent ARGB32 image of targetSize (target at
// 0,0) and reports DrawDib's result through lines.
QImage RenderDib(const Bytes& block, const QRect& source, const QSize& targetSize, int* lines);
QImage RenderDib(const std::uint8_t* block, std::size_t size, const QRect& source,
                 const QSize& targetSize, int* lines);

// A whole .BMP file: 24 bits with every pixel (seed/2, 255-seed, seed), or
// 8 bits over a 256-entry grey table with every pixel of value seed.
QByteArray BmpFile(int width, int height, int seed, bool eightBit = false);

// Little-endian fields of a .BMP file, read as the programs read them.
std::uint32_t U32At(const QByteArray& bytes, qsizetype offset);
std::uint16_t U16At(const QByteArray& bytes, qsizetype offset);

// An indexed image of the given size whose pixels run through the palette in
// a scrambled but fixed order, with stretches of one colour between them.
QImage ScrambledIndexed(int width, int height, const QList<QRgb>& palette, std::uint32_t seed);
