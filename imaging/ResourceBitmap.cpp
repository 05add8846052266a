#include "ResourceBitmap.h"

#include "CMemFile.h"
#include "DibFile.h"
#include "DibRenderer.h"

#include <QFile>

namespace {
constexpr int kLargestSide = 1024;
} // namespace

QImage LoadResourceBitmap(const QString& path) {
    QFile resource(path);
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    // A memory file raises nothing while it reads.
    CMemFile file(resource.readAll());
    HDIB dib = ReadBitmapFile(file);
    GlobalLockGuard lock(dib);
    if (!lock.Data())
        return {};
    return DibImage(lock.Data(), lock.Size(), kLargestSide);
}
