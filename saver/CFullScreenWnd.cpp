#include "CFullScreenWnd.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace {
bool g_noScreen = false;
constexpr QPoint kNoMouseYet(-1, -1);
} // namespace

CFullScreenWnd::CFullScreenWnd(MessageReporter& reporter) : CCartoonWnd(reporter) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::BlankCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CFullScreenWnd::~CFullScreenWnd() {
    // The quit goes out first; the exit save follows in the base's destructor,
    // before the event loop sees the quit.
    QCoreApplication::quit();
}

std::optional<QRect> CFullScreenWnd::ScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (g_noScreen || !screen || screen->geometry().isEmpty())
        return std::nullopt;
    return screen->geometry();
}

void CFullScreenWnd::ForceNoScreen(bool none) {
    g_noScreen = none;
}

bool CFullScreenWnd::Create() {
    const std::optional<QRect> screen = ScreenRect();
    if (!screen)
        return false;
    // What lay under the window stays in view until the first turn.
    if (QScreen* primary = QGuiApplication::primaryScreen())
        SetUnderneath(primary->grabWindow(0));
    if (!CCartoonWnd::Create(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint,
                             *screen))
        return false;
    setWindowState(windowState() | Qt::WindowFullScreen);
    raise();
    activateWindow();
    setFocus();
    return true;
}

void CFullScreenWnd::PostClose() {
    // Queued, as a posted close message: the input that asked for it is
    // handled first, and a request that comes after the window is gone
    // finds nobody.
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void CFullScreenWnd::closeEvent(QCloseEvent* event) {
    // The system's close command (the window manager's) does not end the
    // saver; its own requests do, once.
    if (event->spontaneous() || m_bClosing) {
        event->ignore();
        return;
    }
    m_bClosing = true;
    StopTurns();
    event->accept();
}

void CFullScreenWnd::mousePressEvent(QMouseEvent*) {
    PostClose();
}

void CFullScreenWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    // The first move is where the mouse stands when the saver starts; only
    // moving away from there ends it.
    if (m_ptFirstMouse == kNoMouseYet)
        m_ptFirstMouse = at;
    else if (at != m_ptFirstMouse)
        PostClose();
}

bool CFullScreenWnd::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Every key, Tab and Alt combinations too, before anything else
        // could take it; the release of a key held when the saver started
        // among them.
        PostClose();
        return true;
    case QEvent::WindowDeactivate:
        PostClose();
        break;
    default:
        break;
    }
    return CCartoonWnd::event(event);
}
