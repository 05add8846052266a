#pragma once

#include "Dib.h"

class CFile;

// Reads a ".BMP" file from an open file positioned at its start into a block
// as long as the whole file (the last 14 bytes stay zero). Returns none for a
// file shorter than 14 bytes, one not starting with "BM", no memory, or fewer
// bytes than length - 14 after the file header. Nothing else is examined.
// A CFileException raised by the file passes to the caller (the block is
// freed on the way).
HDIB ReadBitmapFile(CFile& file);

// Writes the held bitmap to an open, empty file: the 14-byte file header, then
// the bitmap (header, the whole colour table, pixel data) in one request; the
// file header's offset of the bits is 14 + the header's bitsOffset. Refuses (false,
// nothing written) none, a core header, and a bitmap whose colour table or
// pixel data would reach past its block. For an uncompressed bitmap the
// image-size field of the held block is corrected to row size x height before
// writing. A CFileException from the file passes to the caller after the block
// has been unlocked.
bool WriteBitmapFile(HDIB& hDIB, CFile& file);
