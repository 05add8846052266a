#include "DibFuzzTarget.h"

#include "Dib.h"
#include "DibRenderer.h"
#include "Palette.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace {

// The reader's steps over the bytes: "BM" first, then a block as long as the
// input holding everything after the 14-byte file header.
HDIB ReadInput(const std::uint8_t* data, std::size_t size) {
    if (size < 14 || data[0] != 'B' || data[1] != 'M')
        return {};
    HDIB hDIB = HDIB::Alloc(size);
    if (hDIB) {
        GlobalLockGuard lock(hDIB);
        std::memcpy(lock.Data(), data + 14, size - 14);
    }
    return hDIB;
}

// The preparation's size check: a negative width or height drops the bitmap.
bool PrepareSize(HDIB& hDIB, QSize& size) {
    GlobalLockGuard lock(hDIB);
    const DibBytes dib = LockedDib(lock);
    const std::uint32_t width = BitmapWidth(dib), height = BitmapHeight(dib);
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return false;
    size = QSize(int(width), int(height));
    return true;
}

void Paint(HDIB& hDIB, const QSize& size) {
    // The target stays small whatever the header claims: painting clips to it.
    QImage target(size.boundedTo(QSize(64, 64)).expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    GlobalLockGuard lock(hDIB);
    const QRect whole(QPoint(0, 0), size);
    DrawDib(painter, whole, lock.Data(), lock.Size(), whole);
    DrawDib(painter, QRect(0, 0, std::max(1, size.width() / 2), std::max(1, size.height() / 2)),
            lock.Data(), lock.Size(), whole);
    DrawDib(painter, QRect(3, 2, 5, 7), lock.Data(), lock.Size(), QRect(1, 1, 5, 7));
}

} // namespace

void RunDibInput(const std::uint8_t* data, std::size_t size) {
    HDIB hDIB = ReadInput(data, size);
    QSize pictureSize(1, 1);
    if (!hDIB || !PrepareSize(hDIB, pictureSize))
        return;
    CPalette palette;
    CreateBitmapPalette(hDIB, palette);
    Paint(hDIB, pictureSize);
}
