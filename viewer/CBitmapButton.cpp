#include "CBitmapButton.h"

#include "Dib.h"
#include "DibRenderer.h"

#include <QFile>
#include <QPainter>
#include <cstring>

namespace {
constexpr int kFileHeaderSize = 14;
}

CBitmapButton::CBitmapButton(const QString& windowText, int commandId, QWidget* parent)
    : QAbstractButton(parent), m_nCommandId(commandId) {
    setObjectName(windowText);
    setAccessibleName(windowText);
    setFocusPolicy(Qt::NoFocus);
}

QImage CBitmapButton::LoadResourceBitmap(int id) {
    QFile file(QStringLiteral(":/viewer/bitmaps/%1.bmp").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() <= kFileHeaderSize || !bytes.startsWith("BM"))
        return {};
    HDIB dib = GlobalBlock::Alloc(static_cast<std::size_t>(bytes.size() - kFileHeaderSize));
    GlobalLockGuard lock(dib);
    if (!lock.Data())
        return {};
    std::memcpy(lock.Data(), bytes.constData() + kFileHeaderSize, lock.Size());
    const DibBytes view = LockedDib(lock);
    const QSize size(static_cast<int>(BitmapWidth(view)), static_cast<int>(BitmapHeight(view)));
    if (size.width() <= 0 || size.height() <= 0 || size.width() > 256 || size.height() > 256)
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect rect(QPoint(0, 0), size);
    if (DrawDib(painter, rect, lock.Data(), lock.Size(), rect) == 0)
        return {};
    return image;
}

bool CBitmapButton::LoadBitmaps(int normalId, int pressedId) {
    m_normal = LoadResourceBitmap(normalId);
    m_pressed = LoadResourceBitmap(pressedId);
    update();
    return !m_normal.isNull() && !m_pressed.isNull();
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
}
