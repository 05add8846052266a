#include "HostFile.h"

#include "FileException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
using Cause = CFileException::Cause;

Cause CauseFromErrno(int error, const QString& path) {
    switch (error) {
    case ENOENT:
        // A missing folder on the way is a bad path; a missing last component is a missing file.
        return QFileInfo(path).absoluteDir().exists() ? Cause::fileNotFound : Cause::badPath;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return Cause::badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBADF:
        return Cause::accessDenied;
    case EMFILE:
    case ENFILE:
        return Cause::tooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Cause::diskFull;
    case EIO:
        return Cause::hardIO;
    case EWOULDBLOCK:
        return Cause::sharingViolation;
    default:
        return Cause::generic;
    }
}

int AccessFlags(const HostAccess& access) {
    if (!access.write)
        return O_RDONLY;
    return access.read ? O_RDWR : O_WRONLY;
}

// The flock() operation that stands for the share mode; 0 for none (see HostFile.h).
int LockFor(const HostAccess& access) {
    using Share = HostAccess::Share;
    if (access.share == Share::exclusive || access.share == Share::denyRead)
        return LOCK_EX;
    if (access.share == Share::denyWrite)
        return access.write ? LOCK_EX : LOCK_SH;
    return access.write ? LOCK_EX : 0;
}

[[noreturn]] void Raise(int error, const QString& path) {
    throw CFileException(CauseFromErrno(error, path), path, error);
}
} // namespace

std::unique_ptr<FileSource> HostFile::Open(const QString& path, const HostAccess& access,
                                           CFileException& error) {
    const QByteArray native = QFile::encodeName(path);
    // Without waiting: a FIFO would block the open until a peer came.
    int oflags = AccessFlags(access) | O_CLOEXEC | O_NONBLOCK;
    if (access.create)
        oflags |= O_CREAT;
    int fd;
    do
        fd = ::open(native.constData(), oflags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = CFileException(CauseFromErrno(errno, path), path, errno);
        return nullptr;
    }
    // Only ordinary files hold pictures: a folder, FIFO, socket or device does
    // not. Writing may go to a device (/dev/null, /dev/full).
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || (access.write && S_ISCHR(st.st_mode)))) {
        ::close(fd);
        error = CFileException(Cause::accessDenied, path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return nullptr;
    }
    // The lock comes before truncation, so a refused writer destroys nothing.
    if (const int lock = LockFor(access); lock != 0 && ::flock(fd, lock | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        error = CFileException(err == EWOULDBLOCK ? Cause::sharingViolation : Cause::generic, path,
                               err);
        return nullptr;
    }
    if (access.truncate && ::ftruncate(fd, 0) != 0) {
        const int err = errno;
        ::close(fd);
        error = CFileException(CauseFromErrno(err, path), path, err);
        return nullptr;
    }
    return std::unique_ptr<FileSource>(new HostFile(fd, path));
}

HostFile::~HostFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::uint64_t HostFile::Length() const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        Raise(m_fd < 0 ? EBADF : errno, m_path);
    return static_cast<std::uint64_t>(st.st_size);
}

std::uint32_t HostFile::Read(void* buffer, std::uint32_t count) {
    auto* out = static_cast<char*>(buffer);
    std::uint32_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(m_fd, out + done, count - done, static_cast<off_t>(m_position));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Raise(errno == EIO ? EIO : errno, m_path);
        if (n == 0)
            break;
        done += static_cast<std::uint32_t>(n);
        m_position += static_cast<std::uint64_t>(n);
    }
    return done;
}

void HostFile::Write(const void* buffer, std::uint32_t count) {
    const auto* in = static_cast<const char*>(buffer);
    std::uint32_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(m_fd, in + done, count - done, static_cast<off_t>(m_position));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Raise(n == 0 ? ENOSPC : errno, m_path);
        done += static_cast<std::uint32_t>(n);
        m_position += static_cast<std::uint64_t>(n);
    }
}

void HostFile::Close() {
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    // Closing releases the share lock; an error here means written data may be lost.
    if (::close(fd) != 0 && errno != EINTR)
        Raise(errno, m_path);
}
