#pragma once

#include <QString>
#include <cstdint>

// GetTickCount: milliseconds since the system started, wrapping at 2^32.
std::uint32_t GetTickCount();
// GlobalMemoryStatus's available physical memory, in bytes: MemAvailable of
// /proc/meminfo (MemFree where the kernel has no MemAvailable); 0 when unreadable.
std::uint64_t AvailablePhysicalMemory(const QString& memInfoPath = QStringLiteral("/proc/meminfo"));
