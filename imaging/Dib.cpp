#include "Dib.h"

#include <cstring>

std::uint32_t BitmapHeaderSize(DibBytes dib) {
    return ReadDibHeader(dib).headerSize;
}

bool IsInfoHeader(DibBytes dib) {
    return ReadDibHeader(dib).form == DibForm::Info;
}

std::uint32_t BitmapWidth(DibBytes dib) {
    return ReadDibHeader(dib).width;
}

std::uint32_t BitmapHeight(DibBytes dib) {
    return ReadDibHeader(dib).height;
}

std::uint16_t BitmapBitCount(DibBytes dib) {
    return ReadDibHeader(dib).bitCount;
}

std::uint32_t BitmapCompression(DibBytes dib) {
    return static_cast<std::uint32_t>(ReadDibHeader(dib).compression);
}

std::uint32_t BitmapImageSize(DibBytes dib) {
    return ReadDibHeader(dib).imageSize;
}

std::uint16_t BitmapColorCount(DibBytes dib) {
    return ReadDibHeader(dib).colorCount;
}

std::uint16_t BitmapColorTableSize(DibBytes dib) {
    return static_cast<std::uint16_t>(ReadDibHeader(dib).colorTableBytes);
}

std::uint64_t BitmapBitsOffset(DibBytes dib) {
    return ReadDibHeader(dib).bitsOffset;
}

const std::uint8_t* BitmapBits(DibBytes dib) {
    const std::uint64_t offset = ReadDibHeader(dib).bitsOffset;
    if (offset > dib.size())
        return nullptr;
    return dib.data() + offset;
}

bool BitmapColorTableFits(DibBytes dib) {
    return ReadDibHeader(dib).colorTableInBlock;
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
