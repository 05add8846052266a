#pragma once

#include "DibLayout.h"

#include <QImage>
#include <array>
#include <cstdint>

// The colours a bitmap's pixel values stand for. Values the colour table does
// not cover (colours-used smaller than the bit count allows, or a bad index)
// are painted opaque black rather than read from beyond the table.
using DibColors = std::array<QRgb, 256>;
DibColors ReadDibColors(const DibLayout& layout, const std::uint8_t* block);

// Decodes the forms not painted straight from the block (4, 8, 16 and 24
// bits, RLE8, RLE4; see DibRenderer.cpp) into a top-down scratch image of the picture's width
// holding rowCount rows from firstRow (counted from the top). Uncompressed forms give RGB32; RLE
// gives ARGB32 premultiplied in which pixels the data leaves unwritten are transparent, or RGB32
// when it writes them all. The layout must come from ParseDibLayout over the same block; a null
// image means no memory.
QImage DecodeDibRows(const DibLayout& layout, const std::uint8_t* block, const DibColors& colors,
                     int firstRow, int rowCount);
