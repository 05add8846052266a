#pragma once

#include "WallpaperResult.h"

// The ways to the wallpaper that go over the session bus.
namespace wallpaper::detail {

struct Attempt {
    Result::Outcome outcome = Result::Outcome::failed;
    QString problem;
};

// The Plasma shell's scripting interface, with the picture's file URL.
Attempt SetThroughPlasma(const QString& url, const Options& options);
// The portal's SetWallpaperFile, handed the open file; waits for its answer.
Attempt SetThroughPortal(const QString& path, const Options& options);

} // namespace wallpaper::detail
