#pragma once

#include <cstddef>
#include <cstdint>

// Runs one input, taken as the bytes of a ".BMP" file, through the bitmap
// routines in the order the programs use them: read, prepare, palette, then
// paint one to one, scaled and in part into an offscreen image. Shared by the
// libFuzzer target and the corpus test, so the corpus runs in every build.
// Needs a QGuiApplication.
void RunDibInput(const std::uint8_t* data, std::size_t size);
