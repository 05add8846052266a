#pragma once

#include <QWidget>
#include <optional>

class CBitmapButton;
class CommandRouter;
class CquelbyDoc;
class QPainter;
class QPrinter;
class Viewing;

// The window inside the frame: paints the document's picture and forwards
// input. Its two buttons and its right-button menu run commands through the
// router; what it shows follows the viewing model's signals.
class CquelbyView : public QWidget {
    Q_OBJECT
public:
    CquelbyView(CquelbyDoc& doc, Viewing& viewing, CommandRouter& router, QWidget* parent);

    // Low-colour flag, buttons, then the forward step that shows the cover.
    void OnInitialUpdate();
    // Paints into any painter (the screen, a printer page or an image) and
    // returns what it painted: no value when there is no picture, else the
    // scan lines painted, 0 when painting failed. It changes nothing else.
    std::optional<int> OnDraw(QPainter& painter, bool printing, const QRect& pageRect = {});
    // When the frame becomes active.
    void OnActivateView();
    // Before a print: the print dialog for the printer; true to print. It
    // sets no page count, so only page 1 exists.
    bool OnPreparePrinting(QPrinter& printer);
    int RealizeBitmapPalette();

    CBitmapButton* ForwardButton() const { return m_pForward; }
    CBitmapButton* BackButton() const { return m_pBack; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Space and Backspace step forward and back; a focused button takes
    // Space for itself and passes Backspace on.
    void keyPressEvent(QKeyEvent* event) override;
    // The view holds its buttons and the picture above them whole.
    QSize minimumSizeHint() const override;

private:
    CBitmapButton* MakeButton(bool forward, QPoint place);
    void LoadButtonBitmaps(CBitmapButton& button, bool forward);
    // The back button's bitmaps: bitmap 241 alone while a slide show runs,
    // else its normal and pressed bitmaps for the display's depth.
    void ShowSlideShowBackButton(bool showing);
    // Shift+F10 and the Menu key open the right-button menu at the view's centre.
    void AddContextMenuKeys();

    CquelbyDoc& m_doc;
    Viewing& m_viewing;
    CommandRouter& m_router;
    CBitmapButton* m_pForward = nullptr;
    CBitmapButton* m_pBack = nullptr;
};
