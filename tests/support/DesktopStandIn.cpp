// The desktop's D-Bus services as the tests need them, on the session bus the
// test started: the XDG desktop portal's Wallpaper and Inhibit interfaces, the
// Plasma shell's scripting call and the screen saver's Inhibit. Each call is
// recorded, one line per fact, into the file given with --record; the portal
// also keeps the bytes of the file it was handed in <record>.file. Prints
// "ready" once the names are owned.
//
//   desktop_standin --record FILE [--portal RESPONSE] [--plasma | --plasma-refuse]
//                   [--inhibit grant|fail|refuse] [--screensaver PATH | --screensaver-refuse PATH]
//                   [--gnome-screensaver] [--idle-monitor]
//                   [--session-manager inhibited|free|silent]
//   desktop_standin --record FILE --logind | --logind-locked      (on the system bus)
//
// Nothing keeps a clock; lines on standard input tell what happens: "idle"
// fires every idle watch of GNOME's idle monitor, "active" every user-active
// watch, "restart" takes the monitor off the bus and back without watches;
// "saver-on", "saver-off" are the screen saver's ActiveChanged, "idle-time
// MS" the idle time its GetSessionIdleTime answers (0 before; with
// --screensaver-refuse it answers NotSupported, as KDE Plasma's does on
// Wayland); "lock", "unlock" logind's signals, "hint-on", "hint-off"
// changes of LockedHint. logind knows the session as "c2" and as the
// starting program's.
//
// GNOME's session manager answers IsInhibited with whether idle (flag 8) is
// inhibited, as told; "silent" never answers.
//
// Inhibit "fail" grants, then answers the request with a failure as a portal
// whose backend failed does; "refuse" answers the call with an error.

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <unistd.h>

namespace {

QString g_record;
// What a line on standard input does.
std::map<QByteArray, std::function<void()>> g_told;

void Record(const QString& line) {
    QFile file(g_record);
    if (file.open(QIODevice::Append))
        file.write(line.toUtf8() + '\n');
}

QByteArray ReadDescriptor(int fd) {
    QByteArray bytes;
    char buffer[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<qsizetype>(got));
    return bytes;
}

// The request object path a portal gives a caller's request.
QString RequestPath(const QDBusMessage& message, const QVariantMap& options) {
    QString sender = message.service().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
        .arg(sender, options.value(QStringLiteral("handle_token")).toString());
}

void Refuse(const QDBusMessage& message, const QString& text) {
    message.setDelayedReply(true);
    QDBusConnection::sessionBus().send(
        message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.Failed"), text));
}

} // namespace

class Portal : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Wallpaper")
public:
    Portal(QObject* parent, uint response) : QDBusAbstractAdaptor(parent), m_response(response) {}

public slots:
    QDBusObjectPath SetWallpaperFile(const QString& parentWindow,
                                     const QDBusUnixFileDescriptor& file,
                                     const QVariantMap& options, const QDBusMessage& message) {
        QFile copy(g_record + QStringLiteral(".file"));
        if (copy.open(QIODevice::WriteOnly | QIODevice::Truncate))
            copy.write(ReadDescriptor(file.fileDescriptor()));
        Record(QStringLiteral("SetWallpaperFile parent=[%1] show-preview=%2 set-on=%3")
                   .arg(parentWindow, options.value(QStringLiteral("show-preview")).toString(),
                        options.value(QStringLiteral("set-on")).toString()));
        const QString handle = RequestPath(message, options);
        // The answer comes later, as a portal's does after its dialog.
        QTimer::singleShot(50, this, [this, handle] {
            QDBusMessage response =
                QDBusMessage::createSignal(handle, QStringLiteral("org.freedesktop.portal.Request"),
                                           QStringLiteral("Response"));
            response << m_response << QVariantMap();
            QDBusConnection::sessionBus().send(response);
        });
        return QDBusObjectPath(handle);
    }

private:
    uint m_response;
};

// A granted inhibition: closing it is recorded.
class Request : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")
public slots:
    void Close() {
        Record(QStringLiteral("Close"));
        deleteLater();
    }
};

class InhibitPortal : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")
public:
    InhibitPortal(QObject* parent, QString mode)
        : QDBusAbstractAdaptor(parent), m_mode(std::move(mode)) {}

public slots:
    QDBusObjectPath Inhibit(const QString& window, uint flags, const QVariantMap& options,
                            const QDBusMessage& message) {
        Record(QStringLiteral("Inhibit window=[%1] flags=%2 reason=[%3]")
                   .arg(window)
                   .arg(flags)
                   .arg(options.value(QStringLiteral("reason")).toString()));
        if (m_mode == QStringLiteral("refuse")) {
            Refuse(message, QStringLiteral("Inhibiting is not allowed"));
            return {};
        }
        const QString handle = RequestPath(message, options);
        auto* request = new Request;
        QDBusConnection::sessionBus().registerObject(handle, request,
                                                     QDBusConnection::ExportAllSlots);
        if (m_mode == QStringLiteral("fail"))
            QTimer::singleShot(50, request, [request, handle] {
                QDBusMessage response = QDBusMessage::createSignal(
                    handle, QStringLiteral("org.freedesktop.portal.Request"),
                    QStringLiteral("Response"));
                response << 2u << QVariantMap();
                QDBusConnection::sessionBus().send(response);
                request->deleteLater();
            });
        return QDBusObjectPath(handle);
    }

