#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

// A data track of a cue sheet: the file it lies in and how its sectors are stored.
struct CueTrack {
    QByteArray file;      // the FILE name as the sheet gives it
    std::uint32_t stride; // bytes a sector takes in the file
    int mode;             // 1 or 2
    std::uint64_t start;  // where INDEX 01 lies in the file, in bytes
};

// The data tracks of a cue sheet in order (MODE1, MODE2 and CDI tracks of
// 2048, 2336 or 2352 bytes a sector); audio and anything the sheet does not
// say clearly are left out. Reads at most 99 tracks; lines it does not know
// are ignored.
std::vector<CueTrack> CueDataTracks(const QByteArray& sheet);
