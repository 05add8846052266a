#pragma once

#include "SlideShow.h"

#include <QObject>

class Viewing;

// The Slide Show command: the slide-show dialog, the viewing model's show
// (the window follows it: the back button's show bitmap, the maximised frame
// for a full-screen show) and the browse wizard; then the show runs on the
// event loop until Escape, and the command returns at once. While the show runs, the program drops
// every click, key, shortcut and menu command but Escape; paint requests pass, so an uncovered
// window shows the picture again. A close request ends the show first.
class SlideShowCommand : public QObject {
    Q_OBJECT
public:
    explicit SlideShowCommand(Viewing& viewing);
    ~SlideShowCommand() override;

    void Run();
    // Ends a show that runs: the model's flags, and with them the window, as
    // they were before it.
    void End();
    bool IsRunning() const { return m_show.IsRunning(); }
    SlideShow& Show() { return m_show; }

signals:
    void Ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Viewing& m_viewing;
    SlideShow m_show;
    bool m_filtering = false;
};
