#include "DialogTemplate.h"

#include <QFont>
#include <QFontMetrics>

namespace {
// The dialog base units of a font: the average width of the letters, and
// the height of a line.
QSize BaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int width = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    return QSize(std::max(1, width), std::max(1, metrics.height()));
}

int MulDiv(int value, int numerator, int denominator) {
    return static_cast<int>((static_cast<long long>(value) * numerator + denominator / 2) /
                            denominator);
}
} // namespace

QRect MapDialogRect(const QFont& font, const QRect& units) {
    const QSize base = BaseUnits(font);
    return QRect(MulDiv(units.x(), base.width(), 4), MulDiv(units.y(), base.height(), 8),
                 MulDiv(units.width(), base.width(), 4), MulDiv(units.height(), base.height(), 8));
}

QSize MapDialogSize(const QFont& font, const QSize& units) {
    return MapDialogRect(font, QRect(QPoint(0, 0), units)).size();
}
