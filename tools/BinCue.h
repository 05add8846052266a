#pragma once

#include <QString>

// How a rip stores the sectors of a data CD.
enum class SectorLayout {
    mode1Cooked, // MODE1/2048: the user data alone, as in an ISO image
    mode1Raw,    // MODE1/2352: sync, header, data, EDC and ECC
    mode2Raw,    // MODE2/2352: Mode 2 XA Form 1, with its subheader
};

// Writes the ISO image at isoPath as a rip: binPath with the sectors in the
// layout asked for, and cuePath, a sheet naming the .bin by its file name.
// Returns an error text, or an empty one on success.
QString WriteBinCue(const QString& isoPath, const QString& binPath, const QString& cuePath,
                    SectorLayout layout);
