#include "CMainFrame.h"

#include "Abort.h"
#include "HelpWindow.h"
#include "MainMenu.h"
#include "ScreenMetrics.h"
#include "ViewTitles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>
#include <xcb/xproto.h>

namespace {
// How long a window manager may take to give a restored frame its decorations.
constexpr int kSettleMs = 1000;
} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(viewtitles::FrameCaption(QString()));
    m_menu = std::make_unique<MainMenu>(this, menuBar(), m_router);
    m_router.SetAfterCommand([this] { m_menu->Refresh(); });
    m_outer = ScreenMetrics::FrameRect(ScreenMetrics::Size());
    ApplyOuterGeometry();
    qApp->installNativeEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeNativeEventFilter(this);
}

void CMainFrame::SetDocumentTitle(const QString& title) {
    setWindowTitle(viewtitles::FrameCaption(title));
}

void CMainFrame::ShowHelp(bool usingHelp) {
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->ShowPage(usingHelp ? HelpWindow::Page::usingHelp : HelpWindow::Page::contents);
}

void CMainFrame::ApplyOuterGeometry() {
    // The sizes are those of the outer frame: take the decorations off. Where
    // the decorations are thicker than the frame allows for (a tall title
    // bar, one drawn inside the window), the frame grows by what the menu
    // and the view would lose, so that both are always whole.
    setFixedSize((m_outer.size() - m_decoration).expandedTo(ContentSize()));
    move(m_outer.topLeft());
}

QSize CMainFrame::ContentSize() const {
    const QWidget* view = centralWidget();
    if (!view)
        return {};
    const QSize content = view->minimumSizeHint();
    return QSize(content.width(), content.height() + menuBar()->sizeHint().height());
}

void CMainFrame::MeasureDecoration() {
    // Only the normal frame's decorations count. The window manager frames
    // the window some time after it is shown, and while a maximised frame
    // goes back to normal it reports the maximised frame's for a while.
    if (m_restoring || isMaximized() || isFullScreen() || !isVisible())
        return;
    const QSize decoration = frameGeometry().size() - geometry().size();
    if (decoration == m_decoration)
        return;
    m_decoration = decoration;
    ApplyOuterGeometry();
}

void CMainFrame::ShowMaximised() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showMaximized();
}

void CMainFrame::ShowNormalSize() {
    m_restoring = true;
    showNormal();
    ApplyOuterGeometry();
    // Once more when the window manager has settled the frame.
    QTimer::singleShot(kSettleMs, this, [this] {
        m_restoring = false;
        if (!isMaximized())
            ApplyOuterGeometry();
    });
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    MeasureDecoration();
    ApplyOuterGeometry();
    QTimer::singleShot(250, this, [this] { MeasureDecoration(); });
}

bool CMainFrame::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    // On X11 the window manager tells of the frame it draws in a property of
    // the window (_NET_FRAME_EXTENTS), in its own time and by no event the
    // frame would see: any change of the window's properties has the
    // decorations looked at again, once Qt has taken the change in.
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
        reinterpret_cast<const xcb_property_notify_event_t*>(event)->window == winId())
        QMetaObject::invokeMethod(
            this, [this] { MeasureDecoration(); }, Qt::QueuedConnection);
    return false;
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    MeasureDecoration();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    MeasureDecoration();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit Activated();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The view's exit work runs while the frame and the view are intact, and
    // not at all when the program ends abnormally.
    if (m_exitWork && !AfxIsAborting()) {
        const auto work = std::move(m_exitWork);
        m_exitWork = nullptr;
        work();
    }
    event->accept();
}
