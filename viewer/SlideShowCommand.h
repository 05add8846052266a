#pragma once

#include "SlideShow.h"

#include <QObject>

class CMainFrame;
class CquelbyView;

// The Slide Show command: the slide-show dialog, the back button's show
// bitmap, the maximised frame for a full-screen show and the browse wizard;
// then the show runs on the event loop until Escape, and the command returns
// at once. While the show runs, the program drops every click, key, shortcut
// and menu command but Escape; paint requests pass, so an uncovered window
// shows the picture again. A close request ends the show first.
class SlideShowCommand : public QObject {
    Q_OBJECT
public:
    explicit SlideShowCommand(CquelbyView& view);
    ~SlideShowCommand() override;

    void Run();
    // Ends a show that runs: the frame, the flags and the back button as
    // they were before it.
    void End();
    bool IsRunning() const { return m_show.IsRunning(); }
    SlideShow& Show() { return m_show; }

signals:
    void Ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CMainFrame* Frame() const;
    // Step 11 of the show, also the way out of a cancelled wizard.
    void Restore();

    CquelbyView& m_view;
    SlideShow m_show;
    bool m_filtering = false;
};
