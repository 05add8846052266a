#pragma once

#include "GlobalBlock.h"

#include <cstddef>
#include <cstdint>
#include <span>

// A packed device-independent bitmap in a movable, zero-filled block: the
// header at offset 0, the colour table right after it, then the pixel bits.
// The ".BMP" file header is not part of the block. The handle is move-only
// and frees its block; an empty handle is "none".
using HDIB = GlobalBlock;

// The bytes of a locked block. Every query below takes the whole block, not
// just its address, so that a block shorter than the header it claims is
// never read past: a field that does not lie within the block reads as 0.
using DibBytes = std::span<const std::uint8_t>;

inline DibBytes LockedDib(const GlobalLockGuard& lock) {
    return {lock.Data(), lock.Data() ? lock.Size() : 0};
}

// Header forms: exactly 40 is an information header; any other size,
// 12 or not, is read as a core header.
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2 };

std::uint32_t BitmapHeaderSize(DibBytes dib);
bool IsInfoHeader(DibBytes dib);
// Width and height as unsigned 32-bit values; a core header's 16-bit fields
// are zero-extended, an information header's signed fields are taken as they
// are (a negative size shows as a value above 0x7FFFFFFF).
std::uint32_t BitmapWidth(DibBytes dib);
std::uint32_t BitmapHeight(DibBytes dib);
std::uint16_t BitmapBitCount(DibBytes dib);
// Compression and image size exist only in an information header (0 otherwise).
std::uint32_t BitmapCompression(DibBytes dib);
std::uint32_t BitmapImageSize(DibBytes dib);
// Colours used when non-zero (its low 16 bits), otherwise 2, 16 or 256 for
// 1, 4 or 8 bits per pixel and 0 for deeper bitmaps.
std::uint16_t BitmapColorCount(DibBytes dib);
// The full colour table of a bit count: 2, 16 or 256; 0 for direct colours.
std::uint16_t ColorCountOfBitCount(std::uint16_t bitCount);
// Colour count x 4 after an information header, x 3 after a core header.
std::uint16_t BitmapColorTableSize(DibBytes dib);
// Offset of the pixel bits: header size + colour-table size (64-bit, since
// the header size is whatever the block's first value says).
std::uint64_t BitmapBitsOffset(DibBytes dib);
// The pixel bits, or nullptr when they would start beyond the block.
const std::uint8_t* BitmapBits(DibBytes dib);
// Whether the whole header and the colour table lie within the block. Every
// routine that looks at colours checks this first.
bool BitmapColorTableFits(DibBytes dib);

// Bytes of one padded row: ((width x bit count + 31) / 32) x 4, in 64 bits.
std::uint64_t BitmapRowSize(std::uint32_t width, std::uint16_t bitCount);

// A zero-filled block of the source's allocated size holding a copy of every
// byte; none for none or when the memory cannot be had.
HDIB CopyGlobalBlock(HDIB& hSource);
