#include "DeviceContext.h"

#include "Palette.h"
#include "TestSeam.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

int g_forcedBitsPixel = 0;
[[maybe_unused]] const bool g_switch = testseam::Register(g_forcedBitsPixel);

// The system palette has 256 entries; twenty hold the static colours, the
// rest are shared by whatever palettes were realized last.
constexpr std::size_t kFreeSystemEntries = 236;
std::vector<QRgb> g_realizedColors;
[[maybe_unused]] const bool g_paletteSwitch = testseam::Register(g_realizedColors);

bool IsStaticColor(QRgb color) {
    const std::vector<QRgb> statics = CPalette::StockDefault().Colors();
    return std::find(statics.begin(), statics.end(), color) != statics.end();
}

} // namespace

CDC::CDC() : m_pPalette(&CPalette::StockDefault()), m_nBitsPixel(ScreenBitsPixel()) {}

CDC::CDC(QPainter& painter)
    : m_pPainter(&painter), m_pPalette(&CPalette::StockDefault()),
      m_nBitsPixel(g_forcedBitsPixel > 0 || !painter.device() ? ScreenBitsPixel()
                                                              : painter.device()->depth()) {}

CPalette* CDC::SelectPalette(CPalette* pPalette, bool /*forceBackground*/) {
    if (!pPalette || !pPalette->IsCreated())
        return nullptr;
    return std::exchange(m_pPalette, pPalette);
}

int CDC::RealizePalette() {
    if (m_nBitsPixel > 8 || m_pPalette == &CPalette::StockDefault())
        return 0;
    std::vector<QRgb> wanted;
    for (QRgb color : m_pPalette->Colors()) {
        if (wanted.size() == kFreeSystemEntries)
            break;
        if (!IsStaticColor(color) && std::find(wanted.begin(), wanted.end(), color) == wanted.end())
            wanted.push_back(color);
    }
    int changed = 0;
    for (QRgb color : wanted) {
        if (std::find(g_realizedColors.begin(), g_realizedColors.end(), color) ==
            g_realizedColors.end())
            ++changed;
    }
    g_realizedColors = std::move(wanted);
    return changed;
}

int CDC::SetStretchBltMode(int mode) {
    return std::exchange(m_nStretchMode, mode);
}

int CDC::ScreenBitsPixel() {
    if (g_forcedBitsPixel > 0)
        return g_forcedBitsPixel;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

void CDC::ForceScreenBitsPixel(int bitsPixel) {
    g_forcedBitsPixel = bitsPixel;
}

void CDC::ResetSystemPalette() {
    g_realizedColors.clear();
}
