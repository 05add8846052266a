#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <cstdint>
#include <optional>
#include <vector>

// Little-endian fields of a .BMP file, read as the programs read them.
inline std::uint32_t U32At(const QByteArray& bytes, qsizetype offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

inline std::uint16_t U16At(const QByteArray& bytes, qsizetype offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                      static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

// An indexed image of the given size whose pixels run through the palette in
// a scrambled but fixed order.
inline QImage ScrambledIndexed(int width, int height, const QList<QRgb>& palette,
                               std::uint32_t seed) {
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
