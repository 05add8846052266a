#include "CMemFile.h"

#include "FileSource.h"

#include <algorithm>
#include <cstring>

namespace {

class MemorySource final : public FileSource {
public:
    explicit MemorySource(QByteArray bytes) : m_bytes(std::move(bytes)) {}

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

    void Write(const void*, std::uint32_t) override {
        throw CFileException(CFileException::Cause::accessDenied, {});
    }

    void Close() override {}

private:
    QByteArray m_bytes;
    std::uint64_t m_position = 0;
};

} // namespace

CMemFile::CMemFile(const std::uint8_t* data, std::size_t size)
    // Raw data: the array reads the caller's bytes without copying them.
    : CMemFile(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                       static_cast<qsizetype>(size))) {}

CMemFile::CMemFile(QByteArray bytes) {
    Attach(std::make_unique<MemorySource>(std::move(bytes)), QString());
}
