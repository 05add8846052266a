#pragma once

#include "CollectionCommands.h"
#include "Navigator.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class CBitmapButton;
class CommandRouter;
class CquelbyDoc;
class QPainter;
class QPrinter;
class SlideShowCommand;

// The window inside the frame: shows the picture, holds the viewing state
// (in its Navigator), the two buttons, and routes the viewer's commands.
class CquelbyView : public QWidget {
    Q_OBJECT
public:
    // The view's construction: the CD check comes first, before any widget
    // exists; the program ends there when the CD stays missing.
    static CquelbyView* Create(CquelbyDoc& doc, CommandRouter& router, QWidget* parent);
    ~CquelbyView() override;

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
    // Exit bookmark: once, before the windows go.
    void OnExitWork();
    int RealizeBitmapPalette();
    bool FindCD() { return m_navigator->FindCD(); }

    Navigator& Nav() { return *m_navigator; }
    ViewState& State() { return m_navigator->State(); }
    CquelbyDoc& Document() { return m_doc; }
    CBitmapButton* ForwardButton() const { return m_pForward; }
    CBitmapButton* BackButton() const { return m_pBack; }
    // The back button's bitmaps: bitmap 241 alone while a slide show runs,
    // else its normal and pressed bitmaps for the display's depth.
    void ShowSlideShowBackButton(bool showing);
    SlideShowCommand& SlideShows() { return *m_slideShow; }

    // Binds a command's work (the application's printing), keeping its update rule.
    void SetCommandHandler(int id, std::function<void()> handler);
    CollectionCommands& Collections() { return *m_collections; }
    // The Save Bookmark command run by the exit work.
    void SetSaveBookmark(std::function<void()> saveBookmark) {
        m_saveBookmark = std::move(saveBookmark);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CquelbyView(CquelbyDoc& doc, CommandRouter& router, std::unique_ptr<Navigator> navigator,
                QWidget* parent);
    void AddCommands();
    CBitmapButton* MakeButton(bool forward, QPoint place);
    void LoadButtonBitmaps(CBitmapButton& button, bool forward);
    void RecordBadPicture();

    CquelbyDoc& m_doc;
    CommandRouter& m_router;
    std::unique_ptr<Navigator> m_navigator;
    std::unique_ptr<CollectionCommands> m_collections;
    std::unique_ptr<SlideShowCommand> m_slideShow;
    CBitmapButton* m_pForward = nullptr;
    CBitmapButton* m_pBack = nullptr;
    std::function<void()> m_saveBookmark;
};
