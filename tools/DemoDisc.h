#pragma once

#include "BmpWriter.h"

#include <QByteArray>
#include <QString>

// The demo CD: every cartoon of the catalogue and the two cover pictures, laid
// out as on the real disc, packed into an ISO 9660 image labelled
// "QUELBY_CDH". All of it is a function of the position alone, so two runs
// give the same bytes.

inline constexpr const char* kDemoVolumeLabel = "QUELBY_CDH";
inline constexpr const char* kDemoCartoonFolder = "quelby/images/t1";
inline constexpr const char* kDemoCoverFolder = "quelby/images/col";

// The form a cartoon is stored in. The forms are mixed across the disc so the
// programs' reader meets each of them: 24-bit, RLE8, 8-bit and 4-bit in turn,
// every 50th with a core header, and every other indexed one naming its
// colour count over a table of only the colours it uses.
BmpOptions CartoonFormat(int position);

// The .BMP file of the cartoon at a catalogue position (1 to 743).
QByteArray MakeCartoonFile(int position);

// "splash.bmp" (8 bits) or "splash24.bmp" (24 bits).
QByteArray MakeCoverFile(bool trueColour);

// An indexed image reduced to the colours it uses, in order of first use.
QImage CompactPalette(const QImage& indexed);

// Writes the disc's files below root, using up to jobs threads, with every
// file and folder dated the same fixed day. Returns an error text, or an
// empty one on success.
QString WriteDiscTree(const QString& root, int jobs);

// Packs root into the image at isoPath with xorriso (fixed volume and file
// dates, so the image is the same bytes every time) or, when the packer is
// genisoimage, with that. Returns an error text, or an empty one on success.
QString PackDiscImage(const QString& root, const QString& isoPath, const QString& packer);
