#pragma once

#include "DialogScript.h"
#include "MessageRecorder.h"

// Forces a screen size and depth for the rest of the test.
class ForcedScreen {
public:
    ForcedScreen(int width, int height, int depth);
};
