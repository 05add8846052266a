#pragma once

#include "FileSource.h"

#include <QString>
#include <memory>

class CFileException;

// How a host file is opened: the file object's open flags, decoded.
struct HostAccess {
    enum class Share { compat, exclusive, denyWrite, denyRead, denyNone };
    bool write = false;    // for writing, or for reading and writing
    bool read = true;      // also for reading
    bool create = false;   // made when missing
    bool truncate = false; // emptied when it exists
    Share share = Share::compat;
};

// A file of the host's file system, opened with POSIX calls. Opening never
// waits: only ordinary files open for reading (a FIFO, socket, device or
// folder gives accessDenied); writing may also go to a character device.
//
// Share modes are emulated among our own processes with advisory flock()
// locks, which is all the programs need (a picture being saved while another
// copy reads it):
//  - shareExclusive and shareDenyRead take an exclusive lock;
//  - shareDenyWrite takes a shared lock;
//  - opening for writing with a lesser share mode takes an exclusive lock, so
//    it fails while another opener denies writing;
//  - reading with shareDenyNone or shareCompat takes no lock.
// A refused lock gives sharingViolation. Limits of the scheme: two writers that
// both allow sharing exclude each other, and a plain reader is not kept out by
// an exclusive opener. Processes that do not use flock() are not affected.
class HostFile final : public FileSource {
public:
    // nullptr with the cause in error when the file cannot be opened.
    static std::unique_ptr<FileSource> Open(const QString& path, const HostAccess& access,
                                            CFileException& error);
    ~HostFile() override;

    std::uint64_t Length() const override;
    std::uint64_t Position() const override { return m_position; }
    void SetPosition(std::uint64_t position) override { m_position = position; }
    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    void Write(const void* buffer, std::uint32_t count) override;
    void Close() override;

private:
    HostFile(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}

    int m_fd;
    QString m_path;
    std::uint64_t m_position = 0;
};
