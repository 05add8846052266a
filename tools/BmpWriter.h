#pragma once

#include "DibFormat.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Writes .BMP files byte by byte, in the forms the demo CD uses so that the
// programs' reader meets each of them: bottom-up rows padded to 4 bytes, a
// 14-byte file header whose offset of the bits is 14 + header + colour table.
enum class BmpFormat {
    indexed8, // information header, 8 bits, uncompressed
    rle8,     // information header, 8 bits, RLE8
    indexed4, // information header, 4 bits, uncompressed
    rgb24,    // information header, 24 bits
    core8,    // 12-byte core header, 8 bits, 3-byte colour entries
};

struct BmpOptions {
    BmpFormat format = BmpFormat::indexed8;
    // Write the number of colours into the header rather than 0 for "all that
    // the depth allows"; the table then holds only the image's own colours.
    bool explicitColourCount = false;
};

// 6 x 6 x 6 colour cube followed by 40 greys: 256 colours.
QList<QRgb> CubePalette();

// The image as Format_Indexed8 over the palette, each pixel the nearest entry.
QImage MapToPalette(const QImage& image, const QList<QRgb>& palette);

// The bytes of a .BMP file. The indexed forms take a Format_Indexed8 image
// whose colour table fits the depth (at most 16 entries for indexed4); rgb24
// takes any image. Empty for an image that does not suit the form.
QByteArray EncodeBmp(const QImage& image, const BmpOptions& options);

// The RLE8 pixel data of an indexed image: rows bottom-up, encoded runs and
// absolute runs, end of line after each row but the last, end of bitmap.
QByteArray EncodeRle8(const QImage& indexed);

// Bytes per row of pixels, padded to a multiple of 4.
constexpr qsizetype BmpRowSize(qsizetype width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}
