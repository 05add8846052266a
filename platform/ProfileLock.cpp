#include "ProfileLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace {
struct Holding {
    int fd;
    int depth;
};

// The locks this thread holds, by lock file. A second open file description
// of the same file would wait for the first, so a nested lock shares it.
thread_local std::map<QString, Holding> t_holdings;

int OpenLocked(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

ProfileLock::ProfileLock(const QString& lockFilePath) {
    const auto held = t_holdings.find(lockFilePath);
    if (held != t_holdings.end()) {
        ++held->second.depth;
        m_path = lockFilePath;
        return;
    }
    const int fd = OpenLocked(lockFilePath);
    if (fd < 0)
        return;
    t_holdings.emplace(lockFilePath, Holding{fd, 1});
    m_path = lockFilePath;
}

ProfileLock::~ProfileLock() {
    Release();
}

ProfileLock::ProfileLock(ProfileLock&& other) noexcept : m_path(std::move(other.m_path)) {
    other.m_path.clear();
}

ProfileLock& ProfileLock::operator=(ProfileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_path = std::move(other.m_path);
        other.m_path.clear();
    }
    return *this;
}

void ProfileLock::Release() {
    if (m_path.isEmpty())
        return;
    const auto held = t_holdings.find(m_path);
    m_path.clear();
    if (held == t_holdings.end() || --held->second.depth > 0)
        return;
    // Closing the last descriptor of the open file releases the flock.
    ::close(held->second.fd);
    t_holdings.erase(held);
}
