#pragma once

#include "DibFormat.h"

#include <cstddef>
#include <cstdint>
#include <span>

// The bytes of a packed device-independent bitmap: the header at offset 0,
// the colour table right after it, then the pixel bits. Always the whole
// block, not just its address, so that a block shorter than the header it
// claims is never read past.
using DibBytes = std::span<const std::uint8_t>;

// A bitmap's header, read once from its block: the only code that reads
// header bytes. Every header query, the palette, the writer and the painter's
// layout are views of it.
//
// The form's fields are read only when all of them lie within the block (40
// bytes for an information header, 12 for a core header); otherwise they all
// read as 0. The header size reads as 0 from a block shorter than 4 bytes.
struct DibHeader {
    std::uint32_t headerSize = 0; // the block's first 32-bit value
    DibForm form = DibForm::Core;
    // As stored: a core header's 16-bit fields zero-extended, an information
    // header's signed fields taken as they are (a negative size shows as a
    // value above 0x7FFFFFFF).
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitCount = 0;
    // Compression and image size exist only in an information header.
    DibCompression compression = DibCompression::None;
    std::uint32_t imageSize = 0;
    // Colours-used when an information header sets it (its low 16 bits: 0x10000
    // gives 0), otherwise 2, 16 or 256 for 1, 4 or 8 bits and 0 for deeper bitmaps.
    std::uint16_t colorCount = 0;
    std::uint32_t colorEntrySize = kCoreColorEntrySize;
    // The colour table follows the header: colorCount entries, in 64 bits.
    std::uint64_t colorTableBytes = 0;
    // Header size + the full colour table in 64 bits. The reader, the painter
    // and the writer all take the bits from here; a 16-bit table size would
    // wrap above 16383 colours and cut the table short.
    std::uint64_t bitsOffset = 0;
    bool fieldsInBlock = false;
    // The whole header (headerSize bytes, at least the core fields) and the
    // colour table lie within the block. Whatever reads colours checks this.
    bool colorTableInBlock = false;
};

DibHeader ReadDibHeader(DibBytes dib);

// The full colour table of a bit count: 2, 16 or 256; 0 for direct colours.
std::uint16_t ColorCountOfBitCount(std::uint16_t bitCount);

// Bytes of one padded row: ((width x bit count + 31) / 32) x 4, in 64 bits.
std::uint64_t BitmapRowSize(std::uint32_t width, std::uint16_t bitCount);
