#include "ByteSource.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::shared_ptr<HostBytes> HostBytes::Open(const QString& path) {
    // Not waiting is the point: opening a FIFO for reading would block until a
    // writer came, and a tray would be closed by a blocking open of a drive.
    int fd;
    do
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    const bool file = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const bool device = !file && S_ISBLK(st.st_mode);
    if (!file && !device) {
        ::close(fd);
        return nullptr;
    }
    // A block device tells its size by seeking to its end. When it does not
    // (a drive that has not looked at its disc yet), reads end where it ends.
    const off_t end = device ? ::lseek(fd, 0, SEEK_END) : st.st_size;
    const std::uint64_t size = end > 0 ? static_cast<std::uint64_t>(end) : device ? UINT64_MAX : 0;
    return std::shared_ptr<HostBytes>(new HostBytes(fd, size, device));
}

HostBytes::~HostBytes() {
    ::close(m_fd);
}

std::uint64_t HostBytes::ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) const {
    // A plain positioned read: the kernel's scattered read costs more for one part.
    auto* out = static_cast<char*>(buffer);
    std::uint64_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(m_fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::uint64_t>(got);
    }
    return done;
}

std::uint64_t MemoryBytes::ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) const {
    const auto size = static_cast<std::uint64_t>(m_bytes.size());
    if (offset >= size || count == 0) // an empty buffer may have no address
        return 0;
    const std::uint64_t got = std::min(count, size - offset);
    std::memcpy(buffer, m_bytes.constData() + offset, got);
    return got;
}

std::optional<QByteArray> ReadSmallFile(const QString& path, std::uint64_t limit) {
    const auto file = HostBytes::Open(path);
    if (!file || file->IsDevice() || file->Size() > limit)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(file->Size()), Qt::Uninitialized);
    bytes.resize(static_cast<qsizetype>(file->ReadAt(0, bytes.data(), file->Size())));
    return bytes;
}
