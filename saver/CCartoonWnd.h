#pragma once

#include "CartoonCycle.h"

#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

class MessageReporter;
class QWindow;

// The saver's drawing window: one turn after another, each after a wait of
// the view time (less a quarter second; 25 ms in diagnostic mode): the
// window turns black and shows the cycle's next picture. The event loop does
// the waiting, with a timer; nothing is drawn before the first wait ends.
// The cycle's state is read when the window is constructed and stored, as
// the user asked, when it is destroyed.
class CCartoonWnd : public QWidget {
    Q_OBJECT
public:
    explicit CCartoonWnd(MessageReporter& reporter, QWidget* parent = nullptr);
    ~CCartoonWnd() override;

    // Shows the window with the given flags over the rectangle, inside the
    // parent window when one is given (a window of another program), and
    // names it "Quelby". False when it could not be shown.
    bool Create(Qt::WindowFlags flags, const QRect& rect, QWindow* parent = nullptr);

    CartoonCycle& Cycle() { return m_cycle; }
    // The wait before each turn, in milliseconds.
    int TurnWait() const;
    // Turns drawn since the window was shown.
    int TurnsDrawn() const { return m_nTurnsDrawn; }
    // What the window shows after its last turn; null before the first.
    const QImage& Frame() const { return m_frame; }
    // Shown until the first turn: what lay under the window when it opened.
    void SetUnderneath(const QPixmap& underneath) { m_underneath = underneath; }
    // Stops the turns: nothing more is drawn.
    void StopTurns() { m_wait.stop(); }
    // Whether a turn is being drawn: the window must not go before it ends.
    bool InTurn() const { return m_bInTurn; }

signals:
    void TurnDrawn(int turn);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnTurn();
    QSize ScreenSize() const;

    CartoonCycle m_cycle;
    QTimer m_wait;
    QImage m_frame;
    QPixmap m_underneath;
    int m_nTurnsDrawn = 0;
    bool m_bStarted = false;
    bool m_bInTurn = false;
};
