#pragma once

#include "Dib.h"

#include <QRect>
#include <QSize>
#include <functional>
#include <optional>

class CDC;
class CPalette;
class MessageReporter;

// Painting returns the number of scan lines painted, 0 on failure. The
// palette, when given, is selected as a background palette for the call and
// the one it replaced is selected back before returning. Only the size of the
// destination rectangle matters; the source is in bitmap pixels with its top
// measured from the picture's top row. Messages go to the reporter; painting
// shows no window of its own.

// The viewer: "error" as an application message for none. The picture is
// placed by the main window's outer size (frameSize, W x H):
// x = (W - width) / 2 - 6; y = 1, or (H - height) / 2 - 30 when H > 480;
// (0, 0) when printing. Without a main window (no frameSize) "Unable to get
// handle" goes out as a plain message and nothing is painted. Equal
// destination and source sizes paint one to one, others paint the whole
// source scaled, without smoothing, into half the destination's width and
// height.
int PaintBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource, CPalette* pPalette,
                bool printing, const std::optional<QSize>& frameSize, MessageReporter& reporter);

// The saver: none paints nothing and reports nothing; the picture is centred
// on a screen of the given size. Without a main window "Unable to get handle"
// goes out as a plain message and painting goes on.
int PaintSaverBitmap(CDC& dc, const QRect& rcDest, HDIB& hDIB, const QRect& rcSource,
                     CPalette* pPalette, const QSize& screenSize, bool hasMainWindow,
                     MessageReporter& reporter);

// The viewer's realization, on a context of the main window's client area
// that the caller makes (and does not make without a main window): with a
// bitmap and a palette, selects the palette as a foreground palette, realizes
// it, calls updateAllViews when that changed any system palette entry, and
// selects the previous palette back as a background palette. Always returns 0.
int RealizeDocumentPalette(CDC& dc, HDIB& hDIB, CPalette* pPalette,
                           const std::function<void()>& updateAllViews);

// The saver's realization: the same on the window's own context, as a
// background palette, and no repaint.
void RealizeSaverPalette(CDC& dc, HDIB& hDIB, CPalette* pPalette);
