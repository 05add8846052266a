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

// How a Nero image describes its track: disc-at-once with 64-bit offsets
// ("DAOX" behind a "NER5" footer) or track-at-once with 32-bit ones ("ETNF"
// behind a "NERO" footer).
enum class NeroForm { discAtOnce64, trackAtOnce32 };

// Writes the ISO image at isoPath as a Nero image at nrgPath: one data track
// in the layout asked for (after a pregap of 150 sectors in disc-at-once
// form), then the chunks and the footer. Returns an error text, or an empty
// one on success.
QString WriteNrg(const QString& isoPath, const QString& nrgPath, SectorLayout layout,
                 NeroForm form);
