#pragma once

#include <QAbstractButton>
#include <QImage>

// A push button drawn by two bitmaps, normal and pressed, sized to them.
class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    CBitmapButton(const QString& windowText, int commandId, QWidget* parent);

    // Loads the bitmap resources (ids of resources/viewer/bitmaps) through
    // our own bitmap routines; false when either cannot be read.
    bool LoadBitmaps(int normalId, int pressedId);
    void SizeToContent();
    int CommandId() const { return m_nCommandId; }
    const QImage& NormalImage() const { return m_normal; }
    const QImage& PressedImage() const { return m_pressed; }

    // A bitmap resource decoded to an image; null when it cannot be read.
    static QImage LoadResourceBitmap(int id);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nCommandId;
    QImage m_normal;
    QImage m_pressed;
};
