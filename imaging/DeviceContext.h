#pragma once

#include <QPainter>
#include <utility>

class CPalette;

enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

// The device context: a QPainter to draw with, the palette selected into it
// and its stretch mode. A context made without a painter (a client or window
// context taken only to realize a palette) draws nothing.
//
// Palettes matter only on a display of 8 bits per pixel or fewer: there
// RealizePalette maps the selected palette into the one system palette shared
// by all contexts and reports how many of its entries had to change; on a
// deeper display it changes nothing and returns 0.
class CDC {
public:
    CDC();
    explicit CDC(QPainter& painter);
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    bool HasPainter() const { return m_pPainter != nullptr; }
    QPainter& Painter() { return *m_pPainter; }

    // Returns the palette that was selected, or nullptr (nothing changed)
    // when pPalette is nullptr or holds no palette. The one system palette
    // here takes a background palette as it takes a foreground one, so the
    // flag changes nothing.
    CPalette* SelectPalette(CPalette* pPalette, bool forceBackground);
    CPalette* GetCurrentPalette() const { return m_pPalette; }
    // Number of system palette entries that changed.
    int RealizePalette();
    // Returns the previous mode.
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return m_nStretchMode; }

    // Bits per pixel of the display this context belongs to.
    int BitsPixel() const { return m_nBitsPixel; }

    // The screen's bits per pixel, as the primary screen reports it unless a
    // test has forced a depth (0 lifts the forcing).
    static int ScreenBitsPixel();
    // 8 bits per pixel or fewer: palettes matter, and both programs choose
    // their low-colour bitmaps.
    static bool IsLowColourScreen() { return ScreenBitsPixel() <= 8; }
    static void ForceScreenBitsPixel(int bitsPixel);
    // Forgets every realized palette (the system palette holds only its
    // static colours again).
    static void ResetSystemPalette();

private:
    QPainter* m_pPainter = nullptr;
    CPalette* m_pPalette;
    int m_nStretchMode = BLACKONWHITE;
    int m_nBitsPixel;
};
