#pragma once

#include "CCartoonWnd.h"

#include <QPoint>
#include <QRect>
#include <optional>

// The full-screen saver window: frameless, on top of every other window,
// over the whole primary screen, with the cursor hidden. Any key, any mouse
// button, a mouse move away from where the pointer stood when the window was
// shown and the loss of activation close it; closing it destroys it, which
// ends the program after the cycle's exit save, unless the program goes on
// without it (the idle mode, which waits for the next idle time).
class CFullScreenWnd : public CCartoonWnd {
    Q_OBJECT
public:
    explicit CFullScreenWnd(MessageReporter& reporter);
    ~CFullScreenWnd() override;

    // Covers the primary screen; false when there is no screen to cover.
    bool Create();
    // Asks the window to close, as every input that ends the saver does; the
    // window closes once however often it is asked.
    void PostClose();
    bool IsClosing() const { return m_bClosing; }
    // Whether its end is the program's (so by default).
    void SetEndsProgram(bool ends);

    // GetSystemMetrics' screen: the primary screen's rectangle; none when
    // there is no screen, which tests can bring about.
    static std::optional<QRect> ScreenRect();
    static void ForceNoScreen(bool none);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void showEvent(QShowEvent* event) override;
    // Where the pointer stood, on the screen, when the window was shown.
    QPoint m_ptFirstMouse;
    bool m_bClosing = false;
    bool m_bEndsProgram = true;
};
