#include "CFullScreenWnd.h"

#include "TestSeam.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace {
bool g_noScreen = false;
[[maybe_unused]] const bool g_switch = testseam::Register(g_noScreen);
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
    if (m_bEndsProgram)
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

void CFullScreenWnd::SetEndsProgram(bool ends) {
    m_bEndsProgram = ends;
    // Nor does Qt end the program when the last window closes.
    setAttribute(Qt::WA_QuitOnClose, ends);
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
    // A request that arrives while a turn paints (a message shown by the
    // turn runs the event loop) waits for the turn to end.
    if (InTurn()) {
        event->ignore();
        PostClose();
        return;
    }
    m_bClosing = true;
    StopTurns();
    event->accept();
}

void CFullScreenWnd::mousePressEvent(QMouseEvent*) {
    PostClose();
}

void CFullScreenWnd::showEvent(QShowEvent* event) {
    // The window system reports no move when the window appears, so the
    // first move the window sees is already the user's: what counts is
    // moving away from where the pointer stood.
    m_ptFirstMouse = QCursor::pos();
    CCartoonWnd::showEvent(event);
}

void CFullScreenWnd::mouseMoveEvent(QMouseEvent* event) {
    if (event->globalPosition().toPoint() != m_ptFirstMouse)
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