private:
    QString m_mode;
};

class ScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    explicit ScreenSaver(bool refuse) : m_refuse(refuse) {}
    void SetIdleTime(uint milliseconds) { m_idleTime = milliseconds; }

public slots:
    uint Inhibit(const QString& application, const QString& reason, const QDBusMessage& message) {
        const uint cookie = m_refuse ? 0 : ++m_cookie;
        Record(QStringLiteral("ScreenSaver.Inhibit [%1] [%2]").arg(application, reason) +
               (cookie ? QStringLiteral(" %1").arg(cookie) : QString()));
        if (m_refuse)
            Refuse(message, QStringLiteral("Inhibiting is not allowed"));
        return cookie;
    }
    void UnInhibit(uint cookie) { Record(QStringLiteral("ScreenSaver.UnInhibit %1").arg(cookie)); }
    uint GetSessionIdleTime(const QDBusMessage& message) {
        Record(QStringLiteral("ScreenSaver.GetSessionIdleTime %1").arg(m_idleTime));
        if (m_refuse) {
            message.setDelayedReply(true);
            QDBusConnection::sessionBus().send(message.createErrorReply(
                QStringLiteral("org.freedesktop.DBus.Error.NotSupported"),
                QStringLiteral("GetSessionIdleTime is not supported on this platform")));
        }
        return m_idleTime;
    }

private:
    bool m_refuse;
    uint m_idleTime = 0;
    uint m_cookie = 40;
};

class PlasmaShell : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    explicit PlasmaShell(bool refuse) : m_refuse(refuse) {}

public slots:
    QString evaluateScript(const QString& script, const QDBusMessage& message) {
        Record(QStringLiteral("evaluateScript"));
        for (const QString& line : script.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            Record(QStringLiteral("  ") + line);
        if (m_refuse)
            Refuse(message, QStringLiteral("Scripting locked"));
        return {};
    }

private:
    bool m_refuse;
};

class SessionManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
public:
    explicit SessionManager(QString mode) : m_mode(std::move(mode)) {}

public slots:
    bool IsInhibited(uint flags, const QDBusMessage& message) {
        message.setDelayedReply(m_mode == QStringLiteral("silent"));
        return m_mode == QStringLiteral("inhibited") && (flags & 8) != 0;
    }

private:
    QString m_mode;
};

class IdleMonitor : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")
public:
    // Fires the watches of one kind; a user-active watch fires once.
    void Fire(bool active) {
        for (auto watch = m_watches.begin(); watch != m_watches.end();) {
            if (watch->second != active) {
                ++watch;
                continue;
            }
            QDBusMessage fired = QDBusMessage::createSignal(
                QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("WatchFired"));
            fired << watch->first;
            QDBusConnection::sessionBus().send(fired);
            watch = active ? m_watches.erase(watch) : std::next(watch);
        }
    }

public slots:
    uint AddIdleWatch(qulonglong interval) {
        Record(QStringLiteral("AddIdleWatch %1").arg(interval));
        m_watches.emplace(++m_id, false);
        return m_id;
    }
    uint AddUserActiveWatch() {
        Record(QStringLiteral("AddUserActiveWatch"));
        m_watches.emplace(++m_id, true);
        return m_id;
    }
    void RemoveWatch(uint id) {
        Record(QStringLiteral("RemoveWatch %1").arg(id));
        m_watches.erase(id);
    }
    // GNOME Shell restarting.
    void Restart() {
        m_watches.clear();
        QDBusConnection::sessionBus().unregisterService(
            QStringLiteral("org.gnome.Mutter.IdleMonitor"));
        QDBusConnection::sessionBus().registerService(
            QStringLiteral("org.gnome.Mutter.IdleMonitor"));
    }

private:
    std::map<uint, bool> m_watches; // id, whether a user-active watch
    uint m_id = 0;
};

class LogindSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint MEMBER m_locked)
public:
    explicit LogindSession(bool locked) : m_locked(locked) {}
    void SetLockedHint(bool locked) {
        m_locked = locked;
        QDBusMessage changed = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1/session/c2"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        changed << QStringLiteral("org.freedesktop.login1.Session")
                << QVariantMap{{QStringLiteral("LockedHint"), locked}} << QStringList();
        QDBusConnection::systemBus().send(changed);
    }
signals:
    void Lock();
    void Unlock();

private:
    bool m_locked;
};

class LogindManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public slots:
    QDBusObjectPath GetSession(const QString& id) { return Answer(id == QStringLiteral("c2")); }
    QDBusObjectPath GetSessionByPID(uint pid) { return Answer(pid == uint(::getppid())); }

private:
    QDBusObjectPath Answer(bool known) {
        if (!known)
            sendErrorReply(QStringLiteral("org.freedesktop.login1.NoSuchSession"), {});
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/login1/session/c2"));
    }
};

void ServeLogind(QDBusConnection& bus, bool locked) {
    auto* session = new LogindSession(locked);
    bus.registerObject(QStringLiteral("/org/freedesktop/login1/session/c2"), session,
                       QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties);
    bus.registerObject(QStringLiteral("/org/freedesktop/login1"), new LogindManager,
                       QDBusConnection::ExportAllSlots);
    bus.registerService(QStringLiteral("org.freedesktop.login1"));
    g_told["lock"] = [session] { emit session->Lock(); };
    g_told["unlock"] = [session] { emit session->Unlock(); };
    g_told["hint-on"] = [session] { session->SetLockedHint(true); };
    g_told["hint-off"] = [session] { session->SetLockedHint(false); };
}

void TellActiveChanged(const QString& path, const QString& interface) {
    for (bool active : {true, false})
        g_told[active ? "saver-on" : "saver-off"] = [=] {
            QDBusMessage changed =
                QDBusMessage::createSignal(path, interface, QStringLiteral("ActiveChanged"));
            QDBusConnection::sessionBus().send(changed << active);
        };
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    g_record = arguments.value(arguments.indexOf(QStringLiteral("--record")) + 1);
    const bool logind = arguments.contains(QStringLiteral("--logind")) ||
                        arguments.contains(QStringLiteral("--logind-locked"));
    QDBusConnection bus = logind ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
    if (!bus.isConnected() || g_record.isEmpty())
        return 2;
    if (logind)
        ServeLogind(bus, arguments.contains(QStringLiteral("--logind-locked")));
    const auto value = [&arguments](const char* option) {
        const qsizetype at = arguments.indexOf(QLatin1String(option));
        return at < 0 ? QString() : arguments.value(at + 1);
    };
    auto* desktop = new QObject;
    if (!value("--portal").isEmpty())
        new Portal(desktop, value("--portal").toUInt());
    if (!value("--inhibit").isEmpty())
        new InhibitPortal(desktop, value("--inhibit"));
    if (!desktop->children().isEmpty()) {
        bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), desktop,
                           QDBusConnection::ExportAdaptors);
        bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    }
    const bool refuseScreenSaver = !value("--screensaver-refuse").isEmpty();
    const QString screenSaverPath =
        refuseScreenSaver ? value("--screensaver-refuse") : value("--screensaver");
    ScreenSaver* screenSaver = nullptr;
    if (!screenSaverPath.isEmpty()) {
        screenSaver = new ScreenSaver(refuseScreenSaver);
        bus.registerObject(screenSaverPath, screenSaver, QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
        TellActiveChanged(screenSaverPath, QStringLiteral("org.freedesktop.ScreenSaver"));
    }
    if (arguments.contains(QStringLiteral("--gnome-screensaver"))) {
        bus.registerService(QStringLiteral("org.gnome.ScreenSaver"));
        TellActiveChanged(QStringLiteral("/org/gnome/ScreenSaver"),
                          QStringLiteral("org.gnome.ScreenSaver"));
    }
    const bool refuse = arguments.contains(QStringLiteral("--plasma-refuse"));
    if (refuse || arguments.contains(QStringLiteral("--plasma"))) {
        auto* object = new PlasmaShell(refuse);
        bus.registerObject(QStringLiteral("/PlasmaShell"), object, QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.kde.plasmashell"));
    }
    if (!value("--session-manager").isEmpty()) {
        bus.registerObject(QStringLiteral("/org/gnome/SessionManager"),
                           new SessionManager(value("--session-manager")),
                           QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.gnome.SessionManager"));
    }
    if (arguments.contains(QStringLiteral("--idle-monitor"))) {
        auto* monitor = new IdleMonitor;
        bus.registerObject(QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"), monitor,
                           QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.gnome.Mutter.IdleMonitor"));
        g_told["idle"] = [monitor] { monitor->Fire(false); };
        g_told["active"] = [monitor] { monitor->Fire(true); };
        g_told["restart"] = [monitor] { monitor->Restart(); };
    }
    auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QObject::connect(input, &QSocketNotifier::activated, &app, [screenSaver, input] {
        char line[64] = {};
        const ssize_t got = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (got <= 0) {
            input->setEnabled(false);
            return;
        }
        for (const QByteArray& word : QByteArray(line).split('\n')) {
            if (const auto told = g_told.find(word); told != g_told.end())
                told->second();
            else if (screenSaver && word.startsWith("idle-time "))
                screenSaver->SetIdleTime(word.mid(10).toUInt());
        }
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "DesktopStandIn.moc"
