#pragma once

#include "StartGate.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <map>

class QDBusMessage;

// org.freedesktop.ScreenSaver's Inhibit and UnInhibit, served where nobody
// else serves them (window managers and compositors without a screen saver
// of their own), so that video players and the viewer's slide show can keep
// the saver off: holds while an inhibit is held. An inhibit ends with
// UnInhibit from its caller or when its caller leaves the bus. A screen
// saver that takes the name later takes it: this one then stops serving.
class ScreenSaverService final : public QObject, public SaverHold {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    // None where the name is taken or there is no bus.
    static std::unique_ptr<ScreenSaverService> Serve(const QDBusConnection& bus);
    ~ScreenSaverService() override;

    bool IsHeld() const { return !m_inhibits.empty(); }
    void Ask(std::function<void(bool holds)> answer) override { answer(IsHeld()); }

public slots:
    Q_SCRIPTABLE uint Inhibit(const QString& application, const QString& reason,
                              const QDBusMessage& message);
    Q_SCRIPTABLE void UnInhibit(uint cookie, const QDBusMessage& message);

private:
    explicit ScreenSaverService(const QDBusConnection& bus);
    void CallerLeft(const QString& caller);
    void StopServing();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_callers;
    std::map<uint, QString> m_inhibits; // cookie, the caller's unique name
    uint m_lastCookie = 0;
    bool m_serving = false;
};
