#pragma once

#include "File.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// The framework's memory file: a CFile over bytes in memory, open from
// construction and without a path. GetLength, Read, Seek, Close and Abort
// behave as for a file on disc (a position past the end is allowed and
// reads there return 0). A file made empty grows as it is written; one made
// over bytes is read-only and its Write raises accessDenied.
class CMemFile : public CFile {
public:
    CMemFile();
    // Over bytes the caller owns and leaves unchanged while the file is open.
    CMemFile(const std::uint8_t* data, std::size_t size);
    // Over a byte array, shared with the caller.
    explicit CMemFile(QByteArray bytes);

    // What the file holds now, written or given.
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
