#pragma once

#include "StartGate.h"

#include <QDBusConnection>
#include <QObject>

// GNOME's session manager, which keeps what the desktop portal's and the
// screen saver's Inhibit grant there: holds while something inhibits idle.
// Without the session manager on the bus, or without an answer in time,
// nothing holds.
class GnomeSessionHold final : public QObject, public SaverHold {
    Q_OBJECT
public:
    explicit GnomeSessionHold(const QDBusConnection& bus);

    void Ask(std::function<void(bool holds)> answer) override;

private:
    QDBusConnection m_bus;
};
