#include "ClipboardCopy.h"

#include "CMemFile.h"
#include "CquelbyDoc.h"
#include "DibConvert.h"
#include "DibFile.h"
#include "DibRenderer.h"
#include "WaitCursor.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace clipboardcopy {

QImage PictureImage(HDIB& hDIB) {
    GlobalLockGuard lock(hDIB);
    if (!lock.Data())
        return {};
    return DibImage(lock.Data(), lock.Size(), static_cast<int>(kMaxDibSide));
}

QByteArray BitmapFileBytes(HDIB& hDIB) {
    // The writer corrects the image size of the block it writes: it writes a
    // duplicate, never the document's own block.
    HDIB copy = CopyGlobalBlock(hDIB);
    if (HDIB widened = InfoHeaderCopy(copy))
        copy = std::move(widened);
    CMemFile file;
    if (!copy || !WriteBitmapFile(copy, file))
        return {};
    return file.Bytes();
}

QMimeData* PictureMimeData(HDIB& hDIB) {
    const QImage image = PictureImage(hDIB);
    QByteArray png;
    if (!image.isNull()) {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    const QByteArray bmp = BitmapFileBytes(hDIB);
    if (png.isEmpty() && bmp.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    if (!png.isEmpty())
        data->setData(QStringLiteral("image/png"), png);
    if (!bmp.isEmpty())
        data->setData(QStringLiteral("image/bmp"), bmp);
    return data;
}

void Copy(CquelbyDoc& doc) {
    if (!doc.HasPicture())
        return;
    CWaitCursor wait;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (QMimeData* data = PictureMimeData(doc.Picture().Dib()))
        clipboard->setMimeData(data);
}

} // namespace clipboardcopy
