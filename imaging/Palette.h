#pragma once

#include "Dib.h"

#include <QRgb>
#include <cstdint>
#include <vector>

struct PALETTEENTRY {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
    bool operator==(const PALETTEENTRY&) const = default;
};

// A logical palette block: version (16 bit), entry count (16 bit), then the
// entries as red, green, blue, flags.
constexpr std::uint16_t kPaletteVersion = 0x300;
constexpr std::size_t kLogPaletteHeaderSize = 4;

// The framework's palette object: owns one logical palette.
class CPalette {
public:
    CPalette() = default;
    CPalette(const CPalette&) = delete;
    CPalette& operator=(const CPalette&) = delete;

    // CreatePalette from a logical palette block; false for a block that is
    // too short for its count, a wrong version, no entries, or a palette
    // object that already holds one.
    bool CreatePalette(std::span<const std::uint8_t> logPalette);
    bool IsCreated() const { return m_bCreated; }
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    const std::vector<PALETTEENTRY>& Entries() const { return m_entries; }
    // The entries as opaque colours, in palette order.
    std::vector<QRgb> Colors() const;

    // The stock palette a device context holds before any other is selected.
    static CPalette& StockDefault();

private:
    std::vector<PALETTEENTRY> m_entries;
    bool m_bCreated = false;
};

// Fills pPalette from the bitmap's colour table: one entry per colour
// (the header's colorCount, up to 65535), red, green and blue taken from the table's
// blue-green-red order, flags 0. Fails for none, no colour table, a colour
// table that does not lie within the block, or no memory for the temporary
// logical palette.
bool CreateBitmapPalette(HDIB& hDIB, CPalette& palette);
