#include "CBitmapButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CBitmapButton::CBitmapButton(const QString& windowText, int commandId, QWidget* parent)
    : QAbstractButton(parent), m_nCommandId(commandId) {
    setObjectName(windowText);
    SetWindowText(windowText);
    setFocusPolicy(Qt::NoFocus);
}

void CBitmapButton::SetWindowText(const QString& text) {
    m_strWindowText = text;
    setAccessibleName(text);
}

bool CBitmapButton::LoadBitmaps(const BitmapLoader& load, const QString& normal,
                                const QString& pressed) {
    m_normal = load(normal);
    m_pressed = pressed.isEmpty() ? QImage() : load(pressed);
    update();
    return !m_normal.isNull() && (pressed.isEmpty() || !m_pressed.isNull());
}

bool CBitmapButton::AutoLoad(const BitmapLoader& load, const QString& folder) {
    return LoadBitmaps(load, folder + QLatin1Char('/') + m_strWindowText.toUpper() +
                                 QStringLiteral("U.bmp"));
}

void CBitmapButton::SizeToContent() {
    setFixedSize(sizeHint());
}

QSize CBitmapButton::sizeHint() const {
    return m_normal.isNull() ? QSize(1, 1) : m_normal.size();
}

void CBitmapButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& image = isDown() && !m_pressed.isNull() ? m_pressed : m_normal;
    if (!image.isNull())
        painter.drawImage(0, 0, image);
    // A button that takes focus from the keyboard shows where it is.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
