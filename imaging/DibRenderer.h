#pragma once

#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>

class QPainter;

// Paints a packed DIB (header, colour table, bits, as held in a locked block
// of blockSize bytes) through QPainter. The source rectangle is in bitmap
// pixels with its top measured from the picture's top row; the target is in
// the painter's units. Equal sizes paint one to one, others scale without
// smoothing. The header is checked against the block before any pixel or
// colour is read: a bitmap that would reach past the block paints nothing.
// Returns the number of scan lines painted, 0 on failure.
int DrawDib(QPainter& painter, const QRect& target, const std::uint8_t* block,
            std::size_t blockSize, const QRect& source);

// The bitmap in the block painted at its natural size onto white, as a 32-bit
// image; null when it cannot be painted or a side is longer than largestSide.
QImage DibImage(const std::uint8_t* block, std::size_t blockSize, int largestSide);
