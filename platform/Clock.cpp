#include "Clock.h"

#include <QFile>
#include <time.h>

std::uint32_t GetTickCount() {
    timespec now{};
    // The monotonic clock counts from boot, as the system's tick count does.
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

std::uint64_t AvailablePhysicalMemory(const QString& memInfoPath) {
    QFile file(memInfoPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    std::uint64_t available = 0;
    std::uint64_t free = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        // "MemAvailable:    1234567 kB"
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        std::uint64_t value = fields[1].toULongLong(&ok);
        if (!ok)
            continue;
        if (fields.size() >= 3 && fields[2] == "kB")
            value *= 1024u;
        if (fields[0] == "MemAvailable:")
            available = value;
        else if (fields[0] == "MemFree:")
            free = value;
    }
    return available ? available : free;
}
