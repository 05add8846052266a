#include "DibLayout.h"

#include "Dib.h"

namespace {

std::uint32_t ReadU16(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}

std::uint32_t ReadU32(const std::uint8_t* p) {
    return ReadU16(p) | ReadU16(p + 2) << 16;
}

std::int64_t ReadS32(const std::uint8_t* p) {
    return std::int32_t(ReadU32(p));
}

// The colour count as the header queries give it: colours-used (low 16 bits)
// when an information header sets it, otherwise the full table of the bit count.
std::uint32_t ColorCount(const DibLayout& layout, std::uint32_t colorsUsed) {
    if (layout.form == DibForm::Info && (colorsUsed & 0xFFFF) != 0)
        return colorsUsed & 0xFFFF;
    return ColorCountOfBitCount(layout.bitCount);
}

bool IsSupported(const DibLayout& layout) {
    switch (static_cast<DibCompression>(layout.compression)) {
    case DibCompression::None:
        return layout.bitCount == 1 || layout.bitCount == 4 || layout.bitCount == 8 ||
               layout.bitCount == 16 || layout.bitCount == 24 || layout.bitCount == 32;
    case DibCompression::Rle8:
        return layout.bitCount == 8;
    case DibCompression::Rle4:
        return layout.bitCount == 4;
    }
    return false;
}

} // namespace

std::optional<DibLayout> ParseDibHeader(const std::uint8_t* block, std::size_t size) {
    if (!block || size < 4)
        return std::nullopt;
    DibLayout layout;
    layout.headerSize = ReadU32(block);
    std::uint32_t colorsUsed = 0;
    if (layout.headerSize == kInfoHeaderSize) {
        if (size < kInfoHeaderSize)
            return std::nullopt;
        layout.form = DibForm::Info;
        layout.width = ReadS32(block + 4);
        layout.height = ReadS32(block + 8);
        layout.bitCount = ReadU16(block + 14);
        layout.compression = ReadU32(block + 16);
        colorsUsed = ReadU32(block + 32);
        layout.colorEntrySize = 4;
    } else {
        // Any other size is read as a core header; one too small to hold the
        // core fields would put the colour table on top of them.
        if (layout.headerSize < kCoreHeaderSize || size < kCoreHeaderSize)
            return std::nullopt;
        layout.form = DibForm::Core;
        layout.width = ReadU16(block + 4);
        layout.height = ReadU16(block + 6);
        layout.bitCount = ReadU16(block + 10);
        layout.colorEntrySize = 3;
    }
    layout.colorCount = ColorCount(layout, colorsUsed);
    layout.colorTableOffset = layout.headerSize;
    layout.bitsOffset =
        layout.colorTableOffset + std::uint64_t(layout.colorCount) * layout.colorEntrySize;
    if (layout.headerSize > size || layout.bitsOffset > size)
        return std::nullopt;
    return layout;
}

std::optional<DibLayout> ParseDibLayout(const std::uint8_t* block, std::size_t size) {
    std::optional<DibLayout> layout = ParseDibHeader(block, size);
    if (!layout)
        return std::nullopt;
    DibLayout& l = *layout;
    if (l.width <= 0 || l.height <= 0 || l.width > kMaxDibSide || l.height > kMaxDibSide)
        return std::nullopt;
    if (!IsSupported(l))
        return std::nullopt;
    l.rowSize = BitmapRowSize(std::uint32_t(l.width), std::uint16_t(l.bitCount));
    const std::uint64_t available = size - l.bitsOffset;
    if (l.compression == std::uint32_t(DibCompression::None)) {
        l.bitsSize = l.rowSize * std::uint64_t(l.height);
        if (l.bitsSize > available)
            return std::nullopt;
    } else {
        if (l.width * l.height > kMaxDibScratchPixels)
            return std::nullopt;
        l.bitsSize = available;
    }
    return layout;
}
