#pragma once

#include "SectorReader.h"

#include <vector>

// The data tracks a Nero image's footer lists, in order: those of its
// disc-at-once chunks ("DAOI", "DAOX") and track-at-once chunks ("ETNF",
// "ETN2"), behind either footer ("NERO" with 32-bit, "NER5" with 64-bit
// offsets). Every chunk is checked against the bytes there before it is
// read; a footer area larger than any real one is no image. Audio tracks and
// tracks that lie outside the image are left out.
std::vector<TrackLayout> NeroDataTracks(const ByteSource& bytes);
