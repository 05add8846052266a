#include "DibFuzzTarget.h"

#include "CMemFile.h"
#include "DibFile.h"
#include "DibRenderer.h"
#include "Picture.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

// The real reader, on a file over the input's own bytes (read in place, so a
// read past them is caught). A memory file raises nothing while it reads.
HDIB ReadInput(const std::uint8_t* data, std::size_t size) {
    CMemFile file(data, size);
    return ReadBitmapFile(file);
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
    Picture picture;
    picture.Prepare(ReadInput(data, size));
    if (picture.HasBitmap())
        Paint(picture.Dib(), picture.Size());
}
