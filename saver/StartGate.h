#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class SessionBus;

// Something that may keep the saver from starting: a program that holds the
// session awake, a window the user watches full screen. Asked, it answers
// once, at once or later; a question on the bus gives up after its timeout,
// which counts as nothing holding.
class SaverHold {
public:
    virtual ~SaverHold() = default;
    virtual void Ask(std::function<void(bool holds)> answer) = 0;
};

// Whether the saver may start now that the session is idle: once every hold
// has answered and none holds, MayStart. While one holds, it looks again
// every ten seconds until the session is active again. In a Wayland session
// the compositor's own inhibitors keep its idle watch from telling idle at
// all, so no hold here needs to know them; a watch that cannot would bring
// a hold of its own.
class StartGate : public QObject {
    Q_OBJECT
public:
    // The holds of this session: GNOME's session manager's idle inhibitors;
    // the inhibitors of org.freedesktop.ScreenSaver, served here where nobody
    // else serves it; the active window of an X server outside Wayland being
    // full screen.
    static std::unique_ptr<StartGate> ForSession();
    StartGate(std::vector<std::unique_ptr<SaverHold>> holds, std::unique_ptr<SessionBus> bus = {});
    ~StartGate() override;

    // How long a hold holds off the next look, no less than a second; a
    // switch for tests, which the test seam puts back.
    static void SetLookAgain(std::chrono::milliseconds interval);

    void Idle();
    void Active();

signals:
    void MayStart();

private:
    void Look();
    void Answer(unsigned round, bool holds);

    // The connection the holds on the bus use, closed after them.
    std::unique_ptr<SessionBus> m_bus;
    std::vector<std::unique_ptr<SaverHold>> m_holds;
    QTimer m_lookAgain;
    // Each look is a round; answers of an older one are let go.
    unsigned m_round = 0;
    std::size_t m_unanswered = 0;
    bool m_held = false;
};
