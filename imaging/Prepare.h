#pragma once

#include "Dib.h"

#include <QSize>
#include <memory>

class CPalette;
class MessageReporter;

// The preparation step right after a bitmap has been read into a holder's
// m_hDIB. The holder (the viewer's document, the saver's window) keeps the
// bitmap, its palette object and the picture size (1 x 1 until the first
// bitmap) and frees the old bitmap and palette before it reads a new one.
//
// A negative width or height (a top-down bitmap) frees the bitmap and leaves
// the holder with none. Otherwise the picture size is recorded and a palette
// object is built from the colour table; a bitmap without a usable colour
// table keeps no palette object and is painted without one.

// The viewer's document: drops a negative size silently.
void PrepareDocumentBitmap(HDIB& hDIB, std::unique_ptr<CPalette>& pPalette, QSize& sizeDoc);

// The saver's window: the same, and "ERROR" as an application message after
// dropping a bitmap of negative size.
void PrepareSaverBitmap(HDIB& hDIB, std::unique_ptr<CPalette>& pPalette, QSize& sizePicture,
                        MessageReporter& reporter);
