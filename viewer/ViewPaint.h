#pragma once

#include <QRect>
#include <QSize>
#include <optional>

class MessageReporter;
class Picture;
class QPainter;

// The view's one paint routine, for the screen, a printed page and the print
// preview alike. It paints and says what it painted; the caller shows the
// messages that calls for and keeps any other record.
namespace viewpaint {

// Where the view paints.
struct Target {
    QSize fill;                 // painted white from (0, 0) before the picture
    std::optional<QSize> frame; // the main window's outer size; none without a main window
    std::optional<QRect> page;  // printing: the page rectangle the picture is scaled into
};

// The running program's targets: the view's white fill (the screen and 100
// pixels more while a full-screen slide show runs) and the main window's
// size now; a page adds its rectangle.
Target ScreenTarget(bool fullScreen);
Target PageTarget(const QRect& page);

// What painting did.
struct Painted {
    enum class Failure { none, noBitmap, noMainWindow };
    int lines = 0; // scan lines painted, 0 when painting failed
    Failure failure = Failure::none;
};

// Paints the picture's bitmap. On the screen it stands one to one by the
// main window's outer size (W x H): x = (W - width) / 2 - 6; y = 1, or
// (H - height) / 2 - 30 when H > 480; halves truncate toward zero. On a page
// it stands at (0, 0), scaled into half the page's width and height (one to
// one when the page has the picture's size). The place is measured from the
// main window in both cases: without one nothing is painted.
Painted PaintBitmap(QPainter& painter, Picture& picture, const Target& target);

// The white fill, then the picture's bitmap; no value when there is none.
std::optional<Painted> PaintView(QPainter& painter, Picture& picture, const Target& target);

// What the user is told of painting: "error" as an application message for
// a picture without a bitmap, "Unable to get handle" as a plain message
// without a main window.
void Report(const Painted& painted, MessageReporter& reporter);

// PaintView, then Report: the scan lines painted, no value without a bitmap.
std::optional<int> Draw(QPainter& painter, Picture& picture, const Target& target,
                        MessageReporter& reporter);

} // namespace viewpaint
