#include "DibFile.h"

#include "File.h"

#include <array>
#include <limits>

namespace {

void PutU16(std::uint8_t* p, std::uint16_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t value) {
    PutU16(p, static_cast<std::uint16_t>(value));
    PutU16(p + 2, static_cast<std::uint16_t>(value >> 16));
}

bool IsRle(const DibHeader& header) {
    return header.compression == DibCompression::Rle8 || header.compression == DibCompression::Rle4;
}

// The pixel data to write: an RLE bitmap's image size as it stands,
// otherwise row size x height.
std::uint64_t PixelSize(const DibHeader& header) {
    if (IsRle(header))
        return header.imageSize;
    return BitmapRowSize(header.width, header.bitCount) * header.height;
}

// Bytes of the bitmap to write (header, the whole colour table, pixel data),
// or 0 when it cannot be written: not an information header, or a bitmap
// that would reach past its block.
std::uint64_t WritableBitmapSize(const DibHeader& header, std::size_t blockSize) {
    if (header.form != DibForm::Info || !header.colorTableInBlock)
        return 0;
    const std::uint64_t size = header.bitsOffset + PixelSize(header);
    if (size > blockSize || size > std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize)
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
    const DibHeader header = ReadDibHeader(LockedDib(lock));
    const std::uint64_t bitmapSize = WritableBitmapSize(header, lock.Size());
    if (bitmapSize == 0)
        return false;
    // The held bitmap is corrected in place, so a wrong image size in a file
    // that was read is repaired by writing it out.
    if (!IsRle(header))
        PutU32(lock.Data() + 20, static_cast<std::uint32_t>(PixelSize(header)));

    std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
    PutU16(&fileHeader[0], kBitmapType);
    PutU32(&fileHeader[2], static_cast<std::uint32_t>(kFileHeaderSize + bitmapSize));
    // Where this writer puts the bits: right after the whole colour table.
    PutU32(&fileHeader[10], static_cast<std::uint32_t>(kFileHeaderSize + header.bitsOffset));
    // A file exception passes on; the guard unlocks the block.
    file.Write(fileHeader.data(), kFileHeaderSize);
    file.Write(lock.Data(), static_cast<std::uint32_t>(bitmapSize));
    return true;
}
