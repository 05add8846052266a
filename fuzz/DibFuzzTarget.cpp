#include "DibFuzzTarget.h"

#include "DibFile.h"
#include "DibRenderer.h"
#include "File.h"
#include "Palette.h"
#include "Prepare.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>

namespace {

// The reader works on an open file: each input is written to one scratch
// file in memory-backed /dev/shm (the temporary folder where there is none).
const QString& ScratchPath() {
    static const QString path =
        (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                   : QDir::tempPath()) +
        QStringLiteral("/quelby-dib-fuzz-%1.bmp").arg(QCoreApplication::applicationPid());
    return path;
}

HDIB ReadInput(const std::uint8_t* data, std::size_t size) {
    QFile scratch(ScratchPath());
    if (!scratch.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        scratch.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return {};
    scratch.close();
    CFile file;
    if (!file.Open(ScratchPath(), CFile::modeRead | CFile::shareDenyWrite))
        return {};
    HDIB hDIB;
    try {
        hDIB = ReadBitmapFile(file);
    } catch (const CFileException&) {
    }
    file.Abort();
    QFile::remove(ScratchPath()); // leave nothing behind in /dev/shm
    return hDIB;
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
    std::unique_ptr<CPalette> palette;
    QSize pictureSize(1, 1);
    PrepareDocumentBitmap(hDIB, palette, pictureSize);
    if (hDIB)
        Paint(hDIB, pictureSize);
}
