#include "DibConvert.h"

#include <cstring>

namespace {
void Put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
void Put32(std::uint8_t* at, std::uint32_t value) {
    Put16(at, static_cast<std::uint16_t>(value));
    Put16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

// Fills the new block while the source is locked; the copy is unlocked
// again before it is handed out.
void FillInfoCopy(HDIB& hCopy, const DibHeader& header, DibBytes dib, std::uint64_t tableBytes,
                  std::uint64_t pixelBytes) {
    GlobalLockGuard copy(hCopy);
    std::uint8_t* out = copy.Data();
    Put32(out, kInfoHeaderSize);
    Put32(out + 4, header.width);
    Put32(out + 8, header.height);
    Put16(out + 12, 1);
    Put16(out + 14, header.bitCount);
    Put32(out + 20, static_cast<std::uint32_t>(pixelBytes));
    Put32(out + 32, header.colorCount);
    // The other fields (compression none, resolutions, important colours) stay zero.
    const std::uint8_t* table = dib.data() + header.headerSize;
    std::uint8_t* wide = out + kInfoHeaderSize;
    for (std::uint32_t i = 0; i < header.colorCount; ++i)
        std::memcpy(wide + i * kInfoColorEntrySize, table + i * kCoreColorEntrySize,
                    kCoreColorEntrySize);
    if (pixelBytes > 0)
        std::memcpy(wide + tableBytes, dib.data() + header.bitsOffset,
                    static_cast<std::size_t>(pixelBytes));
}
} // namespace

HDIB InfoHeaderCopy(HDIB& hSource) {
    if (!hSource)
        return {};
    GlobalLockGuard source(hSource);
    const DibBytes dib = LockedDib(source);
    const DibHeader header = ReadDibHeader(dib);
    if (header.form != DibForm::Core || !header.fieldsInBlock || !header.colorTableInBlock)
        return {};
    // A core header's width and height are 16-bit: the product fits 64 bits.
    const std::uint64_t pixelBytes = BitmapRowSize(header.width, header.bitCount) * header.height;
    if (header.bitsOffset > dib.size() || pixelBytes > dib.size() - header.bitsOffset)
        return {};
    const std::uint64_t tableBytes = std::uint64_t{header.colorCount} * kInfoColorEntrySize;
    HDIB hCopy = HDIB::Alloc(static_cast<std::size_t>(kInfoHeaderSize + tableBytes + pixelBytes));
    if (!hCopy)
        return {};
    FillInfoCopy(hCopy, header, dib, tableBytes, pixelBytes);
    return hCopy;
}
