#include "CMainFrame.h"

#include "Abort.h"
#include "CBitmapButton.h"
#include "HelpWindow.h"
#include "MainMenu.h"
#include "ScreenMetrics.h"
#include "ViewTitles.h"
#include "ViewerIds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <QWhatsThis>

using namespace ids;

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(viewtitles::FrameCaption(QString()));
    // Icon 128 is the frame's and the program's.
    const QIcon icon(
        QPixmap::fromImage(CBitmapButton::LoadResourceBitmap(BitmapResource(IDR_MAINFRAME))));
    setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
    m_router.Add(ID_APP_EXIT, [this] { close(); });
    m_router.Add(ID_HELP_INDEX, [this] { ShowHelp(false); });
    m_router.Add(ID_DEFAULT_HELP, [this] { ShowHelp(false); });
    m_router.Add(ID_HELP, [this] { ShowHelp(false); });
    m_router.Add(ID_HELP_USING, [this] { ShowHelp(true); });
    m_router.Add(ID_CONTEXT_HELP, [] { QWhatsThis::enterWhatsThisMode(); });
    m_menu = std::make_unique<MainMenu>(this, menuBar(), m_router);
    m_router.SetAfterCommand([this] { m_menu->Refresh(); });
    m_outer = ScreenMetrics::FrameRect(ScreenMetrics::Size());
    ApplyOuterGeometry();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetDocumentTitle(const QString& title) {
    setWindowTitle(viewtitles::FrameCaption(title));
}

void CMainFrame::ShowHelp(bool usingHelp) {
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->ShowPage(usingHelp ? HelpWindow::Page::usingHelp : HelpWindow::Page::contents);
}

void CMainFrame::ApplyOuterGeometry(bool measure) {
    // The sizes are those of the outer frame: take the decorations off.
    if (measure)
        m_decoration = frameGeometry().size() - geometry().size();
    setFixedSize(m_outer.size() - m_decoration);
    move(m_outer.topLeft());
}

void CMainFrame::ShowMaximised() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showMaximized();
}

void CMainFrame::ShowNormalSize() {
    showNormal();
    // The window manager gives the frame back its normal decorations some
    // time after: until then they are the maximised frame's, so the ones
    // measured when the frame was first shown are used, now and once more
    // when the frame has settled.
    ApplyOuterGeometry(false);
    QTimer::singleShot(250, this, [this] {
        if (!isMaximized())
            ApplyOuterGeometry(false);
    });
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The decorations are known once the window manager has framed the window.
    ApplyOuterGeometry();
    QTimer::singleShot(250, this, [this] { ApplyOuterGeometry(); });
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
