#include "ViewerTestSupport.h"

#include "DeviceContext.h"
#include "ScreenMetrics.h"

ForcedScreen::ForcedScreen(int width, int height, int depth) {
    ScreenMetrics::ForceSize(QSize(width, height));
    CDC::ForceScreenBitsPixel(depth);
}
