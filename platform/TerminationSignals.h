#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP, by which xscreensaver, session managers and
// the terminal (also when it is closed) end a program, turned into a signal on the event loop: the
// program finishes its exit work instead of ending where it stands. One
// object at a time; the default handling is back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the handlers could not be installed.
    bool IsInstalled() const { return m_notifier != nullptr; }

signals:
    void Requested(int signalNumber);

private:
    void Drain();

    QSocketNotifier* m_notifier = nullptr;
};
