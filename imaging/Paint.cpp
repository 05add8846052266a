#include "Paint.h"

#include "DeviceContext.h"
#include "DibRenderer.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "Palette.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
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

// One to one when the rectangles agree in size, otherwise the whole source
// scaled into half the destination's width and height.
int Draw(CDC& dc, const QPoint& position, const QRect& rcDest, const GlobalLockGuard& lock,
         const QRect& rcSource) {
    const DibBytes dib = LockedDib(lock);
    if (!dc.HasPainter() || !BitmapColorTableFits(dib))
        return 0;
    if (rcDest.size() == rcSource.size())
        return DrawDib(dc.Painter(), QRect(position, rcDest.size()), dib.data(), dib.size(),
                       QRect(rcSource.topLeft(), rcDest.size()));
    const QSize half(rcDest.width() / 2, rcDest.height() / 2);
    return DrawDib(dc.Painter(), QRect(position, half), dib.data(), dib.size(), rcSource);
}

void ReportNoMainWindow() {
    PlainMessageBox(QStringLiteral("Unable to get handle"), MB_OK);
}

} // namespace

int PaintBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource, CPalette* pPalette,
                bool printing) {
    if (!hDIB) {
        AfxMessageBox(QStringLiteral("error"), MB_OK);
        return 0;
    }
    GlobalLockGuard lock(hDIB);
    const BackgroundPaletteSelection selection(dc, pPalette);
    dc.SetStretchBltMode(COLORONCOLOR);
    const QWidget* pMainWnd = AfxGetMainWnd();
    if (!pMainWnd) {
        // The position needs the main window's size: nothing to measure.
        ReportNoMainWindow();
        return 0;
    }
    const QSize frame = pMainWnd->frameGeometry().size();
    const DibBytes dib = LockedDib(lock);
    QPoint position(Centre(frame.width(), BitmapWidth(dib)) - kFrameLeftInset, 1);
    if (frame.height() > kTallFrame)
        position.setY(Centre(frame.height(), BitmapHeight(dib)) - kFrameTopInset);
    if (printing)
        position = QPoint(0, 0);
    return Draw(dc, position, rcDest, lock, rcSource);
}

int PaintSaverBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource,
                     CPalette* pPalette, const QSize& screenSize) {
    if (!hDIB)
        return 0;
    GlobalLockGuard lock(hDIB);
    const BackgroundPaletteSelection selection(dc, pPalette);
    dc.SetStretchBltMode(COLORONCOLOR);
    if (!AfxGetMainWnd())
        ReportNoMainWindow();
    const DibBytes dib = LockedDib(lock);
    const QPoint position(Centre(screenSize.width(), BitmapWidth(dib)),
                          Centre(screenSize.height(), BitmapHeight(dib)));
    return Draw(dc, position, rcDest, lock, rcSource);
}

int PaintSaverBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource,
                     CPalette* pPalette) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize();
    return PaintSaverBitmap(dc, rcDest, hDIB, rcSource, pPalette, screenSize);
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

int RealizeDocumentPalette(HDIB& hDIB, CPalette* pPalette,
                           const std::function<void()>& updateAllViews) {
    if (!hDIB || !pPalette || !AfxGetMainWnd())
        return 0;
    CDC dc; // the main window's client area
    return RealizeDocumentPalette(dc, hDIB, pPalette, updateAllViews);
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

void RealizeSaverPalette(HDIB& hDIB, CPalette* pPalette) {
    CDC dc; // the window's own context
    RealizeSaverPalette(dc, hDIB, pPalette);
}
