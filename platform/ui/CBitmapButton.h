#pragma once

#include <QAbstractButton>
#include <QImage>
#include <functional>

// The framework's bitmap button: a push button drawn by a normal and a
// pressed bitmap, sized to them. The bitmaps are the program's resources
// (.bmp files in its .qrc), read by the loader the program passes.
class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    // Reads the bitmap at a resource path; a null image when it cannot.
    using BitmapLoader = std::function<QImage(const QString& path)>;

    CBitmapButton(const QString& windowText, int commandId, QWidget* parent);

    // Resource paths of the bitmaps; without a pressed bitmap the button
    // shows its normal one when pressed too. False when a bitmap asked for
    // cannot be read.
    bool LoadBitmaps(const BitmapLoader& load, const QString& normal, const QString& pressed = {});
    // AutoLoad: the bitmap named after the window text, in capitals, with "U"
    // appended ("banner" takes "BANNERU.bmp"), from the folder.
    bool AutoLoad(const BitmapLoader& load, const QString& folder);
    void SizeToContent();
    int CommandId() const { return m_nCommandId; }
    // The window text, which names the bitmaps AutoLoad takes.
    const QString& WindowText() const { return m_strWindowText; }
    void SetWindowText(const QString& text);
    const QImage& NormalImage() const { return m_normal; }
    const QImage& PressedImage() const { return m_pressed; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nCommandId;
    QString m_strWindowText;
    QImage m_normal;
    QImage m_pressed;
};
