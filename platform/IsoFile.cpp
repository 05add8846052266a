#include "IsoFile.h"

#include "File.h"

#include <algorithm>
#include <cstring>

IsoFile::IsoFile(std::shared_ptr<IsoImage> image, const IsoImage::Entry& entry)
    : m_image(std::move(image)), m_name(entry.name), m_lsn(entry.lsn), m_size(entry.size) {}

void IsoFile::ReadWhole(void* buffer, std::uint64_t block, std::uint32_t blocks) {
    if (!m_image)
        throw CFileException(CFileException::Cause::generic, {});
    const std::uint64_t want = std::uint64_t{blocks} * kBlock;
    if (m_image->ReadBlocks(buffer, static_cast<std::uint32_t>(m_lsn + block), blocks) != want)
        throw CFileException(CFileException::Cause::hardIO, {});
}

const std::uint8_t* IsoFile::Block(std::uint64_t block) {
    if (m_blockNumber != block) {
        m_blockNumber = UINT64_MAX;
        ReadWhole(m_block.data(), block, 1);
        m_blockNumber = block;
    }
    return m_block.data();
}

std::uint32_t IsoFile::Read(void* buffer, std::uint32_t count) {
    if (m_position >= m_size)
        return 0;
    const auto total =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(count, m_size - m_position));
    if (!m_image)
        throw CFileException(CFileException::Cause::generic, {});
    // One positioned read from a plain image file.
    if (const auto got = m_image->ReadBytes(buffer, m_lsn, m_position, total)) {
        if (*got != total)
            throw CFileException(CFileException::Cause::hardIO, {});
        m_position += total;
        return total;
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint32_t done = 0;
    while (done < total) {
        const std::uint64_t block = m_position / kBlock;
        const auto offset = static_cast<std::uint32_t>(m_position % kBlock);
        const std::uint32_t left = total - done;
        std::uint32_t step;
        if (offset == 0 && left >= kBlock) {
            // Whole blocks go straight into the caller's buffer.
            const std::uint32_t blocks = left / kBlock;
            ReadWhole(out + done, block, blocks);
            step = blocks * kBlock;
        } else {
            step = std::min(kBlock - offset, left);
            std::memcpy(out + done, Block(block) + offset, step);
        }
        done += step;
        m_position += step;
    }
    return done;
}

void IsoFile::Write(const void*, std::uint32_t) {
    throw CFileException(CFileException::Cause::accessDenied, {});
}
