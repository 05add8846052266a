#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// What the viewer asks of the display: its size (GetSystemMetrics), which a
// test can force to reproduce a 640 x 480 screen on any machine. The depth
// comes from CDC::ScreenBitsPixel, which tests force the same way.
class ScreenMetrics {
public:
    // The frame: 680 x 450 on screens wider than 640 pixels, else 640 x 450.
    static constexpr int kSmallScreenWidth = 640;
    static constexpr int kWideFrameWidth = 680;
    static constexpr int kNarrowFrameWidth = 640;
    static constexpr int kFrameHeight = 450;
    // The buttons' row, and the widest screen that takes the narrow places
    // and fill (one pixel more than the frame rule's).
    static constexpr int kButtonTop = 373;
    static constexpr int kBackButtonLeft = 1;
    static constexpr int kWideForwardButtonLeft = 630;
    static constexpr int kNarrowForwardButtonLeft = 590;
    static constexpr int kNarrowPlacesWidth = 641;
    // The white fill: 680 or 640 wide, 480 high; full screen: the screen and
    // 100 pixels more down.
    static constexpr int kFillHeight = 480;
    static constexpr int kFullScreenFillExtra = 100;

    static QSize Size();
    static void ForceSize(std::optional<QSize> size);

    // The frame's outer rectangle: 680 x 450 centred on screens wider than
    // 640 pixels, else 640 x 450 at the top-left corner.
    static QRect FrameRect(QSize screen);
    // Button places in the view: back at (1, 373); forward at (630, 373)
    // on screens wider than 641 pixels, else at (590, 373).
    static QPoint BackButtonPos();
    static QPoint ForwardButtonPos(int screenWidth);
    // The white fill of the view before the picture is painted.
    static QSize FillSize(QSize screen, bool fullScreen);
};
