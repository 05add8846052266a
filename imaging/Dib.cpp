#include "Dib.h"

#include "DibLayout.h"

#include <cstring>

namespace {

// Little-endian fields; a field that does not lie within the block reads as 0.
std::uint32_t ReadU32(DibBytes dib, std::size_t offset) {
    if (dib.size() < offset + 4)
        return 0;
    return std::uint32_t(dib[offset]) | std::uint32_t(dib[offset + 1]) << 8 |
           std::uint32_t(dib[offset + 2]) << 16 | std::uint32_t(dib[offset + 3]) << 24;
}

std::uint16_t ReadU16(DibBytes dib, std::size_t offset) {
    if (dib.size() < offset + 2)
        return 0;
    return static_cast<std::uint16_t>(dib[offset] | dib[offset + 1] << 8);
}

// An information header's fields count only when the whole header is there.
bool HasInfoHeader(DibBytes dib) {
    return IsInfoHeader(dib) && dib.size() >= kInfoHeaderSize;
}
bool HasCoreFields(DibBytes dib) {
    return !IsInfoHeader(dib) && dib.size() >= kCoreHeaderSize;
}

} // namespace

std::uint32_t BitmapHeaderSize(DibBytes dib) {
    return ReadU32(dib, 0);
}

bool IsInfoHeader(DibBytes dib) {
    return BitmapHeaderSize(dib) == kInfoHeaderSize;
}

std::uint32_t BitmapWidth(DibBytes dib) {
    if (HasInfoHeader(dib))
        return ReadU32(dib, 4);
    return HasCoreFields(dib) ? ReadU16(dib, 4) : 0;
}

std::uint32_t BitmapHeight(DibBytes dib) {
    if (HasInfoHeader(dib))
        return ReadU32(dib, 8);
    return HasCoreFields(dib) ? ReadU16(dib, 6) : 0;
}

std::uint16_t BitmapBitCount(DibBytes dib) {
    if (HasInfoHeader(dib))
        return ReadU16(dib, 14);
    return HasCoreFields(dib) ? ReadU16(dib, 10) : 0;
}

std::uint32_t BitmapCompression(DibBytes dib) {
    return HasInfoHeader(dib) ? ReadU32(dib, 16) : 0;
}

std::uint32_t BitmapImageSize(DibBytes dib) {
    return HasInfoHeader(dib) ? ReadU32(dib, 20) : 0;
}

std::uint16_t BitmapColorCount(DibBytes dib) {
    if (HasInfoHeader(dib)) {
        const std::uint32_t used = ReadU32(dib, 32);
        if (used != 0)
            return static_cast<std::uint16_t>(used);
    }
    return ColorCountOfBitCount(BitmapBitCount(dib));
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

std::uint16_t BitmapColorTableSize(DibBytes dib) {
    const unsigned entrySize = IsInfoHeader(dib) ? 4 : 3;
    // 16 bits, as every caller takes it: 65535 colours wrap here.
    return static_cast<std::uint16_t>(BitmapColorCount(dib) * entrySize);
}

std::uint64_t BitmapBitsOffset(DibBytes dib) {
    return std::uint64_t(BitmapHeaderSize(dib)) + BitmapColorTableSize(dib);
}

const std::uint8_t* BitmapBits(DibBytes dib) {
    const std::uint64_t offset = BitmapBitsOffset(dib);
    if (offset > dib.size())
        return nullptr;
    return dib.data() + offset;
}

bool BitmapColorTableFits(DibBytes dib) {
    return ParseDibHeader(dib.data(), dib.size()).has_value();
}

std::uint64_t BitmapRowSize(std::uint32_t width, std::uint16_t bitCount) {
    return (std::uint64_t(width) * bitCount + 31) / 32 * 4;
}

HDIB CopyGlobalBlock(HDIB& hSource) {
    if (!hSource)
        return {};
    HDIB hCopy = HDIB::Alloc(hSource.Size());
    if (!hCopy)
        return {};
    {
        // Both unlocked before the new handle is handed out.
        GlobalLockGuard source(hSource);
        GlobalLockGuard copy(hCopy);
        if (source.Size() > 0)
            std::memcpy(copy.Data(), source.Data(), source.Size());
    }
    return hCopy;
}
