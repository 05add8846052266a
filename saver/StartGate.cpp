#include "StartGate.h"

#include "GnomeSessionHold.h"
#include "ScreenSaverService.h"
#include "SessionBus.h"
#include "TestSeam.h"
#include "XFullScreenHold.h"

#include <algorithm>

using namespace std::chrono_literals;

namespace {
constexpr std::chrono::milliseconds kShortestLook = 1s;
std::chrono::milliseconds g_lookAgain = 10s;
[[maybe_unused]] const bool g_switch = testseam::Register(g_lookAgain);
} // namespace

std::unique_ptr<StartGate> StartGate::ForSession() {
    std::vector<std::unique_ptr<SaverHold>> holds;
    auto bus = std::make_unique<SessionBus>();
    if (bus->IsConnected()) {
        holds.push_back(std::make_unique<GnomeSessionHold>(bus->Connection()));
        if (std::unique_ptr<ScreenSaverService> served =
                ScreenSaverService::Serve(bus->Connection()))
            holds.push_back(std::move(served));
    }
    if (std::unique_ptr<XFullScreenHold> fullScreen = XFullScreenHold::Open())
        holds.push_back(std::move(fullScreen));
    return std::make_unique<StartGate>(std::move(holds), std::move(bus));
}

StartGate::StartGate(std::vector<std::unique_ptr<SaverHold>> holds, std::unique_ptr<SessionBus> bus)
    : m_bus(std::move(bus)), m_holds(std::move(holds)) {
    m_lookAgain.setSingleShot(true);
    connect(&m_lookAgain, &QTimer::timeout, this, &StartGate::Look);
}

StartGate::~StartGate() = default;

void StartGate::SetLookAgain(std::chrono::milliseconds interval) {
    g_lookAgain = std::max(interval, kShortestLook);
}

void StartGate::Idle() {
    Look();
}

void StartGate::Active() {
    m_lookAgain.stop();
    ++m_round;
}

void StartGate::Look() {
    const unsigned round = ++m_round;
    m_unanswered = m_holds.size();
    m_held = false;
    if (m_holds.empty()) {
        emit MayStart();
        return;
    }
    for (const std::unique_ptr<SaverHold>& hold : m_holds)
        hold->Ask([this, round](bool holds) { Answer(round, holds); });
}

void StartGate::Answer(unsigned round, bool holds) {
    if (round != m_round)
        return;
    m_held = m_held || holds;
    if (--m_unanswered > 0)
        return;
    if (m_held)
        m_lookAgain.start(std::max(g_lookAgain, kShortestLook));
    else
        emit MayStart();
}
