#include "DibDecode.h"

#include <algorithm>

namespace {

constexpr QRgb kMissingColor = 0xFF000000; // opaque black

// One stored row of an uncompressed bitmap, addressed from the picture's top.
const std::uint8_t* StoredRow(const DibLayout& layout, const std::uint8_t* block, int topRow) {
    const std::uint64_t stored = std::uint64_t(layout.height - 1 - topRow);
    return block + layout.header.bitsOffset + stored * layout.rowSize;
}

void Decode4Bit(QImage& image, const DibLayout& layout, const std::uint8_t* block,
                const DibColors& colors, int firstRow) {
    const int width = layout.width;
    for (int r = 0; r < image.height(); ++r) {
        const std::uint8_t* src = StoredRow(layout, block, firstRow + r);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int x = 0; x + 1 < width; x += 2) {
            const std::uint8_t byte = src[x / 2];
            dst[x] = colors[byte >> 4];
            dst[x + 1] = colors[byte & 0x0F];
        }
        if (width % 2)
            dst[width - 1] = colors[src[width / 2] >> 4];
    }
}

// A table look-up per pixel: one pass, and the paint is then a plain copy.
void Decode8Bit(QImage& image, const DibLayout& layout, const std::uint8_t* block,
                const DibColors& colors, int firstRow) {
    const int width = layout.width;
    for (int r = 0; r < image.height(); ++r) {
        const std::uint8_t* src = StoredRow(layout, block, firstRow + r);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int x = 0; x < width; ++x)
            dst[x] = colors[src[x]];
    }
}

void Decode24Bit(QImage& image, const DibLayout& layout, const std::uint8_t* block, int firstRow) {
    const int width = layout.width;
    for (int r = 0; r < image.height(); ++r) {
        const std::uint8_t* src = StoredRow(layout, block, firstRow + r);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int x = 0; x < width; ++x, src += 3)
            dst[x] = qRgb(src[2], src[1], src[0]); // stored blue, green, red
    }
}

// 5-bit channels widened to 8 bits by rounding (v * 255 / 31), not by shifting,
// so that full intensity stays 255.
constexpr std::array<std::uint8_t, 32> MakeExpand5() {
    std::array<std::uint8_t, 32> table{};
    for (unsigned v = 0; v < 32; ++v)
        table[v] = std::uint8_t((v * 255 + 15) / 31);
    return table;
}
constexpr std::array<std::uint8_t, 32> kExpand5 = MakeExpand5();

void Decode16Bit(QImage& image, const DibLayout& layout, const std::uint8_t* block, int firstRow) {
    const int width = layout.width;
    for (int r = 0; r < image.height(); ++r) {
        const std::uint8_t* src = StoredRow(layout, block, firstRow + r);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int x = 0; x < width; ++x) {
            // The top bit is unused in 5-5-5 and ignored.
            const unsigned v = unsigned(src[2 * x]) | unsigned(src[2 * x + 1]) << 8;
            dst[x] = qRgb(kExpand5[(v >> 10) & 31], kExpand5[(v >> 5) & 31], kExpand5[v & 31]);
        }
    }
}

// Run-length data as a small state machine: the reader knows how many bytes
// are left before every read, and every write is checked against the row and
// the rows asked for. Data that ends early, or moves past the last row, just
// stops; pixels nobody wrote stay transparent.
class RleDecoder {
public:
    RleDecoder(QImage& image, const DibLayout& layout, const std::uint8_t* block,
               const DibColors& colors, int firstRow)
        : m_image(image), m_colors(colors), m_data(block + layout.header.bitsOffset),
          m_size(layout.bitsSize), m_width(layout.width), m_height(layout.height),
          m_firstRow(firstRow), m_four(layout.header.compression == DibCompression::Rle4) {}

    // Returns the number of pixels written into the image.
    std::int64_t Run() {
        while (m_y < m_height && !AboveRows() && Remaining() >= 2) {
            const std::uint8_t count = m_data[m_pos];
            const std::uint8_t value = m_data[m_pos + 1];
            m_pos += 2;
            if (count > 0)
                Repeat(count, value);
            else if (value == 0)
                NextLine();
            else if (value == 1)
                break; // end of bitmap
            else if (value == 2) {
                if (!Delta())
                    break;
            } else if (!Absolute(value))
                break;
        }
        return m_written;
    }

private:
    std::size_t Remaining() const { return m_size - m_pos; }
    // Rows are decoded bottom-up; once past the top row asked for, nothing is left to do.
    bool AboveRows() const { return m_height - 1 - m_y < m_firstRow; }

