#include "CBitmapButton.h"

#include "CMemFile.h"
#include "DibFile.h"
#include "DibRenderer.h"

#include <QFile>
#include <QPainter>

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

namespace {
// Resources are pictures for windows: anything larger is not one.
constexpr int kLargestSide = 1024;
} // namespace

QImage CBitmapButton::LoadResourceBitmap(const QString& path) {
    QFile resource(path);
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    // The programs' own reader; a memory file raises nothing while it reads.
    CMemFile file(resource.readAll());
    HDIB dib = ReadBitmapFile(file);
    GlobalLockGuard lock(dib);
    if (!lock.Data())
        return {};
    return DibImage(lock.Data(), lock.Size(), kLargestSide);
}

bool CBitmapButton::LoadBitmaps(const QString& normal, const QString& pressed) {
    m_normal = LoadResourceBitmap(normal);
    m_pressed = pressed.isEmpty() ? QImage() : LoadResourceBitmap(pressed);
    update();
    return !m_normal.isNull() && (pressed.isEmpty() || !m_pressed.isNull());
}

bool CBitmapButton::AutoLoad(const QString& folder) {
    return LoadBitmaps(folder + QLatin1Char('/') + m_strWindowText.toUpper() +
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
}
