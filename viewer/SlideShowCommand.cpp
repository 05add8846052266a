#include "SlideShowCommand.h"

#include "CSlideShowDlg.h"
#include "ViewerSettings.h"
#include "Viewing.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
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

SlideShowCommand::SlideShowCommand(Viewing& viewing)
    : m_viewing(viewing), m_show(SlideShow::Host{[&viewing] { viewing.StepForward(); },
                                                 [&viewing] { viewing.Refresh(); }}) {}

SlideShowCommand::~SlideShowCommand() {
    if (m_filtering)
        qApp->removeEventFilter(this);
}

void SlideShowCommand::Run() {
    if (IsRunning())
        return;
    CSlideShowDlg dialog;
    const Profile profile = Profile::App();
    dialog.m_nViewTime = viewersettings::ReadViewTime(profile);
    dialog.m_nFullScreen = viewersettings::ReadFullScreen(profile);
    if (dialog.DoModal() != IDOK)
        return;
    m_viewing.BeginSlideShow(dialog.m_nFullScreen != 0);
    // A cancelled wizard ends the show before it runs.
    if (!m_viewing.Browse()) {
        m_viewing.EndSlideShow();
        return;
    }
    qApp->installEventFilter(this);
    m_filtering = true;
    m_show.Start(SlideShow::PeriodMs(dialog.m_nTakenViewTime, m_viewing.State().IsDiagnostic()));
}

void SlideShowCommand::End() {
    if (!IsRunning())
        return;
    m_show.Stop();
    qApp->removeEventFilter(this);
    m_filtering = false;
    m_viewing.EndSlideShow();
    emit Ended();
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