    QRgb* Row() {
        const int r = m_height - 1 - m_y - m_firstRow;
        if (r < 0 || r >= m_image.height())
            return nullptr;
        return reinterpret_cast<QRgb*>(m_image.scanLine(r));
    }

    void Repeat(int count, std::uint8_t value) {
        QRgb* row = Row();
        const QRgb first = m_four ? m_colors[value >> 4] : m_colors[value];
        const QRgb second = m_four ? m_colors[value & 0x0F] : first;
        const int end = std::min(m_x + count, m_width);
        if (row) {
            for (int x = m_x; x < end; ++x)
                row[x] = ((x - m_x) & 1) ? second : first;
            m_written += std::max(0, end - m_x);
        }
        Advance(count);
    }

    bool Absolute(int count) {
        const std::size_t bytes = m_four ? std::size_t(count + 1) / 2 : std::size_t(count);
        if (Remaining() < bytes)
            return false;
        const std::uint8_t* src = m_data + m_pos;
        m_pos += std::min(Remaining(), (bytes + 1) & ~std::size_t(1)); // runs are padded to 16 bits
        QRgb* row = Row();
        const int end = std::min(m_x + count, m_width);
        if (row) {
            for (int i = 0, x = m_x; x < end; ++i, ++x)
                row[x] = m_four ? m_colors[(i & 1) ? src[i / 2] & 0x0F : src[i / 2] >> 4]
                                : m_colors[src[i]];
            m_written += std::max(0, end - m_x);
        }
        Advance(count);
        return true;
    }

    bool Delta() {
        if (Remaining() < 2)
            return false;
        Advance(m_data[m_pos]);
        m_y += m_data[m_pos + 1];
        m_pos += 2;
        return true;
    }

    void NextLine() {
        m_x = 0;
        ++m_y;
    }

    // Positions past the row's end are kept at the end, so long data cannot overflow them.
    void Advance(int count) { m_x = std::min(m_x + count, m_width); }

    QImage& m_image;
    const DibColors& m_colors;
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    int m_width;
    int m_height;
    int m_firstRow;
    bool m_four;
    int m_x = 0;
    int m_y = 0; // stored row, 0 at the bottom
    std::int64_t m_written = 0;
};

} // namespace

DibColors ReadDibColors(const DibLayout& layout, const std::uint8_t* block) {
    DibColors colors;
    colors.fill(kMissingColor);
    const DibHeader& header = layout.header;
    const std::uint32_t count = std::min<std::uint32_t>(header.colorCount, 256);
    const std::uint8_t* entry = block + header.headerSize; // the table follows the header
    for (std::uint32_t i = 0; i < count; ++i, entry += header.colorEntrySize)
        colors[i] = qRgb(entry[2], entry[1], entry[0]); // stored blue, green, red
    return colors;
}

QImage DecodeDibRows(const DibLayout& layout, const std::uint8_t* block, const DibColors& colors,
                     int firstRow, int rowCount) {
    const bool rle = layout.header.compression != DibCompression::None;
    QImage image(layout.width, rowCount,
                 rle ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull())
        return image;
    if (rle) {
        image.fill(Qt::transparent);
        RleDecoder decoder(image, layout, block, colors, firstRow);
        if (decoder.Run() == std::int64_t(image.width()) * image.height())
            image.reinterpretAsFormat(
                QImage::Format_RGB32); // every pixel opaque: a plain copy suffices
    } else if (layout.header.bitCount == 4) {
        Decode4Bit(image, layout, block, colors, firstRow);
    } else if (layout.header.bitCount == 8) {
        Decode8Bit(image, layout, block, colors, firstRow);
    } else if (layout.header.bitCount == 16) {
        Decode16Bit(image, layout, block, firstRow);
    } else {
        Decode24Bit(image, layout, block, firstRow);
    }
    return image;
}
