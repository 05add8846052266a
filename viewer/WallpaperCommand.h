#pragma once

class CquelbyDoc;

// The Wallpaper command: asks, writes the picture on view as "quelbywp.bmp"
// in the Windows directory (every use replaces it), then makes that file the
// desktop's wallpaper. The desktop changes only when the file was written; a
// desktop that cannot be told gets a message naming the file.
namespace wallpapercommand {
inline constexpr const char* kFileName = "quelbywp.bmp";
void Run(CquelbyDoc& doc);
} // namespace wallpapercommand
