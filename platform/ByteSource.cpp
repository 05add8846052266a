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
    const iovec whole{buffer, count};
    return ReadScattered(offset, {&whole, 1});
}

std::uint64_t HostBytes::ReadScattered(std::uint64_t offset, std::span<const iovec> parts) const {
    std::uint64_t done = 0;
    std::vector<iovec> rest; // what is left after a read cut short inside a part
    while (!parts.empty()) {
        const auto batch = parts.first(std::min<std::size_t>(parts.size(), IOV_MAX));
        const ssize_t got = ::preadv(m_fd, batch.data(), static_cast<int>(batch.size()),
                                     static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::uint64_t>(got);
        // Parts read whole are done; one read in part goes on from where it stopped.
        auto left = static_cast<std::uint64_t>(got);
        std::size_t whole = 0;
        while (whole < batch.size() && left >= batch[whole].iov_len)
            left -= batch[whole++].iov_len;
        parts = parts.subspan(whole);
        if (left > 0) {
            std::vector<iovec> next(parts.begin(), parts.end());
            next[0].iov_base = static_cast<char*>(next[0].iov_base) + left;
            next[0].iov_len -= left;
            rest.swap(next);
            parts = rest;
        }
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
