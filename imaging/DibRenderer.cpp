#include "DibRenderer.h"

#include "DibDecode.h"
#include "DibLayout.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// The picture rows to paint (counted from the top), as an image, and whether
// its rows run bottom-up as stored in the block.
struct SourceImage {
    QImage image;
    bool bottomUp = false;
};

// Forms painted straight from the block. 8 and 24 bits are decoded instead:
// Qt would convert an Indexed8 or BGR888 image on every paint, through its
// general transformed path once the rows are drawn mirrored, and measured
// (bench_dibrender, 512 x 400) a single look-up pass into RGB32 followed by a
// plain copy is 2 to 4 times faster. 4 and 16 bits have no Qt format that
// paints them right (Qt widens 5 bits by shifting, not rounding).
QImage::Format WrapFormat(const DibLayout& layout) {
    if (layout.header.compression != DibCompression::None)
        return QImage::Format_Invalid;
    if (layout.header.bitCount == 1)
        return QImage::Format_Mono;
    if (layout.header.bitCount == 32)
        return QImage::Format_RGB32; // the top byte is unused and Qt ignores it
    return QImage::Format_Invalid;
}

// Wraps the stored rows in place: no pixel is copied. Qt wants rows on 32-bit
// boundaries; a core header's 3-byte colour entries can misplace them, and
// then the rows are copied once.
SourceImage WrapRows(const DibLayout& layout, const std::uint8_t* block, const DibColors& colors,
                     QImage::Format format, int firstRow, int rowCount) {
    const std::uint64_t lowest = std::uint64_t(layout.height - firstRow - rowCount);
    const std::uint8_t* bits = block + layout.header.bitsOffset + lowest * layout.rowSize;
    const auto bytesPerLine = qsizetype(layout.rowSize);
    SourceImage source{QImage(bits, layout.width, rowCount, bytesPerLine, format), true};
    if (reinterpret_cast<std::uintptr_t>(bits) % 4 != 0)
        source.image = source.image.copy();
    if (format == QImage::Format_Mono)
        source.image.setColorTable({colors[0], colors[1]});
    return source;
}

SourceImage MakeSource(const DibLayout& layout, const std::uint8_t* block, int firstRow,
                       int rowCount) {
    const DibColors colors = ReadDibColors(layout, block);
    const QImage::Format format = WrapFormat(layout);
    if (format != QImage::Format_Invalid)
        return WrapRows(layout, block, colors, format, firstRow, rowCount);
    return {DecodeDibRows(layout, block, colors, firstRow, rowCount), false};
}

// The part of the target that the part of the source inside the picture maps to.
QRectF MapTarget(const QRect& target, const QRect& source, const QRect& clipped) {
    if (target.size() == source.size())
        return QRectF(target.topLeft() + (clipped.topLeft() - source.topLeft()), clipped.size());
    const double sx = double(target.width()) / source.width();
    const double sy = double(target.height()) / source.height();
    return QRectF(target.x() + (clipped.x() - source.x()) * sx,
                  target.y() + (clipped.y() - source.y()) * sy, clipped.width() * sx,
                  clipped.height() * sy);
}

// The rows of `clipped` whose image can reach the painter's device (and its
// clip, when it has one): only those are decoded, so a picture taller than
// the window costs what the window shows.
QRect ShownRows(const QPainter& painter, const QRect& target, const QRect& source,
                const QRect& clipped) {
    const QPaintDevice* device = painter.device();
    if (!device || !painter.worldTransform().isInvertible())
        return clipped;
    QRectF reach = painter.worldTransform().inverted().mapRect(
        QRectF(0, 0, device->width(), device->height()));
    if (painter.hasClipping())
        reach &= painter.clipBoundingRect();
    const double rowsPerUnit = double(source.height()) / target.height();
    const double top = source.top() + (reach.top() - target.top()) * rowsPerUnit;
    const double bottom = source.top() + (reach.bottom() - target.top()) * rowsPerUnit;
    const int first =
        int(std::clamp(std::floor(top), double(clipped.top()), double(clipped.bottom()) + 1));
    const int last =
        int(std::clamp(std::ceil(bottom), double(clipped.top()) - 1, double(clipped.bottom())));
    if (reach.isEmpty() || first > last)
        return {};
    return QRect(clipped.left(), first, clipped.width(), last - first + 1);
}

void Paint(QPainter& painter, const QRectF& target, const SourceImage& source, const QRect& from) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (source.bottomUp) {
        // Stored rows run bottom-up: draw them mirrored rather than copy them.
        painter.translate(target.left(), target.top() + target.height());
        painter.scale(1, -1);
        painter.drawImage(QRectF(0, 0, target.width(), target.height()), source.image, from);
    } else {
        painter.drawImage(target, source.image, from);
    }
    painter.restore();
}

} // namespace

int DrawDib(QPainter& painter, const QRect& target, const std::uint8_t* block,
            std::size_t blockSize, const QRect& source) {
    const std::optional<DibLayout> layout = ParseDibLayout(DibBytes(block, blockSize));
    if (!layout || !source.isValid() || !target.isValid())
        return 0;
    const QRect clipped = source & QRect(0, 0, layout->width, layout->height);
    if (clipped.isEmpty())
        return 0;
    // The whole source counts as painted, also the rows the device cannot show.
    const QRect shown = ShownRows(painter, target, source, clipped);
    if (shown.isEmpty())
        return clipped.height();
    const SourceImage image = MakeSource(*layout, block, shown.top(), shown.height());
    if (image.image.isNull())
        return 0;
    const QRect from(shown.left(), 0, shown.width(), shown.height());
    Paint(painter, MapTarget(target, source, shown), image, from);
    return clipped.height();
}

QImage DibImage(const std::uint8_t* block, std::size_t blockSize, int largestSide) {
    const std::optional<DibLayout> layout = ParseDibLayout(DibBytes(block, blockSize));
    if (!layout || layout->width > largestSide || layout->height > largestSide)
        return {};
    const QSize size(layout->width, layout->height);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect rect(QPoint(0, 0), size);
    if (DrawDib(painter, rect, block, blockSize, rect) == 0)
        return {};
    return image;
}
