#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// The pace of a slide show, without windows: the picture in view is painted,
// held for one period, then the forward step runs and the next period starts
// when the step is done. The wait is a timer on the event loop, so a show
// that waits costs next to nothing and the windows keep repainting.
class SlideShow : public QObject {
    Q_OBJECT
public:
    // The hold: the view time less a quarter of a second, or a tenth of a
    // second in diagnostic mode whatever the view time.
    static constexpr int kHoldShortfallMs = 250;
    static constexpr int kDiagnosticPeriodMs = 100;
    static int PeriodMs(int viewTimeSeconds, bool diagnostic);

    struct Host {
        std::function<void()> step;    // the forward step
        std::function<void()> repaint; // asks for the view to be painted
    };

    explicit SlideShow(Host host, QObject* parent = nullptr);

    // Paints the picture in view; the first step comes one period later.
    void Start(int periodMs);
    // No further step; a step under way finishes.
    void Stop();
    bool IsRunning() const { return m_running; }
    int Period() const { return m_periodMs; }

signals:
    // Around each forward step, for whoever watches the pace.
    void StepStarting();
    void StepDone();

private:
    void OnTimeout();

    Host m_host;
    QTimer m_timer;
    int m_periodMs = 0;
    bool m_running = false;
};
