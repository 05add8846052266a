#include "CMemFile.h"

#include "FileSource.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

class MemorySource final : public FileSource {
public:
    MemorySource(QByteArray& bytes, bool writable) : m_bytes(bytes), m_writable(writable) {}

    std::uint64_t Length() const override { return static_cast<std::uint64_t>(m_bytes.size()); }
    std::uint64_t Position() const override { return m_position; }
    void SetPosition(std::uint64_t position) override { m_position = position; }

    std::uint32_t Read(void* buffer, std::uint32_t count) override {
        if (m_position >= Length())
            return 0;
        const auto got =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(count, Length() - m_position));
        std::memcpy(buffer, m_bytes.constData() + m_position, got);
        m_position += got;
        return got;
    }

    void Write(const void* buffer, std::uint32_t count) override {
        if (!m_writable)
            throw CFileException(CFileException::Cause::accessDenied, {});
        const std::uint64_t end = m_position + count;
        if (end > static_cast<std::uint64_t>(std::numeric_limits<qsizetype>::max() / 2))
            throw CFileException(CFileException::Cause::diskFull, {});
        if (end > Length()) {
            // A gap left by a seek past the end reads as zeros.
            const qsizetype old = m_bytes.size();
            m_bytes.resize(static_cast<qsizetype>(end));
            if (m_position > static_cast<std::uint64_t>(old))
                std::memset(m_bytes.data() + old, 0, static_cast<std::size_t>(m_position) - old);
        }
        if (count != 0)
            std::memcpy(m_bytes.data() + m_position, buffer, count);
        m_position = end;
    }

    void Close() override {}

private:
    QByteArray& m_bytes;
    const bool m_writable;
    std::uint64_t m_position = 0;
};

} // namespace

CMemFile::CMemFile() {
    Attach(std::make_unique<MemorySource>(m_bytes, true), QString());
}

CMemFile::CMemFile(const std::uint8_t* data, std::size_t size)
    // Raw data: the array reads the caller's bytes without copying them.
    : CMemFile(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                       static_cast<qsizetype>(size))) {}

CMemFile::CMemFile(QByteArray bytes) : m_bytes(std::move(bytes)) {
    Attach(std::make_unique<MemorySource>(m_bytes, false), QString());
}
