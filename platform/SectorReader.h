#pragma once

#include "ByteSource.h"

#include <cstdint>
#include <memory>
#include <optional>

// Where the 2048 bytes of user data of a data track's sectors lie in a file:
// sector n's at start + n * stride + dataOffset, up to end.
struct TrackLayout {
    std::uint64_t start = 0;
    std::uint32_t stride = 2048;
    std::uint32_t dataOffset = 0;
    std::uint64_t end = UINT64_MAX;
};

// The layout of a track whose sectors are stride bytes long from start: 2048
// (the user data alone), 2336 (Mode 2 without sync and header), 2352 or 2448
// (raw, perhaps with subchannel data). A raw track's mode comes from its
// sectors' headers, else from modeHint (1 or 2). nullopt for any other size.
std::optional<TrackLayout> RawTrackLayout(const ByteSource& bytes, std::uint64_t start,
                                          std::uint64_t end, std::uint32_t stride,
                                          int modeHint = 0);

// The user data of a track as one run of bytes: a track of 2048-byte sectors
// read straight into the caller's buffer with one positioned read; raw
// sectors read in runs of some hundred kilobytes, their user data copied out.
class SectorReader {
public:
    static constexpr std::uint32_t kSectorSize = 2048;

    SectorReader(std::shared_ptr<const ByteSource> bytes, TrackLayout layout);

    // The bytes read from `offset` bytes into the track; fewer only at its end.
    std::uint64_t Read(void* buffer, std::uint64_t offset, std::uint64_t count) const;

private:
    std::shared_ptr<const ByteSource> m_bytes;
    TrackLayout m_layout;
    std::uint64_t m_userBytes; // user data the file holds
};
