#pragma once

#include "FileSource.h"
#include "IsoImage.h"

// A file of an ISO 9660 image: its extent, read straight into the caller's
// buffer. Bytes that the directory promises but the image does not hold raise
// hardIO.
class IsoFile final : public FileSource {
public:
    IsoFile(std::shared_ptr<IsoImage> image, const IsoImage::Entry& entry)
        : m_image(std::move(image)), m_lsn(entry.lsn), m_size(entry.size) {}

    std::uint64_t Length() const override { return m_size; }
    std::uint64_t Position() const override { return m_position; }
    void SetPosition(std::uint64_t position) override { m_position = position; }
    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    void Write(const void* buffer, std::uint32_t count) override;
    void Close() override { m_image.reset(); }

private:
    std::shared_ptr<IsoImage> m_image;
    std::uint32_t m_lsn;
    std::uint32_t m_size;
    std::uint64_t m_position = 0;
};
