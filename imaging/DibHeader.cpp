#include "DibHeader.h"

namespace {

// Little-endian fields; the caller has checked that they lie within the block.
std::uint16_t ReadU16(DibBytes dib, std::size_t offset) {
    return static_cast<std::uint16_t>(dib[offset] | dib[offset + 1] << 8);
}

std::uint32_t ReadU32(DibBytes dib, std::size_t offset) {
    return ReadU16(dib, offset) | std::uint32_t(ReadU16(dib, offset + 2)) << 16;
}

// Fills the form's fields; returns colours-used (0 for a core header).
std::uint32_t ReadFields(DibBytes dib, DibHeader& h) {
    if (h.form == DibForm::Core) {
        h.width = ReadU16(dib, 4);
        h.height = ReadU16(dib, 6);
        h.bitCount = ReadU16(dib, 10);
        return 0;
    }
    h.width = ReadU32(dib, 4);
    h.height = ReadU32(dib, 8);
    h.bitCount = ReadU16(dib, 14);
    h.compression = static_cast<DibCompression>(ReadU32(dib, 16));
    h.imageSize = ReadU32(dib, 20);
    return ReadU32(dib, 32);
}

} // namespace

DibHeader ReadDibHeader(DibBytes dib) {
    DibHeader h;
    if (dib.size() >= 4)
        h.headerSize = ReadU32(dib, 0);
    const bool info = h.headerSize == kInfoHeaderSize;
    h.form = info ? DibForm::Info : DibForm::Core;
    h.colorEntrySize = info ? kInfoColorEntrySize : kCoreColorEntrySize;
    h.fieldsInBlock = dib.size() >= (info ? kInfoHeaderSize : kCoreHeaderSize);
    const std::uint32_t colorsUsed = h.fieldsInBlock ? ReadFields(dib, h) : 0;
    h.colorCount =
        colorsUsed != 0 ? static_cast<std::uint16_t>(colorsUsed) : ColorCountOfBitCount(h.bitCount);
    h.colorTableBytes = std::uint64_t(h.colorCount) * h.colorEntrySize;
    h.bitsOffset = std::uint64_t(h.headerSize) + h.colorTableBytes;
    // A header size too small for the core fields would put the colour table
    // on top of them.
    h.colorTableInBlock =
        h.fieldsInBlock && h.headerSize >= kCoreHeaderSize && h.bitsOffset <= dib.size();
    return h;
}

std::uint16_t ColorCountOfBitCount(std::uint16_t bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::uint64_t BitmapRowSize(std::uint32_t width, std::uint16_t bitCount) {
    return (std::uint64_t(width) * bitCount + 31) / 32 * 4;
}
