#include "ScreenSaverService.h"

#include "SessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace {
const QString kName = QStringLiteral("org.freedesktop.ScreenSaver");
} // namespace

std::unique_ptr<ScreenSaverService> ScreenSaverService::Serve(const QDBusConnection& bus) {
    if (!bus.isConnected() || !bus.interface())
        return nullptr;
    std::unique_ptr<ScreenSaverService> service(new ScreenSaverService(bus));
    for (const QString& path : ScreenSaverPaths())
        service->m_bus.registerObject(path, service.get(), QDBusConnection::ExportScriptableSlots);
    // Neither takes the name from its owner nor keeps it from a later one.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> owned =
        service->m_bus.interface()->registerService(kName,
                                                    QDBusConnectionInterface::DontQueueService,
                                                    QDBusConnectionInterface::AllowReplacement);
    if (!owned.isValid() || owned.value() != QDBusConnectionInterface::ServiceRegistered) {
        service->StopServing();
        return nullptr;
    }
    service->m_serving = true;
    connect(service->m_bus.interface(), &QDBusConnectionInterface::serviceUnregistered,
            service.get(), [raw = service.get()](const QString& name) {
                if (name == kName)
                    raw->StopServing();
            });
    return service;
}

ScreenSaverService::ScreenSaverService(const QDBusConnection& bus) : m_bus(bus) {
    m_callers.setConnection(m_bus);
    m_callers.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&m_callers, &QDBusServiceWatcher::serviceUnregistered, this,
            &ScreenSaverService::CallerLeft);
}

ScreenSaverService::~ScreenSaverService() {
    if (m_serving)
        m_bus.interface()->unregisterService(kName);
    StopServing();
}

uint ScreenSaverService::Inhibit(const QString&, const QString&, const QDBusMessage& message) {
    if (++m_lastCookie == 0)
        ++m_lastCookie;
    m_inhibits[m_lastCookie] = message.service();
    m_callers.addWatchedService(message.service());
    return m_lastCookie;
}

void ScreenSaverService::UnInhibit(uint cookie, const QDBusMessage& message) {
    const auto inhibit = m_inhibits.find(cookie);
    if (inhibit == m_inhibits.end() || inhibit->second != message.service())
        return;
    // The caller stays watched until it leaves: it may inhibit again.
    m_inhibits.erase(inhibit);
}

void ScreenSaverService::CallerLeft(const QString& caller) {
    std::erase_if(m_inhibits, [&caller](const auto& inhibit) { return inhibit.second == caller; });
    m_callers.removeWatchedService(caller);
}

void ScreenSaverService::StopServing() {
    m_serving = false;
    for (const QString& path : ScreenSaverPaths())
        m_bus.unregisterObject(path);
    m_inhibits.clear();
    m_callers.setWatchedServices({});
}
