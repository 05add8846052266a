#include "Paint.h"

#include "DeviceContext.h"
#include "DibRenderer.h"
#include "MessageReporter.h"
#include "Palette.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kTallFrame = 480;
constexpr int kFrameLeftInset = 6;
constexpr int kFrameTopInset = 30;

// Selects a palette as a background palette for one call and selects the
// one it replaced back when the call ends.
class BackgroundPaletteSelection {
public:
    BackgroundPaletteSelection(CDC& dc, CPalette* pPalette)
        : m_dc(dc), m_pOld(pPalette ? dc.SelectPalette(pPalette, true) : nullptr) {}
    ~BackgroundPaletteSelection() {
        if (m_pOld)
            m_dc.SelectPalette(m_pOld, true);
    }
    BackgroundPaletteSelection(const BackgroundPaletteSelection&) = delete;
    BackgroundPaletteSelection& operator=(const BackgroundPaletteSelection&) = delete;

private:
    CDC& m_dc;
    CPalette* m_pOld;
};

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Centres one side; the division truncates toward zero.
int Centre(int outer, std::uint32_t inner) {
    return ClampToInt((std::int64_t(outer) - inner) / 2);
}

void ReportNoMainWindow(MessageReporter& reporter) {
    reporter.PlainMessage(QStringLiteral("Unable to get handle"));
}

// One to one when the rectangles agree in size, otherwise the whole source
// scaled into half the destination's width and height. The painter judges the
// header against the block.
int Draw(CDC& dc, const QPoint& position, const QRect& rcDest, DibBytes dib,
         const QRect& rcSource) {
    if (!dc.HasPainter())
        return 0;
    if (rcDest.size() == rcSource.size())
        return DrawDib(dc.Painter(), QRect(position, rcDest.size()), dib.data(), dib.size(),
                       QRect(rcSource.topLeft(), rcDest.size()));
    const QSize half(rcDest.width() / 2, rcDest.height() / 2);
    return DrawDib(dc.Painter(), QRect(position, half), dib.data(), dib.size(), rcSource);
}

} // namespace

int PaintBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource, CPalette* pPalette,
                bool printing, const std::optional<QSize>& frameSize, MessageReporter& reporter) {
    if (!hDIB) {
        reporter.AppMessage(QStringLiteral("error"));
        return 0;
    }
    GlobalLockGuard lock(hDIB);
    const BackgroundPaletteSelection selection(dc, pPalette);
    dc.SetStretchBltMode(COLORONCOLOR);
    if (!frameSize) {
        // The position needs the main window's size: nothing to measure.
        ReportNoMainWindow(reporter);
        return 0;
    }
    const DibBytes dib = LockedDib(lock);
    const DibHeader header = ReadDibHeader(dib);
    QPoint position(Centre(frameSize->width(), header.width) - kFrameLeftInset, 1);
    if (frameSize->height() > kTallFrame)
        position.setY(Centre(frameSize->height(), header.height) - kFrameTopInset);
    if (printing)
        position = QPoint(0, 0);
    return Draw(dc, position, rcDest, dib, rcSource);
}

int PaintSaverBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource,
                     CPalette* pPalette, const QSize& screenSize, bool hasMainWindow,
                     MessageReporter& reporter) {
    if (!hDIB)
        return 0;
    GlobalLockGuard lock(hDIB);
    const BackgroundPaletteSelection selection(dc, pPalette);
    dc.SetStretchBltMode(COLORONCOLOR);
    if (!hasMainWindow)
        ReportNoMainWindow(reporter);
    const DibBytes dib = LockedDib(lock);
    const DibHeader header = ReadDibHeader(dib);
    const QPoint position(Centre(screenSize.width(), header.width),
                          Centre(screenSize.height(), header.height));
    return Draw(dc, position, rcDest, dib, rcSource);
}

int RealizeDocumentPalette(CDC& dc, HDIB& hDIB, CPalette* pPalette,
                           const std::function<void()>& updateAllViews) {
    if (!hDIB || !pPalette)
        return 0;
    CPalette* pOld = dc.SelectPalette(pPalette, false);
    if (pOld) {
        if (dc.RealizePalette() != 0 && updateAllViews)
            updateAllViews();
        dc.SelectPalette(pOld, true);
    }
    return 0;
}

void RealizeSaverPalette(CDC& dc, HDIB& hDIB, CPalette* pPalette) {
    if (!hDIB || !pPalette)
        return;
    CPalette* pOld = dc.SelectPalette(pPalette, true);
    if (!pOld)
        return;
    dc.RealizePalette();
    dc.SelectPalette(pOld, true);
}
