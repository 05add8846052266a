#pragma once

#include "Dib.h"

// A bitmap with a core header can be read and shown but not written as it
// stands (WriteBitmapFile takes information headers only). This makes a new
// block that holds the same picture behind an information header: width,
// height and bit count from the core fields, one plane, no compression, the
// colour table widened to 4-byte entries, the pixel rows copied. None for
// none, for a bitmap that already has an information header, for a colour
// table or pixel rows that do not lie within the block, or when the memory
// cannot be had. The source is left as it was.
HDIB InfoHeaderCopy(HDIB& hSource);
