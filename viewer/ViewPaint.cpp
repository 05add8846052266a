#include "ViewPaint.h"

#include "DeviceContext.h"
#include "MainWindow.h"
#include "MessageReporter.h"
#include "Paint.h"
#include "Picture.h"
#include "ScreenMetrics.h"

#include <QPainter>
#include <cstdint>

namespace viewpaint {
namespace {

// The picture stands this far left of the frame's centre, and on a frame
// taller than 480 pixels this far above it.
constexpr int kTallFrame = 480;
constexpr int kFrameLeftInset = 6;
constexpr int kFrameTopInset = 30;

// Centres one side; the division truncates toward zero. Sides are never
// negative, so the half fits.
int Centre(int outer, int inner) {
    return static_cast<int>((std::int64_t{outer} - inner) / 2);
}

QPoint ScreenPosition(QSize frame, QSize picture) {
    QPoint position(Centre(frame.width(), picture.width()) - kFrameLeftInset, 1);
    if (frame.height() > kTallFrame)
        position.setY(Centre(frame.height(), picture.height()) - kFrameTopInset);
    return position;
}

} // namespace

Target ScreenTarget(bool fullScreen) {
    return {ScreenMetrics::FillSize(ScreenMetrics::Size(), fullScreen), MainWindowOuterSize(),
            std::nullopt};
}

Target PageTarget(const QRect& page) {
    // Printing is a menu command, and a full-screen slide show takes none.
    Target target = ScreenTarget(false);
    target.page = page;
    return target;
}

Painted PaintBitmap(QPainter& painter, Picture& picture, const Target& target) {
    if (!picture.HasBitmap())
        return {0, Painted::Failure::noBitmap};
    if (!target.frame)
        return {0, Painted::Failure::noMainWindow};
    const QRect source(QPoint(0, 0), picture.Size());
    CDC dc(painter);
    if (target.page)
        return {PaintPicture(dc, picture, QPoint(0, 0), target.page->size(), source)};
    const QPoint position = ScreenPosition(*target.frame, picture.Size());
    return {PaintPicture(dc, picture, position, source.size(), source)};
}

std::optional<Painted> PaintView(QPainter& painter, Picture& picture, const Target& target) {
    painter.fillRect(QRect(QPoint(0, 0), target.fill), Qt::white);
    if (!picture.HasBitmap())
        return std::nullopt;
    return PaintBitmap(painter, picture, target);
}

void Report(const Painted& painted, MessageReporter& reporter) {
    switch (painted.failure) {
    case Painted::Failure::none:
        return;
    case Painted::Failure::noBitmap:
        reporter.AppMessage(QStringLiteral("error"));
        return;
    case Painted::Failure::noMainWindow:
        reporter.PlainMessage(QStringLiteral("Unable to get handle"));
        return;
    }
}

std::optional<int> Draw(QPainter& painter, Picture& picture, const Target& target,
                        MessageReporter& reporter) {
    const std::optional<Painted> painted = PaintView(painter, picture, target);
    if (!painted)
        return std::nullopt;
    Report(*painted, reporter);
    return painted->lines;
}

} // namespace viewpaint
