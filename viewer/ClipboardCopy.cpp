#include "ClipboardCopy.h"

#include "CquelbyDoc.h"
#include "DibConvert.h"
#include "DibFile.h"
#include "DibRenderer.h"
#include "File.h"
#include "FileSource.h"
#include "WaitCursor.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>

namespace clipboardcopy {
namespace {

// A file in memory that the writer fills.
class GrowingSource final : public FileSource {
public:
    explicit GrowingSource(QByteArray& bytes) : m_bytes(bytes) {}
    std::uint64_t Length() const override { return static_cast<std::uint64_t>(m_bytes.size()); }
    std::uint64_t Position() const override { return m_position; }
    void SetPosition(std::uint64_t position) override { m_position = position; }
    std::uint32_t Read(void*, std::uint32_t) override { return 0; }
    void Write(const void* buffer, std::uint32_t count) override {
        const std::uint64_t end = m_position + count;
        if (end > Length())
            m_bytes.resize(static_cast<qsizetype>(end));
        std::memcpy(m_bytes.data() + m_position, buffer, count);
        m_position = end;
    }
    void Close() override {}

private:
    QByteArray& m_bytes;
    std::uint64_t m_position = 0;
};

class MemoryOutFile : public CFile {
public:
    explicit MemoryOutFile(QByteArray& bytes) {
        Attach(std::make_unique<GrowingSource>(bytes), QString());
    }
};

} // namespace

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
    QByteArray bytes;
    MemoryOutFile file(bytes);
    if (!copy || !WriteBitmapFile(copy, file))
        return {};
    return bytes;
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
