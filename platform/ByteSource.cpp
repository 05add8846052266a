#include "ByteSource.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::uint64_t ByteSource::ReadScattered(std::uint64_t offset, std::span<const iovec> parts) const {
    std::uint64_t done = 0;
    for (const iovec& part : parts) {
        const std::uint64_t got = ReadAt(offset + done, part.iov_base, part.iov_len);
        done += got;
        if (got < part.iov_len)
            break;
    }
    return done;
}

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
    // A block device tells its size by seeking to its end; without a medium it is 0.
    const off_t end = device ? ::lseek(fd, 0, SEEK_END) : st.st_size;
    return std::shared_ptr<HostBytes>(
        new HostBytes(fd, end > 0 ? static_cast<std::uint64_t>(end) : 0, device));
}

HostBytes::~HostBytes() {
    ::close(m_fd);
}

std::uint64_t HostBytes::ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) const {
    auto* out = static_cast<char*>(buffer);
    std::uint64_t done = 0;
    while (done < count && offset + done < static_cast<std::uint64_t>(LLONG_MAX)) {
        const ssize_t got =
            ::pread(m_fd, out + done, std::min<std::uint64_t>(count - done, SSIZE_MAX),
                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::uint64_t>(got);
    }
    return done;
}

std::uint64_t HostBytes::ReadScattered(std::uint64_t offset, std::span<const iovec> parts) const {
    std::uint64_t done = 0;
    while (!parts.empty() && offset + done < static_cast<std::uint64_t>(LLONG_MAX)) {
        const auto batch = parts.first(std::min<std::size_t>(parts.size(), IOV_MAX));
        std::uint64_t wanted = 0;
        for (const iovec& part : batch)
            wanted += part.iov_len;
        const ssize_t got = ::preadv(m_fd, batch.data(), static_cast<int>(batch.size()),
                                     static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::uint64_t>(got);
        if (static_cast<std::uint64_t>(got) < wanted) {
            // Cut short: the rest part by part, which stops at the real end.
            std::uint64_t skip = static_cast<std::uint64_t>(got);
            std::size_t i = 0;
            while (skip >= batch[i].iov_len)
                skip -= batch[i++].iov_len;
            const iovec rest{static_cast<char*>(batch[i].iov_base) + skip, batch[i].iov_len - skip};
            const std::uint64_t more = ReadAt(offset + done, rest.iov_base, rest.iov_len);
            done += more;
            if (more < rest.iov_len)
                break;
            parts = parts.subspan(i + 1);
            continue;
        }
        parts = parts.subspan(batch.size());
    }
    return done;
}

std::uint64_t MemoryBytes::ReadAt(std::uint64_t offset, void* buffer, std::uint64_t count) const {
    const auto size = static_cast<std::uint64_t>(m_bytes.size());
    if (offset >= size)
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
