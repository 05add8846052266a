#pragma once

#include <cstdint>

// What an open CFile reads from and writes to: a host file, a file in a folder
// volume, an extent of an ISO 9660 image or bytes in memory (CMemFile).
// Failures raise CFileException.
class FileSource {
public:
    virtual ~FileSource() = default;
    virtual std::uint64_t Length() const = 0;
    virtual std::uint64_t Position() const = 0;
    // Positions past the end are allowed, as on Windows; reads there return 0.
    virtual void SetPosition(std::uint64_t position) = 0;
    // Bytes read; fewer than asked only at the end of the file.
    virtual std::uint32_t Read(void* buffer, std::uint32_t count) = 0;
    virtual void Write(const void* buffer, std::uint32_t count) = 0;
    virtual void Close() = 0;
};
