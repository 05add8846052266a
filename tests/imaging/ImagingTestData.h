#pragma once

#include "Dib.h"

#include <QImage>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <vector>

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
