#include "NeroImage.h"

#include <array>
#include <cstring>

namespace {
// Chunks describe at most 99 tracks with their CD-Text: some kilobytes.
constexpr std::uint64_t kMaxFooterArea = 1024 * 1024;
constexpr std::size_t kDaoHeader = 22;
constexpr std::uint8_t kAudio = 0x07;
constexpr std::uint8_t kAudioWithSubchannel = 0x10;

std::uint64_t Be(const std::uint8_t* p, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | p[i];
    return value;
}

bool Is(const std::uint8_t* id, const char* name) {
    return std::memcmp(id, name, 4) == 0;
}

// The sector size a track-at-once mode stands for; 0 for audio or unknown modes.
std::uint32_t TaoStride(std::uint64_t mode) {
    switch (mode) {
    case 0x00: // Mode 1
    case 0x02: // Mode 2 Form 1
        return 2048;
    case 0x03: // Mode 2 without sync and header
        return 2336;
    case 0x05: // raw Mode 1
    case 0x06: // raw Mode 2
        return 2352;
    case 0x0F: // raw Mode 1 with subchannel data
    case 0x11: // raw Mode 2 with subchannel data
        return 2448;
    default:
        return 0;
    }
}

// The mode a raw sector's header should give, by the track's mode.
int RawModeHint(std::uint64_t mode) {
    return mode == 0x06 || mode == 0x11 || mode == 0x02 || mode == 0x03 ? 2 : 1;
}

class Footer {
public:
    Footer(const ByteSource& bytes, std::uint64_t dataEnd) : m_bytes(bytes), m_dataEnd(dataEnd) {}

    void Add(std::uint64_t start, std::uint64_t end, std::uint32_t stride, std::uint64_t mode) {
        if (stride == 0 || start >= end || end > m_dataEnd || m_tracks.size() >= 99)
            return;
        if (const auto layout = RawTrackLayout(m_bytes, start, end, stride, RawModeHint(mode)))
            m_tracks.push_back(*layout);
    }

    // DAOI (32-bit) and DAOX (64-bit offsets): a header, then one entry per track.
    void DiscAtOnce(const std::uint8_t* data, std::size_t size, int offsetBytes) {
        const std::size_t entrySize = 18 + 3 * static_cast<std::size_t>(offsetBytes);
        for (std::size_t at = kDaoHeader; at + entrySize <= size; at += entrySize) {
            const std::uint8_t* entry = data + at;
            const auto stride = static_cast<std::uint32_t>(Be(entry + 12, 2));
            const std::uint8_t mode = entry[14];
            if (mode == kAudio || mode == kAudioWithSubchannel)
                continue;
            const std::uint64_t index1 = Be(entry + 18 + offsetBytes, offsetBytes);
            const std::uint64_t end = Be(entry + 18 + 2 * offsetBytes, offsetBytes);
            Add(index1, end, stride, mode);
        }
    }

    // ETNF (32-bit) and ETN2 (64-bit offsets): offset, length and mode per track.
    void TrackAtOnce(const std::uint8_t* data, std::size_t size, int offsetBytes) {
        const std::size_t entrySize = offsetBytes == 8 ? 32 : 20;
        for (std::size_t at = 0; at + entrySize <= size; at += entrySize) {
            const std::uint8_t* entry = data + at;
            const std::uint64_t offset = Be(entry, offsetBytes);
            const std::uint64_t length = Be(entry + offsetBytes, offsetBytes);
            const std::uint64_t mode = Be(entry + 2 * offsetBytes, 4);
            if (length <= m_dataEnd && offset <= m_dataEnd - length)
                Add(offset, offset + length, TaoStride(mode), mode);
        }
    }

    std::vector<TrackLayout> Tracks() && { return std::move(m_tracks); }

private:
    const ByteSource& m_bytes;
    std::uint64_t m_dataEnd;
    std::vector<TrackLayout> m_tracks;
};
} // namespace

std::vector<TrackLayout> NeroDataTracks(const ByteSource& bytes) {
    const std::uint64_t size = bytes.Size();
    std::array<std::uint8_t, 12> tail{};
    if (size < tail.size() ||
        bytes.ReadAt(size - tail.size(), tail.data(), tail.size()) != tail.size())
        return {};
    std::uint64_t first = 0;
    std::uint64_t footer = 0;
    if (Is(tail.data(), "NER5")) {
        first = Be(tail.data() + 4, 8);
        footer = size - 12;
    } else if (Is(tail.data() + 4, "NERO")) {
        first = Be(tail.data() + 8, 4);
        footer = size - 8;
    } else {
        return {};
    }
    if (first >= footer || footer - first > kMaxFooterArea)
        return {};
    std::vector<std::uint8_t> area(static_cast<std::size_t>(footer - first));
    if (bytes.ReadAt(first, area.data(), area.size()) != area.size())
        return {};
    Footer parsed(bytes, first);
    for (std::size_t at = 0; area.size() - at >= 8;) {
        const std::uint8_t* id = area.data() + at;
        const std::uint64_t length = Be(id + 4, 4);
        at += 8;
        if (Is(id, "END!") || length > area.size() - at)
            break;
        const std::uint8_t* data = area.data() + at;
        const auto dataSize = static_cast<std::size_t>(length);
        if (Is(id, "DAOI") || Is(id, "DAOX"))
            parsed.DiscAtOnce(data, dataSize, Is(id, "DAOX") ? 8 : 4);
        else if (Is(id, "ETNF") || Is(id, "ETN2"))
            parsed.TrackAtOnce(data, dataSize, Is(id, "ETN2") ? 8 : 4);
        at += dataSize;
    }
    return std::move(parsed).Tracks();
}
