#include "Paint.h"

#include "DeviceContext.h"
#include "DibRenderer.h"
#include "Picture.h"

namespace {

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

} // namespace

int PaintPicture(CDC& dc, Picture& picture, QPoint position, QSize destSize,
                 const QRect& rcSource) {
    if (!picture.HasBitmap())
        return 0;
    GlobalLockGuard lock(picture.Dib());
    const BackgroundPaletteSelection selection(dc, picture.Palette());
    dc.SetStretchBltMode(COLORONCOLOR);
    if (!dc.HasPainter())
        return 0;
    // The painter judges the header against the block.
    const DibBytes dib = LockedDib(lock);
    if (destSize == rcSource.size())
        return DrawDib(dc.Painter(), QRect(position, destSize), dib.data(), dib.size(),
                       QRect(rcSource.topLeft(), destSize));
    const QSize half(destSize.width() / 2, destSize.height() / 2);
    return DrawDib(dc.Painter(), QRect(position, half), dib.data(), dib.size(), rcSource);
}

int RealizePicturePalette(CDC& dc, const Picture& picture, PaletteSelection selection,
                          const std::function<void()>& changed) {
    if (!picture.HasBitmap() || !picture.Palette())
        return 0;
    CPalette* pOld = dc.SelectPalette(picture.Palette(), selection == PaletteSelection::background);
    if (!pOld)
        return 0;
    const int entries = dc.RealizePalette();
    if (entries != 0 && changed)
        changed();
    dc.SelectPalette(pOld, true);
    return entries;
}
