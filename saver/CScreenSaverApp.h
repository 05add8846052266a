#pragma once

#include "CCartoonWnd.h"
#include "MessageBoxReporter.h"
#include "SaverCommandLine.h"
#include "SaverSettings.h"

#include <QPointer>
#include <QStringList>
#include <chrono>
#include <memory>

class IdleWatch;
class StartGate;
class LockWatch;
class TerminationSignals;
class XWindowWatcher;

// Writes the saver's messages to standard error: with a host's window to
// draw in, nobody is there to answer a message box.
class StandardErrorReporter final : public MessageReporter {
public:
    void AppMessage(const QString& text) override;
    void PlainMessage(const QString& text) override;
};

// The application object of the screen saver: reads the command line and
// either runs the configuration dialogs, or opens the saver window (full
// screen, or inside the window of a screen-saver host) for the event loop to
// run until the window goes, or in the idle mode waits for the session to be
// idle, opens the full-screen window, and when it goes, waits again, until
// the program is told to end.
class CScreenSaverApp {
public:
    CScreenSaverApp();
    ~CScreenSaverApp();
    CScreenSaverApp(const CScreenSaverApp&) = delete;
    CScreenSaverApp& operator=(const CScreenSaverApp&) = delete;

    // arguments: the command line after the program name. True when the
    // saver window is open and the event loop is to run; false when the
    // program ends now, with ExitInstance's status.
    bool InitInstance(const QStringList& arguments);
    // 0, or 1 when the saver window could not be opened or the idle mode
    // finds no way to tell when the session is idle.
    int ExitInstance() const { return m_nExitCode; }

    // The saver window while it is open.
    CCartoonWnd* SaverWindow() const { return m_pWnd.data(); }

    // The working copy of the settings a configuration choice stores; zero
    // (and no code) when the program starts.
    Selection m_held;
    int m_nCatalogueSize = 0;

private:
    void RunConfiguration();
    // The configuration's dialogs in turn; false when a setting was not stored.
    bool Configure(Profile& profile);
    bool StartSaver();
    bool StartInHost(const HostOptions& host);
    bool StartIdle(std::optional<int> minutes);
    void ShowWhileIdle();
    void GiveWayToTheLock();
    bool Fail(const QString& message);
    void EndOnTermination();

    MessageBoxReporter m_messageBoxes;
    StandardErrorReporter m_standardError;
    QPointer<CCartoonWnd> m_pWnd;
    std::unique_ptr<TerminationSignals> m_termination;
    std::unique_ptr<XWindowWatcher> m_hostWatcher;
    std::unique_ptr<IdleWatch> m_idleWatch;
    std::unique_ptr<StartGate> m_startGate;
    std::chrono::milliseconds m_idleTime{0};
    std::unique_ptr<LockWatch> m_lockWatch;
    int m_nExitCode = 0;
};
