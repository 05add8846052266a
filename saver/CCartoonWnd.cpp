#include "CCartoonWnd.h"

#include "MainWindow.h"

#include <QPainter>
#include <QWindow>

namespace {
constexpr int kDiagnosticWaitMs = 25;
constexpr int kWaitShortfallMs = 250;
} // namespace

CCartoonWnd::CCartoonWnd(MessageReporter& reporter, QWidget* parent)
    : QWidget(parent), m_cycle(Profile::App(), reporter) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    m_wait.setSingleShot(true);
    m_wait.setTimerType(Qt::PreciseTimer);
    connect(&m_wait, &QTimer::timeout, this, &CCartoonWnd::OnTurn);
}

CCartoonWnd::~CCartoonWnd() {
    m_wait.stop();
    m_cycle.SaveOnExit();
}

bool CCartoonWnd::Create(Qt::WindowFlags flags, const QRect& rect, QWindow* parent) {
    setWindowFlags(flags);
    setWindowTitle(QStringLiteral("Quelby"));
    setGeometry(rect);
    if (parent) {
        // A native window of its own inside the other program's window.
        winId();
        QWindow* own = windowHandle();
        if (!own)
            return false;
        own->setParent(parent);
        move(rect.topLeft());
    }
    show();
    return isVisible();
}

int CCartoonWnd::TurnWait() const {
    return m_cycle.IsDiagnostic() ? kDiagnosticWaitMs : m_cycle.Delay() * 1000 - kWaitShortfallMs;
}

void CCartoonWnd::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first turn waits too: the picture comes after the first wait.
    if (!m_bStarted) {
        m_bStarted = true;
        m_wait.start(TurnWait());
    }
}

QSize CCartoonWnd::ScreenSize() const {
    return size() * devicePixelRatio();
}

void CCartoonWnd::OnTurn() {
    const QSize screen = ScreenSize();
    if (m_frame.size() != screen)
        m_frame = QImage(screen, QImage::Format_RGB32);
    m_frame.fill(Qt::black);
    m_bInTurn = true;
    {
        QPainter dc(&m_frame);
        m_cycle.ShowNextPicture(dc, screen, AfxGetMainWnd() != nullptr);
    }
    m_bInTurn = false;
    ++m_nTurnsDrawn;
    update();
    m_wait.start(TurnWait());
    emit TurnDrawn(m_nTurnsDrawn);
}

void CCartoonWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_frame.isNull()) {
        if (!m_underneath.isNull())
            painter.drawPixmap(0, 0, m_underneath);
        return;
    }
    // A window that changed its size shows the last turn centred until the
    // next turn fills it anew.
    QImage shown = m_frame;
    shown.setDevicePixelRatio(devicePixelRatio());
    const QSizeF frameSize = shown.deviceIndependentSize();
    const QPointF corner((width() - frameSize.width()) / 2, (height() - frameSize.height()) / 2);
    if (frameSize != QSizeF(size()))
        painter.fillRect(rect(), Qt::black);
    painter.drawImage(corner, shown);
}
