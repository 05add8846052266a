#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

// Hand-built packed DIBs for the painting tests: header, colour table and
// bits exactly as a block holds them.
struct DibRecipe {
    int width = 0;
    int height = 0;
    int bitCount = 8;
    std::uint32_t compression = 0;
    bool core = false;
    std::uint32_t colorsUsed = 0;   // information header only
    std::vector<QRgb> colors;       // written as the colour table
    std::vector<std::uint8_t> bits; // written after the table as they stand
};

using Bytes = std::vector<std::uint8_t>;

// Uncompressed rows given top row first, each padded to 4 bytes and stored bottom-up.
Bytes StoreRows(const std::vector<Bytes>& topDownRows);
Bytes BuildDib(const DibRecipe& recipe);

// Paints the block into a transparent ARGB32 image of targetSize (target at
// 0,0) and reports DrawDib's result through lines.
QImage RenderDib(const Bytes& block, const QRect& source, const QSize& targetSize, int* lines);
QImage RenderDib(const std::uint8_t* block, std::size_t size, const QRect& source,
                 const QSize& targetSize, int* lines);
