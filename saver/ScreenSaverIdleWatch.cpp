#include "ScreenSaverIdleWatch.h"

#include "SessionBus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>

namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
// A service that does not answer in this time counts as none.
constexpr int kAnswerTimeout = 1500;

QDBusMessage IdleTimeCall(const QString& path) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, kService,
                                                       QStringLiteral("GetSessionIdleTime"));
    call.setAutoStartService(false);
    return call;
}
} // namespace

std::unique_ptr<ScreenSaverIdleWatch> ScreenSaverIdleWatch::Connect() {
    auto bus = std::make_unique<SessionBus>();
    if (!bus->IsConnected())
        return nullptr;
    // The path of the specification, else the one older desktops use.
    for (const QString& path :
         {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")}) {
        if (QDBusReply<uint>(
                bus->Connection().call(IdleTimeCall(path), QDBus::Block, kAnswerTimeout))
                .isValid())
            return std::unique_ptr<ScreenSaverIdleWatch>(
                new ScreenSaverIdleWatch(std::move(bus), path));
    }
    return nullptr;
}

ScreenSaverIdleWatch::ScreenSaverIdleWatch(std::unique_ptr<SessionBus> bus, QString path)
    : m_bus(std::move(bus)), m_path(std::move(path)) {}

ScreenSaverIdleWatch::~ScreenSaverIdleWatch() = default;

void ScreenSaverIdleWatch::Look() {
    auto* pending = new QDBusPendingCallWatcher(
        m_bus->Connection().asyncCall(IdleTimeCall(m_path), kAnswerTimeout), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending] {
        pending->deleteLater();
        const QDBusPendingReply<uint> reply = *pending;
        Seen(std::chrono::milliseconds(reply.isError() ? 0 : reply.value()));
    });
}
