#include "DibFile.h"

#include "File.h"

#include <array>
#include <limits>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint16_t kBitmapType = 0x4D42; // "BM"

void PutU16(std::uint8_t* p, std::uint16_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t value) {
    PutU16(p, static_cast<std::uint16_t>(value));
    PutU16(p + 2, static_cast<std::uint16_t>(value >> 16));
}

// Bytes of the bitmap to write (header, colour table, pixel data), or 0 when
// it cannot be written: not an information header, or a bitmap that would
// reach past its block. *pPixelSize receives the pixel data size.
std::uint64_t WritableBitmapSize(DibBytes dib, std::uint64_t* pPixelSize) {
    if (!IsInfoHeader(dib) || dib.size() < kInfoHeaderSize || !BitmapColorTableFits(dib))
        return 0;
    const std::uint32_t compression = BitmapCompression(dib);
    if (compression == BI_RLE8 || compression == BI_RLE4)
        *pPixelSize = BitmapImageSize(dib);
    else
        *pPixelSize = BitmapRowSize(BitmapWidth(dib), BitmapBitCount(dib)) * BitmapHeight(dib);
    const std::uint64_t size = kInfoHeaderSize + BitmapColorTableSize(dib) + *pPixelSize;
    if (size > dib.size() || size > std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize)
        return 0;
    return size;
}

} // namespace

HDIB ReadBitmapFile(CFile& file) {
    const std::uint64_t length = file.GetLength();
    std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
    if (file.Read(fileHeader.data(), kFileHeaderSize) < kFileHeaderSize)
        return {};
    if ((fileHeader[0] | fileHeader[1] << 8) != kBitmapType)
        return {};
    // The bitmap is read with one request, whose count is 32 bits.
    if (length < kFileHeaderSize ||
        length - kFileHeaderSize > std::numeric_limits<std::uint32_t>::max())
        return {};
    HDIB hDIB = HDIB::Alloc(length);
    if (!hDIB)
        return {};
    const auto wanted = static_cast<std::uint32_t>(length - kFileHeaderSize);
    std::uint32_t received = 0;
    {
        // A file exception unlocks here and frees the block with hDIB.
        GlobalLockGuard lock(hDIB);
        if (wanted > 0)
            received = file.Read(lock.Data(), wanted);
    }
    if (received < wanted)
        return {};
    return hDIB;
}

bool WriteBitmapFile(HDIB& hDIB, CFile& file) {
    if (!hDIB)
        return false;
    GlobalLockGuard lock(hDIB);
    if (!lock.Data())
        return false;
    const DibBytes dib = LockedDib(lock);
    std::uint64_t pixelSize = 0;
    const std::uint64_t bitmapSize = WritableBitmapSize(dib, &pixelSize);
    if (bitmapSize == 0)
        return false;
    // The held bitmap is corrected in place, so a wrong image size in a file
    // that was read is repaired by writing it out.
    const std::uint32_t compression = BitmapCompression(dib);
    if (compression != BI_RLE8 && compression != BI_RLE4)
        PutU32(lock.Data() + 20, static_cast<std::uint32_t>(pixelSize));

    std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
    PutU16(&fileHeader[0], kBitmapType);
    PutU32(&fileHeader[2], static_cast<std::uint32_t>(bitmapSize + kFileHeaderSize));
    PutU32(&fileHeader[10], kFileHeaderSize + kInfoHeaderSize + BitmapColorTableSize(dib));
    // A file exception passes on; the guard unlocks the block.
    file.Write(fileHeader.data(), kFileHeaderSize);
    file.Write(lock.Data(), static_cast<std::uint32_t>(bitmapSize));
    return true;
}
