#include "SaverPaint.h"

#include "BuiltInPictures.h"
#include "MessageReporter.h"
#include "Paint.h"
#include "Picture.h"

int PaintSaverBitmap(CDC& dc, Picture& picture, QSize screen, bool hasMainWindow,
                     MessageReporter& reporter) {
    if (!picture.HasBitmap())
        return 0;
    if (!hasMainWindow)
        reporter.PlainMessage(QStringLiteral("Unable to get handle"));
    // Cartoons stand where the built-in pictures do.
    const QSize size = picture.Size();
    const QRect whole(QPoint(0, 0), size);
    return PaintPicture(dc, picture, BuiltInPictures::Place(screen, size), size, whole);
}
