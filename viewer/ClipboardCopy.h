#pragma once

#include "Dib.h"

#include <QByteArray>
#include <QImage>

class CquelbyDoc;
class QMimeData;

// The Copy command. The picture goes to the clipboard in the forms Linux
// programs paste: "image/png" first, since clipboard managers keep only the
// first image type, then "image/bmp", a .BMP file of the picture as the
// document holds it. The document keeps its own block.
namespace clipboardcopy {
// The picture decoded as it is painted; null when it cannot be painted.
QImage PictureImage(HDIB& hDIB);
// A .BMP file of the bitmap (behind an information header when it has a
// core header); empty when it cannot be written.
QByteArray BitmapFileBytes(HDIB& hDIB);
// Both forms, in order; nullptr when neither can be made.
QMimeData* PictureMimeData(HDIB& hDIB);
// Copies the document's picture; does nothing while it holds none.
void Copy(CquelbyDoc& doc);
} // namespace clipboardcopy
