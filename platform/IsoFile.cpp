#include "IsoFile.h"

#include "File.h"

#include <algorithm>

std::uint32_t IsoFile::Read(void* buffer, std::uint32_t count) {
    if (!m_image)
        throw CFileException(CFileException::Cause::generic, {});
    if (m_position >= m_size)
        return 0;
    const auto total =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(count, m_size - m_position));
    if (m_image->Read(buffer, m_lsn, m_position, total) != total)
        throw CFileException(CFileException::Cause::hardIO, {});
    m_position += total;
    return total;
}

void IsoFile::Write(const void*, std::uint32_t) {
    throw CFileException(CFileException::Cause::accessDenied, {});
}
