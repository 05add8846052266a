#pragma once

#include <cstdint>

// The constants of the ".BMP" format that the reader, the writer and the
// painter share.

// The ".BMP" file header before the bitmap: type "BM", file size, two
// reserved fields, offset of the bits.
inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::uint16_t kBitmapType = 0x4D42; // "BM"

// Header forms: exactly 40 is an information header; any other size, 12 or
// not, is read as a core header.
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
enum class DibForm { Info, Core };

// Bytes per colour-table entry: blue, green, red and a reserved byte after an
// information header; blue, green, red after a core header.
inline constexpr std::uint32_t kInfoColorEntrySize = 4;
inline constexpr std::uint32_t kCoreColorEntrySize = 3;

// The compression field as stored; values other than these are kept as they
// are and painted by nobody.
enum class DibCompression : std::uint32_t { None = 0, Rle8 = 1, Rle4 = 2 };

// Largest width or height the painter draws.
inline constexpr std::int64_t kMaxDibSide = 32768;
// Largest number of pixels decoded into a scratch image (RLE has no size bound
// from its data: a few bytes may claim a huge picture).
inline constexpr std::int64_t kMaxDibScratchPixels = std::int64_t{1} << 24;
