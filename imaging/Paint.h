#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

class CDC;
class Picture;

// Painting a picture and realizing its palette, for any program: the caller
// computes where the picture stands, and decides what a failure means and
// what, if anything, the user is told. Nothing here shows a window.

// Paints the picture's bitmap with its top-left corner at `position`, in the
// painter's units. Equal destination and source sizes paint one to one;
// other sizes paint the whole source scaled, without smoothing, into half
// the destination's width and height. The source is in bitmap pixels with
// its top measured from the picture's top row. The picture's palette, when it
// has one, is selected as a background palette for the call and the one it
// replaced is selected back. Returns the number of scan lines painted, 0 for
// a picture without a bitmap or a bitmap that cannot be painted.
int PaintPicture(CDC& dc, Picture& picture, QPoint position, QSize destSize, const QRect& rcSource);

// How the palette is selected to be realized: as the palette of the window
// in the foreground, or as a background palette.
enum class PaletteSelection { foreground, background };

// With a bitmap and a palette: selects the palette into the context as asked,
// realizes it, calls `changed` (when given) if that changed any entry of the
// system palette, and selects the previous palette back as a background
// palette. Returns the number of system palette entries that changed; 0, and
// nothing done, without a bitmap or a palette.
int RealizePicturePalette(CDC& dc, const Picture& picture, PaletteSelection selection,
                          const std::function<void()>& changed);
