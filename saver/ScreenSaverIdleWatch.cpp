#include "ScreenSaverIdleWatch.h"

#include "SessionBus.h"

#include <QDBusMessage>
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
    for (const QString& path : ScreenSaverPaths()) {
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
    CallAsync(
        m_bus->Connection(), IdleTimeCall(m_path), this,
        [this](const QDBusMessage& answer) {
            const QDBusReply<uint> reply = answer;
            Seen(std::chrono::milliseconds(reply.isValid() ? reply.value() : 0));
        },
        kAnswerTimeout);
}
