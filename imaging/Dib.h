#pragma once

#include "DibHeader.h"
#include "GlobalBlock.h"

#include <cstdint>

// A packed device-independent bitmap in a movable, zero-filled block: the
// header at offset 0, the colour table right after it, then the pixel bits.
// The ".BMP" file header is not part of the block. The handle is move-only
// and frees its block; an empty handle is "none".
using HDIB = GlobalBlock;

inline DibBytes LockedDib(const GlobalLockGuard& lock) {
    return {lock.Data(), lock.Data() ? lock.Size() : 0};
}

// The header queries: each a view of ReadDibHeader (DibHeader.h), so a field
// that does not lie within the block reads as 0.
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
// Colour count x 4 after an information header, x 3 after a core header, as
// a 16-bit value (65535 colours wrap here). Only a size to show: the bits
// start at BitmapBitsOffset.
std::uint16_t BitmapColorTableSize(DibBytes dib);
// Offset of the pixel bits: header size + the full colour table, in 64 bits.
std::uint64_t BitmapBitsOffset(DibBytes dib);
// The pixel bits, or nullptr when they would start beyond the block.
const std::uint8_t* BitmapBits(DibBytes dib);
// Whether the whole header and the colour table lie within the block. Every
// routine that looks at colours checks this first.
bool BitmapColorTableFits(DibBytes dib);

// A zero-filled block of the source's allocated size holding a copy of every
// byte; none for none or when the memory cannot be had.
HDIB CopyGlobalBlock(HDIB& hSource);
