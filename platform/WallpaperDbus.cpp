#include "WallpaperDbus.h"

#include "SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>
#include <QVariantMap>
#include <fcntl.h>
#include <unistd.h>

namespace wallpaper::detail {
namespace {

using Outcome = Result::Outcome;

const QString kNoBus = QStringLiteral("no session bus");

// Plasma keeps a picture by its file name: a file of the same name is read
// again only after the desktop was given another name first.
QString PlasmaScript(const QString& imageLiteral) {
    return QStringLiteral("var all = desktops();\n"
                          "for (var i = 0; i < all.length; ++i) {\n"
                          "    var d = all[i];\n"
                          "    d.wallpaperPlugin = \"org.kde.image\";\n"
                          "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", "
                          "\"General\"];\n"
                          "    d.writeConfig(\"Image\", %1);\n"
                          "}\n")
        .arg(imageLiteral);
}

// A JavaScript string literal of the text.
QString Literal(const QString& text) {
    QString literal = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            literal += QLatin1Char('\\');
        if (c.unicode() < 0x20)
            literal += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            literal += c;
    }
    return literal + QLatin1Char('"');
}

} // namespace

Attempt SetThroughPlasma(const QString& url, const Options& options) {
    SessionBus bus;
    if (!bus.IsConnected())
        return {Outcome::failed, kNoBus};
    for (const QString& image : {QString(), url}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
            QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
        call << PlasmaScript(Literal(image));
        const QDBusMessage reply =
            bus.Connection().call(call, QDBus::Block, options.programTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {Outcome::failed,
                    QStringLiteral("the Plasma shell refused: %1").arg(reply.errorMessage())};
    }
    return {Outcome::set, {}};
}

// Waits for the Response signal of a portal request.
class PortalResponse : public QObject {
    Q_OBJECT
public:
    bool answered = false;
    uint response = 2;

public slots:
    void OnResponse(uint code, const QVariantMap&) {
        answered = true;
        response = code;
        emit Answered();
    }

signals:
    void Answered();
};

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");

bool Listen(QDBusConnection& connection, const QString& handle, PortalResponse& response) {
    return connection.connect(
        kPortalService, handle, QStringLiteral("org.freedesktop.portal.Request"),
        QStringLiteral("Response"), &response, SLOT(OnResponse(uint, QVariantMap)));
}

Attempt Answer(uint response) {
    switch (response) {
    case 0:
        return {Outcome::set, {}};
    case 1:
        return {Outcome::cancelled, {}};
    default:
        return {Outcome::failed, QStringLiteral("the desktop portal could not set it")};
    }
}

} // namespace

Attempt SetThroughPortal(const QString& path, const Options& options) {
    SessionBus bus;
    if (!bus.IsConnected())
        return {Outcome::failed, kNoBus};
    QDBusConnection& connection = bus.Connection();
    if (!(connection.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return {Outcome::failed, QStringLiteral("the session bus passes no files")};
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {Outcome::failed, QStringLiteral("the picture file cannot be read")};
    const QDBusUnixFileDescriptor file(fd); // a duplicate
    ::close(fd);

    const QString token = QStringLiteral("quelby%1").arg(QRandomGenerator::global()->generate());
    PortalResponse response;
    const QString expected = bus.PortalRequestPath(token);
    Listen(connection, expected, response);
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Wallpaper"), QStringLiteral("SetWallpaperFile"));
    const QVariantMap requestOptions{{QStringLiteral("handle_token"), token},
                                     {QStringLiteral("show-preview"), false},
                                     {QStringLiteral("set-on"), QStringLiteral("background")}};
    call << QString() << QVariant::fromValue(file) << requestOptions;
    const QDBusMessage reply = connection.call(call, QDBus::Block, options.programTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {Outcome::failed,
                QStringLiteral("no desktop portal answers (%1)").arg(reply.errorMessage())};
    const QString handle = qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path();
    if (!handle.isEmpty() && handle != expected)
        Listen(connection, handle, response); // a portal older than the token

    if (!response.answered) {
        // Input waits until the portal has answered; windows keep repainting.
        QEventLoop loop;
        QObject::connect(&response, &PortalResponse::Answered, &loop, &QEventLoop::quit);
        QTimer::singleShot(options.portalTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!response.answered)
        return {Outcome::failed, QStringLiteral("the desktop portal did not answer")};
    return Answer(response.response);
}

} // namespace wallpaper::detail

#include "WallpaperDbus.moc"
