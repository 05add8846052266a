#include "SlideShowCommand.h"

#include "AppProfile.h"
#include "CMainFrame.h"
#include "CSlideShowDlg.h"
#include "CquelbyView.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
constexpr int kDefaultViewTime = 5;

// What a person does with the mouse, the keys, a pen or a finger.
bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}
} // namespace

SlideShowCommand::SlideShowCommand(CquelbyView& view)
    : m_view(view),
      m_show(SlideShow::Host{[&view] { view.Nav().StepForward(); }, [&view] { view.update(); }}) {}

SlideShowCommand::~SlideShowCommand() {
    if (m_filtering)
        qApp->removeEventFilter(this);
}

CMainFrame* SlideShowCommand::Frame() const {
    return qobject_cast<CMainFrame*>(m_view.window());
}

void SlideShowCommand::Run() {
    if (IsRunning())
        return;
    ViewState& s = m_view.State();
    s.m_bSlideShow = 1;
    CSlideShowDlg dialog;
    const Profile profile = AppProfile();
    dialog.m_nViewTime =
        profile.GetInt(QStringLiteral("cdrom"), QStringLiteral("delay"), kDefaultViewTime);
    dialog.m_nFullScreen = profile.GetInt(QStringLiteral("cdrom"), QStringLiteral("check"), 0);
    if (dialog.DoModal() != IDOK) {
        s.m_bSlideShow = 0;
        return;
    }
    m_view.ShowSlideShowBackButton(true);
    if (dialog.m_nFullScreen != 0)
        s.m_bFullScreen = 1;
    if (s.m_bFullScreen == 1) {
        if (CMainFrame* frame = Frame())
            frame->ShowMaximised();
        m_view.update();
    }
    m_view.Collections().Browse();
    if (s.m_bSlideShow == 0) {
        Restore();
        return;
    }
    qApp->installEventFilter(this);
    m_filtering = true;
    m_show.Start(SlideShow::PeriodMs(dialog.m_nTakenViewTime, s.IsDiagnostic()));
}

void SlideShowCommand::End() {
    if (!IsRunning())
        return;
    m_show.Stop();
    qApp->removeEventFilter(this);
    m_filtering = false;
    Restore();
    emit Ended();
}

void SlideShowCommand::Restore() {
    ViewState& s = m_view.State();
    if (s.m_bFullScreen == 1) {
        if (CMainFrame* frame = Frame())
            frame->ShowNormalSize();
    }
    s.m_bSlideShow = 0;
    s.m_bFullScreen = 0;
    m_view.ShowSlideShowBackButton(false);
    m_view.update();
}

bool SlideShowCommand::eventFilter(QObject* watched, QEvent* event) {
    if (!IsUserInput(event->type()))
        return QObject::eventFilter(watched, event);
    // A message the forward step shows takes its own input; the windows
    // behind it get none while it is open.
    if (QApplication::activeModalWidget())
        return false;
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        End();
        return true;
    }
    // Accepted, an override keeps the key from becoming a shortcut.
    if (event->type() == QEvent::ShortcutOverride)
        event->accept();
    return true;
}
