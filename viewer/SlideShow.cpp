#include "SlideShow.h"

namespace {
constexpr int kMillisecondsPerSecond = 1000;
} // namespace

int SlideShow::PeriodMs(int viewTimeSeconds, bool diagnostic) {
    if (diagnostic)
        return kDiagnosticPeriodMs;
    return viewTimeSeconds * kMillisecondsPerSecond - kHoldShortfallMs;
}

SlideShow::SlideShow(Host host, QObject* parent) : QObject(parent), m_host(std::move(host)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SlideShow::OnTimeout);
}

void SlideShow::Start(int periodMs) {
    m_periodMs = periodMs;
    m_running = true;
    m_timer.start(m_periodMs);
    if (m_host.repaint)
        m_host.repaint();
}

void SlideShow::Stop() {
    m_running = false;
    m_timer.stop();
}

void SlideShow::OnTimeout() {
    emit StepStarting();
    if (m_host.step)
        m_host.step();
    emit StepDone();
    // The step may have ended the show: a close that came while one of its
    // messages was open.
    if (!m_running)
        return;
    m_timer.start(m_periodMs);
    if (m_host.repaint)
        m_host.repaint();
}
