#include "SectorReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {
constexpr std::uint32_t kCooked = 2048;
constexpr std::uint32_t kMode2NoHeader = 2336;
constexpr std::uint32_t kRaw = 2352;
constexpr std::uint32_t kRawWithSubchannel = 2448;
constexpr std::uint32_t kSyncSize = 12;
constexpr std::uint32_t kMode1Data = 16; // sync and header
constexpr std::uint32_t kMode2Data = 24; // sync, header and subheader
constexpr std::uint32_t kSubheader = 8;
// The 16th sector holds the first volume descriptor: it is there on every data track.
constexpr std::uint64_t kProbeSector = 16;

// The mode a raw sector's header gives, 0 when it has no sync pattern.
int RawMode(const ByteSource& bytes, std::uint64_t sectorStart) {
    std::array<std::uint8_t, 16> header{};
    if (bytes.ReadAt(sectorStart, header.data(), header.size()) != header.size())
        return 0;
    static constexpr std::array<std::uint8_t, kSyncSize> kSync = {
        0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    if (!std::equal(kSync.begin(), kSync.end(), header.begin()))
        return 0;
    return header[15];
}
} // namespace

std::optional<TrackLayout> RawTrackLayout(const ByteSource& bytes, std::uint64_t start,
                                          std::uint64_t end, std::uint32_t stride, int modeHint) {
    if (stride == kCooked)
        return TrackLayout{start, stride, 0, end};
    if (stride == kMode2NoHeader)
        return TrackLayout{start, stride, kSubheader, end};
    if (stride != kRaw && stride != kRawWithSubchannel)
        return std::nullopt;
    const std::uint64_t probe = start + kProbeSector * stride;
    const int mode = probe < start ? 0 : RawMode(bytes, probe);
    switch (mode != 0 ? mode : modeHint) {
    case 1:
        return TrackLayout{start, stride, kMode1Data, end};
    case 2:
        return TrackLayout{start, stride, kMode2Data, end};
    default:
        return std::nullopt;
    }
}

SectorReader::SectorReader(std::shared_ptr<const ByteSource> bytes, TrackLayout layout)
    : m_bytes(std::move(bytes)), m_layout(layout), m_userBytes(0) {
    const std::uint64_t end = std::min(m_layout.end, m_bytes->Size());
    if (end <= m_layout.start || m_layout.stride < m_layout.dataOffset + kSectorSize)
        return;
    const std::uint64_t span = end - m_layout.start;
    const std::uint64_t partial = span % m_layout.stride;
    m_userBytes =
        span / m_layout.stride * kSectorSize +
        std::min<std::uint64_t>(kSectorSize,
                                partial > m_layout.dataOffset ? partial - m_layout.dataOffset : 0);
}

std::uint64_t SectorReader::Read(void* buffer, std::uint64_t offset, std::uint64_t count) const {
    if (offset >= m_userBytes)
        return 0;
    count = std::min(count, m_userBytes - offset);
    if (m_layout.stride == kSectorSize)
        return m_bytes->ReadAt(m_layout.start + offset, buffer, count);
    // Raw sectors are read in runs into scratch, one positioned read a run,
    // and their user data copied out while the run is still in the cache.
    constexpr std::uint64_t kRunSectors = 128;
    static thread_local std::vector<std::uint8_t> run(kRunSectors * kRawWithSubchannel);
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint64_t done = 0;
    while (done < count) {
        const std::uint64_t sector = (offset + done) / kSectorSize;
        auto within = static_cast<std::uint32_t>((offset + done) % kSectorSize);
        const std::uint64_t sectors =
            std::min(kRunSectors, (within + (count - done) + kSectorSize - 1) / kSectorSize);
        const std::uint64_t got = m_bytes->ReadAt(m_layout.start + sector * m_layout.stride,
                                                  run.data(), sectors * m_layout.stride);
        for (std::uint64_t i = 0; i < sectors && done < count; ++i, within = 0) {
            const std::uint64_t from = i * m_layout.stride + m_layout.dataOffset + within;
            const std::uint64_t take = std::min<std::uint64_t>(kSectorSize - within, count - done);
            if (got < from + take) {
                const std::uint64_t part = got > from ? got - from : 0;
                std::memcpy(out + done, run.data() + from, part);
                return done + part;
            }
            std::memcpy(out + done, run.data() + from, take);
            done += take;
        }
    }
    return done;
}
