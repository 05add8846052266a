#include "DibBuilder.h"

#include "DibRenderer.h"

#include <QPainter>

namespace {
void Put16(Bytes& out, unsigned v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
} // namespace

Bytes StoreRows(const std::vector<Bytes>& topDownRows) {
    Bytes out;
    for (auto row = topDownRows.rbegin(); row != topDownRows.rend(); ++row) {
        Bytes padded = *row;
        padded.resize((padded.size() + 3) / 4 * 4, 0);
        out.insert(out.end(), padded.begin(), padded.end());
    }
    return out;
}

Bytes BuildDib(const DibRecipe& recipe) {
    Bytes out;
    if (recipe.core) {
        Put32(out, 12);
        Put16(out, unsigned(recipe.width));
        Put16(out, unsigned(recipe.height));
        Put16(out, 1);
        Put16(out, unsigned(recipe.bitCount));
    } else {
        Put32(out, 40);
        Put32(out, std::uint32_t(recipe.width));
        Put32(out, std::uint32_t(recipe.height));
        Put16(out, 1);
        Put16(out, unsigned(recipe.bitCount));
        Put32(out, recipe.compression);
        Put32(out, std::uint32_t(recipe.bits.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, recipe.colorsUsed);
        Put32(out, 0);
    }
    for (QRgb c : recipe.colors) {
        out.push_back(std::uint8_t(qBlue(c)));
        out.push_back(std::uint8_t(qGreen(c)));
        out.push_back(std::uint8_t(qRed(c)));
        if (!recipe.core)
            out.push_back(0);
    }
    out.insert(out.end(), recipe.bits.begin(), recipe.bits.end());
    return out;
}

QImage RenderDib(const std::uint8_t* block, std::size_t size, const QRect& source,
                 const QSize& targetSize, int* lines) {
    QImage image(targetSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const int result = DrawDib(painter, QRect(QPoint(0, 0), targetSize), block, size, source);
    painter.end();
    if (lines)
        *lines = result;
    return image;
}

QImage RenderDib(const Bytes& block, const QRect& source, const QSize& targetSize, int* lines) {
    return RenderDib(block.data(), block.size(), source, targetSize, lines);
}
