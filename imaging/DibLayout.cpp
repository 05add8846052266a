#include "DibLayout.h"

namespace {

bool IsSupported(const DibHeader& header) {
    switch (header.compression) {
    case DibCompression::None:
        return header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8 ||
               header.bitCount == 16 || header.bitCount == 24 || header.bitCount == 32;
    case DibCompression::Rle8:
        return header.bitCount == 8;
    case DibCompression::Rle4:
        return header.bitCount == 4;
    }
    return false;
}

bool IsDrawableSide(std::int64_t side) {
    return side > 0 && side <= kMaxDibSide;
}

} // namespace

std::optional<DibLayout> ParseDibLayout(DibBytes dib) {
    DibLayout layout;
    layout.header = ReadDibHeader(dib);
    const DibHeader& h = layout.header;
    // A core header's 16-bit sides are never negative as 32-bit values.
    const std::int64_t width = std::int32_t(h.width);
    const std::int64_t height = std::int32_t(h.height);
    if (!h.colorTableInBlock || !IsDrawableSide(width) || !IsDrawableSide(height) ||
        !IsSupported(h))
        return std::nullopt;
    layout.width = int(width);
    layout.height = int(height);
    layout.rowSize = BitmapRowSize(h.width, h.bitCount);
    const std::uint64_t available = dib.size() - h.bitsOffset;
    if (h.compression == DibCompression::None) {
        layout.bitsSize = layout.rowSize * std::uint64_t(height);
        if (layout.bitsSize > available)
            return std::nullopt;
    } else {
        if (width * height > kMaxDibScratchPixels)
            return std::nullopt;
        layout.bitsSize = available;
    }
    return layout;
}
