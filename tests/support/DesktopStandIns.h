#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

// Sets an environment variable for the lifetime of the object (an empty
// value unsets it) and puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// Desktop programs stood in for by small scripts in a folder that becomes the
// whole PATH: each records its arguments, one call per line with every
// argument in angle brackets, prints what it is told and exits as told.
class StandInTools {
public:
    StandInTools();
    // A tool that prints `output` and exits with `status`; when `onlyFor` is
    // given, the output and status apply to calls whose first argument is
    // that, and other calls print nothing and succeed.
    void Add(const QString& name, const QString& output = {}, int status = 0,
             const QString& onlyFor = {});
    // The calls of a tool so far, each as its list of arguments.
    std::vector<QStringList> Calls(const QString& name) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScopedEnv> m_path;
};

// A session bus of the test's own (dbus-daemon with a configuration written
// by the test), named in DBUS_SESSION_BUS_ADDRESS while it lives, and the
// desktop's D-Bus services stood in for by a helper program that records
// what it is asked. Named in DBUS_SYSTEM_BUS_ADDRESS instead, it stands for
// the system bus.
class PrivateSessionBus {
public:
    explicit PrivateSessionBus(const char* addressVariable = "DBUS_SESSION_BUS_ADDRESS");
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool IsUp() const { return !m_address.isEmpty(); }
    const QString& Address() const { return m_address; }

    // Starts the stand-in: "--portal N" answers SetWallpaperFile with response
    // N, "--plasma" serves the Plasma shell's evaluateScript, "--plasma-refuse"
    // answers it with an error; "--inhibit grant|fail|refuse" serves the
    // portal's Inhibit, "--screensaver PATH" or "--screensaver-refuse PATH" the
    // screen saver's, "--gnome-screensaver" GNOME Shell's; "--idle-monitor"
    // GNOME's idle monitor; "--session-manager inhibited|free|silent" its
    // session manager's IsInhibited; "--logind" (alone, on the system bus)
    // logind's session, "--logind-locked" one locked already. False when it
    // did not come up.
    bool StartStandIn(const QStringList& services);
    // Tells the stand-in what happens in the session (the words are listed
    // in DesktopStandIn.cpp).
    void Tell(const QByteArray& word);
    // Tells it again until `done` holds, for a listener that may begin to
    // listen only after the first time; false when it never holds.
    bool TellUntil(const QByteArray& word, const std::function<bool()>& done);
    // What the stand-in recorded, line by line.
    QStringList Record() const;
    // The bytes of the last file the portal stand-in received.
    QByteArray PortalFile() const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QProcess m_standIn;
    QString m_address;
    std::unique_ptr<ScopedEnv> m_env;
};
