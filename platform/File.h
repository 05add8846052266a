#pragma once

#include "FileException.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <utility>

class FileSource; // what an open file reads from and writes to (File.cpp)

// The framework's file object. A path with a drive letter ("E:\quelby\...")
// resolves through the drive table, matching components regardless of case;
// any other path is a host path. Open reports failure by its result and the
// optional exception; Read, Write, Seek, GetLength and Close raise
// CFileException (also when no file is open). Files on drives are read-only,
// and one larger than any picture of the disc fails to open with hardIO.
class CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };

    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile();
    // Opens the file or raises CFileException.
    CFile(const QString& path, unsigned flags);
    ~CFile(); // closes, ignoring errors
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool Open(const QString& path, unsigned flags, CFileException* error = nullptr);
    bool IsOpen() const;
    const QString& GetFilePath() const { return m_strFileName; }

    std::uint64_t GetLength() const;
    std::uint64_t GetPosition() const;
    // The new position; a position before the start raises badSeek.
    std::uint64_t Seek(std::int64_t offset, SeekPosition from);
    void SeekToBegin() { Seek(0, begin); }
    // Bytes read; fewer than asked at the end of the file.
    std::uint32_t Read(void* buffer, std::uint32_t count);
    void Write(const void* buffer, std::uint32_t count);
    void Close();
    // Closes without raising anything.
    void Abort();

protected:
    // Makes this an open file on source, closing any file it held; for file
    // objects over sources other than paths (CMemFile).
    void Attach(std::unique_ptr<FileSource> source, const QString& path);

private:
    FileSource& Source() const;
    template <typename Operation> auto Guarded(Operation operation) const;

    std::unique_ptr<FileSource> m_source;
    QString m_strFileName;
};
