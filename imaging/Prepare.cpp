#include "Prepare.h"

#include "MessageReporter.h"
#include "Palette.h"

#include <new>

namespace {

constexpr std::uint32_t kLargestSignedSize = 0x7FFFFFFF;

// Records the picture size; false for a negative width or height.
bool RecordSize(HDIB& hDIB, QSize& size) {
    GlobalLockGuard lock(hDIB);
    const DibHeader header = ReadDibHeader(LockedDib(lock));
    if (header.width > kLargestSignedSize || header.height > kLargestSignedSize)
        return false;
    size = QSize(static_cast<int>(header.width), static_cast<int>(header.height));
    return true;
}

// The common step; false when the bitmap had a negative size and was freed.
bool Prepare(HDIB& hDIB, std::unique_ptr<CPalette>& pPalette, QSize& size) {
    if (!hDIB)
        return true;
    if (!RecordSize(hDIB, size)) {
        hDIB.Free();
        return false;
    }
    pPalette.reset(new (std::nothrow) CPalette);
    if (!pPalette) {
        hDIB.Free();
        return true;
    }
    // A bitmap without a usable colour table is painted without a palette.
    if (!CreateBitmapPalette(hDIB, *pPalette))
        pPalette.reset();
    return true;
}

} // namespace

void PrepareDocumentBitmap(HDIB& hDIB, std::unique_ptr<CPalette>& pPalette, QSize& sizeDoc) {
    Prepare(hDIB, pPalette, sizeDoc);
}

void PrepareSaverBitmap(HDIB& hDIB, std::unique_ptr<CPalette>& pPalette, QSize& sizePicture,
                        MessageReporter& reporter) {
    if (!Prepare(hDIB, pPalette, sizePicture))
        reporter.AppMessage(QStringLiteral("ERROR"));
}
