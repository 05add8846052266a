#pragma once

#include "FileSource.h"
#include "IsoImage.h"

#include <array>

// A file of an ISO 9660 image: its extent, read in whole blocks. Bytes that
// the directory promises but the image does not hold raise hardIO.
class IsoFile final : public FileSource {
public:
    IsoFile(std::shared_ptr<IsoImage> image, const IsoImage::Entry& entry);

    std::uint64_t Length() const override { return m_size; }
    std::uint64_t Position() const override { return m_position; }
    void SetPosition(std::uint64_t position) override { m_position = position; }
    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    void Write(const void* buffer, std::uint32_t count) override;
    void Close() override { m_image.reset(); }

private:
    static constexpr std::uint32_t kBlock = 2048;

    void ReadWhole(void* buffer, std::uint64_t block, std::uint32_t blocks);
    const std::uint8_t* Block(std::uint64_t block);

    std::shared_ptr<IsoImage> m_image;
    QString m_name;
    std::uint32_t m_lsn;
    std::uint32_t m_size;
    std::uint64_t m_position = 0;
    std::array<std::uint8_t, kBlock> m_block{};
    std::uint64_t m_blockNumber = UINT64_MAX; // which block m_block holds
};
