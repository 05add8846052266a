#include "Palette.h"

namespace {

// The twenty static colours every system palette keeps (the stock default palette).
constexpr PALETTEENTRY kStaticColors[] = {
    {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0},
    {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0}, {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0},
    {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0}, {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
};

std::vector<std::uint8_t> StaticLogPalette() {
    std::vector<std::uint8_t> block{0x00, 0x03, std::size(kStaticColors), 0x00};
    for (const PALETTEENTRY& e : kStaticColors)
        block.insert(block.end(), {e.peRed, e.peGreen, e.peBlue, e.peFlags});
    return block;
}

} // namespace

bool CPalette::CreatePalette(std::span<const std::uint8_t> logPalette) {
    if (m_bCreated || logPalette.size() < kLogPaletteHeaderSize)
        return false;
    const auto version = static_cast<std::uint16_t>(logPalette[0] | logPalette[1] << 8);
    const std::size_t count = logPalette[2] | logPalette[3] << 8;
    if (version != kPaletteVersion || count == 0 ||
        logPalette.size() < kLogPaletteHeaderSize + 4 * count)
        return false;
    m_entries.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = logPalette.data() + kLogPaletteHeaderSize + 4 * i;
        m_entries[i] = {p[0], p[1], p[2], p[3]};
    }
    m_bCreated = true;
    return true;
}

std::vector<QRgb> CPalette::Colors() const {
    std::vector<QRgb> colors;
    colors.reserve(m_entries.size());
    for (const PALETTEENTRY& e : m_entries)
        colors.push_back(qRgb(e.peRed, e.peGreen, e.peBlue));
    return colors;
}

CPalette& CPalette::StockDefault() {
    static CPalette stock;
    if (!stock.IsCreated())
        stock.CreatePalette(StaticLogPalette());
    return stock;
}

bool CreateBitmapPalette(HDIB& hDIB, CPalette& palette) {
    if (!hDIB)
        return false;
    GlobalLockGuard lock(hDIB);
    const DibBytes dib = LockedDib(lock);
    const DibHeader header = ReadDibHeader(dib);
    // The header is checked against the block before the table is read.
    if (!lock.Data() || !header.colorTableInBlock)
        return false;
    const std::uint16_t count = header.colorCount;
    if (count == 0)
        return false;
    GlobalBlock hLogPal = GlobalBlock::Alloc(kLogPaletteHeaderSize + 4 * std::size_t(count));
    if (!hLogPal)
        return false;
    GlobalLockGuard logPal(hLogPal);
    std::uint8_t* out = logPal.Data();
    out[0] = kPaletteVersion & 0xFF;
    out[1] = kPaletteVersion >> 8;
    out[2] = count & 0xFF;
    out[3] = count >> 8;
    const std::uint8_t* table = dib.data() + header.headerSize; // the table follows the header
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* in = table + i * header.colorEntrySize; // blue, green, red
        std::uint8_t* entry = out + kLogPaletteHeaderSize + 4 * i;
        entry[0] = in[2];
        entry[1] = in[1];
        entry[2] = in[0];
        entry[3] = 0;
    }
    return palette.CreatePalette({logPal.Data(), logPal.Size()});
}
