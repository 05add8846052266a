#include "BuiltInPictures.h"

#include "ResourceBitmap.h"
#include "SaverIds.h"

#include <QPainter>

using namespace saverids;

BuiltInPictures::Turn BuiltInPictures::Next() {
    switch (m_nState) {
    case 1:
        m_nState = 2;
        return {IDB_BUILT_IN_1, false, true};
    case 2:
        m_nState = 3;
        return {IDB_BUILT_IN_2, false, false};
    case 3:
        m_nState = 4;
        return {IDB_BUILT_IN_3, false, false};
    case 4:
        m_nState = 1;
        return {IDB_BUILT_IN_4, true, false};
    default:
        m_nState = 1;
        return {IDB_BUILT_IN_4, false, false};
    }
}

QPoint BuiltInPictures::Place(QSize screen, QSize bitmap) {
    // Integer division truncates toward zero, as the screen's halves do.
    return QPoint((screen.width() - bitmap.width()) / 2, (screen.height() - bitmap.height()) / 2);
}

void BuiltInPictures::Draw(QPainter& painter, QSize screen, const QImage& bitmap, bool notice) {
    if (bitmap.isNull())
        return;
    const QPoint place = Place(screen, bitmap.size());
    painter.drawImage(place, bitmap);
    if (!notice)
        return;
    painter.save();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    painter.setPen(Qt::white);
    // TextOut places the text by the top-left corner of its cell.
    const QPoint corner = place + kNoticeOffset;
    painter.drawText(QRect(corner, QSize(screen.width() * 2, painter.fontMetrics().height())),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromLatin1(kNotice));
    painter.restore();
}

QImage BuiltInPictures::Load(int bitmapId) {
    return LoadResourceBitmap(BitmapResource(bitmapId));
}
