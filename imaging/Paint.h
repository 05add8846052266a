#pragma once

#include "Dib.h"

#include <QRect>
#include <QSize>
#include <functional>

class CDC;
class CPalette;

// Painting returns the number of scan lines painted, 0 on failure. The
// palette, when given, is selected as a background palette for the call and
// the one it replaced is selected back before returning. Only the size of the
// destination rectangle matters; the source is in bitmap pixels with its top
// measured from the picture's top row.

// The viewer: "error" in the application's message box for none; with no
// main window "Unable to get handle" in a plain message box and nothing
// painted. The picture is placed by the main window's outer size (W x H):
// x = (W - width) / 2 - 6; y = 1, or (H - height) / 2 - 30 when H > 480;
// (0, 0) when printing. Equal destination and source sizes paint one to one,
// others paint the whole source scaled, without smoothing, into half the
// destination's width and height.
int PaintBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource, CPalette* pPalette,
                bool printing);

// The saver: none paints nothing and shows nothing; the picture is centred on
// a screen of the given size (the primary screen's in the second form). With
// no main window "Unable to get handle" is shown and painting goes on.
int PaintSaverBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource,
                     CPalette* pPalette, const QSize& screenSize);
int PaintSaverBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource,
                     CPalette* pPalette);

// The viewer's realization: with a bitmap and a palette, selects the palette
// into a context of the main window's client area as a foreground palette,
// realizes it, calls updateAllViews when that changed any system palette
// entry, and selects the previous palette back as a background palette.
// Always returns 0; with no main window it does nothing. The first form takes
// the context from the caller.
int RealizeDocumentPalette(CDC& dc, HDIB& hDIB, CPalette* pPalette,
                           const std::function<void()>& updateAllViews);
int RealizeDocumentPalette(HDIB& hDIB, CPalette* pPalette,
                           const std::function<void()>& updateAllViews);

// The saver's realization: the same on the window's own context, as a
// background palette, and no repaint.
void RealizeSaverPalette(CDC& dc, HDIB& hDIB, CPalette* pPalette);
void RealizeSaverPalette(HDIB& hDIB, CPalette* pPalette);
