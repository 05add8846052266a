#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

// The bytes of a disc image, a rip's track file or a device, read at any
// offset: a host file with positioned reads, or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Bytes read from offset; fewer only at the end of the source or on an error.
    virtual std::uint64_t ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) const = 0;
};

// A file or block device opened for reading without ever waiting: a FIFO, a
// socket, a character device or a folder is refused (nullptr), as is a path
// that cannot be opened.
class HostBytes final : public ByteSource {
public:
    static std::shared_ptr<HostBytes> Open(const QString& path);
    ~HostBytes() override;
    HostBytes(const HostBytes&) = delete;
    HostBytes& operator=(const HostBytes&) = delete;

    std::uint64_t Size() const override { return m_size; }
    std::uint64_t ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) const override;
    bool IsDevice() const { return m_device; }

private:
    HostBytes(int fd, std::uint64_t size, bool device) : m_fd(fd), m_size(size), m_device(device) {}

    int m_fd;
    std::uint64_t m_size;
    bool m_device;
};

// Bytes in memory, shared with the caller.
class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    std::uint64_t Size() const override { return static_cast<std::uint64_t>(m_bytes.size()); }
    std::uint64_t ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) const override;

private:
    QByteArray m_bytes;
};

// The whole of a small regular file (a cue sheet, a folder's label), read
// without waiting on a FIFO or device; nullopt when it cannot be read or holds
// more than limit bytes.
std::optional<QByteArray> ReadSmallFile(const QString& path, std::uint64_t limit);
