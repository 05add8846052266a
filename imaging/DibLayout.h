#pragma once

#include "DibHeader.h"

#include <cstdint>
#include <optional>

// A bitmap the painter can draw: its header (ReadDibHeader) judged against
// the block, with the sizes the painter needs. Every size is computed in 64
// bits, so a hostile header cannot wrap a sum around.
struct DibLayout {
    DibHeader header;
    int width = 0;              // 1 to kMaxDibSide
    int height = 0;             // 1 to kMaxDibSide; the rows are stored bottom-up
    std::uint64_t rowSize = 0;  // bytes per stored row, padded to 4
    std::uint64_t bitsSize = 0; // bytes of pixel data from header.bitsOffset the painter may read
};

// The layout of a bitmap with its header and colour table inside the block,
// width and height 1 to kMaxDibSide, a supported bit count and compression
// (1, 4, 8, 16, 24, 32 bits uncompressed; RLE8 at 8 bits, RLE4 at 4 bits),
// every row inside the block when uncompressed, and no more than
// kMaxDibScratchPixels when RLE. Anything else gives none.
std::optional<DibLayout> ParseDibLayout(DibBytes dib);
