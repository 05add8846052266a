// The desktop's D-Bus services as the wallpaper tests need them, on the
// session bus the test started: the XDG desktop portal's Wallpaper interface
// and the Plasma shell's scripting call. Each call is recorded, one line per
// fact, into the file given with --record; the portal also keeps the bytes of
// the file it was handed in <record>.file. Prints "ready" once the names are
// owned.
//
//   desktop_standin --record FILE [--portal RESPONSE] [--plasma | --plasma-refuse]

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>
#include <unistd.h>

namespace {

QString g_record;

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

} // namespace

class Portal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Wallpaper")
public:
    explicit Portal(uint response) : m_response(response) {}

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
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString handle =
            QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                .arg(sender, options.value(QStringLiteral("handle_token")).toString());
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
        if (m_refuse) {
            message.setDelayedReply(true);
            QDBusConnection::sessionBus().send(message.createErrorReply(
                QStringLiteral("org.kde.plasmashell.error"), QStringLiteral("Scripting locked")));
        }
        return {};
    }

private:
    bool m_refuse;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    g_record = arguments.value(arguments.indexOf(QStringLiteral("--record")) + 1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || g_record.isEmpty())
        return 2;
    const qsizetype portal = arguments.indexOf(QStringLiteral("--portal"));
    if (portal >= 0) {
        auto* object = new Portal(arguments.value(portal + 1).toUInt());
        bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), object,
                           QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    }
    const bool refuse = arguments.contains(QStringLiteral("--plasma-refuse"));
    if (refuse || arguments.contains(QStringLiteral("--plasma"))) {
        auto* object = new PlasmaShell(refuse);
        bus.registerObject(QStringLiteral("/PlasmaShell"), object, QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.kde.plasmashell"));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "DesktopStandIn.moc"
