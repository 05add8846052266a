#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// Where the parts of a packed DIB lie inside its block, worked out from the
// header and checked against the block's real size. Every offset and size is
// computed in 64 bits, so a hostile header cannot wrap a sum around.
enum class DibForm { Info, Core };

enum class DibCompression : std::uint32_t { None = 0, Rle8 = 1, Rle4 = 2 };

struct DibLayout {
    DibForm form = DibForm::Info;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;  // as stored: a core header's 16-bit fields zero-extended
    std::int64_t height = 0; // positive: the rows are stored bottom-up
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorCount = 0;     // entries in the colour table (16-bit rule)
    std::uint32_t colorEntrySize = 0; // 4 after an information header, 3 after a core header
    std::uint64_t colorTableOffset = 0;
    std::uint64_t bitsOffset = 0;
    std::uint64_t rowSize = 0;  // bytes per stored row, padded to 4
    std::uint64_t bitsSize = 0; // bytes of pixel data the painter may read
};

// Largest width or height a picture may have.
inline constexpr std::int64_t kMaxDibSide = 32768;
// Largest number of pixels decoded into a scratch image (RLE has no size bound
// from its data: a few bytes may claim a huge picture).
inline constexpr std::int64_t kMaxDibScratchPixels = std::int64_t{1} << 24;

// The header and the colour table, checked to lie inside the block: enough for
// the colour queries and the palette. Width, height and bits are not judged.
std::optional<DibLayout> ParseDibHeader(const std::uint8_t* block, std::size_t size);

// A bitmap the painter can draw: header and colour table inside the block,
// width and height 1 to kMaxDibSide, a supported bit count and compression
// (1, 4, 8, 16, 24, 32 bits uncompressed; RLE8 at 8 bits, RLE4 at 4 bits), and
// for uncompressed bits every row inside the block. Anything else gives none.
std::optional<DibLayout> ParseDibLayout(const std::uint8_t* block, std::size_t size);
