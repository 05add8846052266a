#include "SaverArt.h"

#include "BmpWriter.h"
#include "CartoonArt.h"
#include "CartoonInk.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <string_view>

namespace {

constexpr int kPaletteSize = 256;

struct BuiltInScene {
    std::string_view code;
    const char* caption;
};

constexpr std::array<BuiltInScene, kBuiltInPictureCount> kScenes{{
    {"AN", "Waiting for the Quelby CD"},
    {"WO", "Still no disc in the drive"},
    {"TR", "The cartoons are on their way"},
    {"AF", "Insert the CD to see them all"},
}};

QFont LetteringFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void DrawHills(QPainter& painter, QSize size) {
    QPainterPath hills;
    const qreal base = size.height() * 0.74;
    hills.moveTo(0, size.height());
    for (int x = 0; x <= size.width(); x += 4)
        hills.lineTo(x, base + 10 * std::sin(x / 41.0) + 5 * std::sin(x / 13.0));
    hills.lineTo(size.width(), size.height());
    hills.closeSubpath();
    QLinearGradient grass(0, base - 15, 0, size.height());
    grass.setColorAt(0, InkColour(Ink::grass));
    grass.setColorAt(1, InkColour(Ink::darkGreen));
    painter.setPen(QPen(InkColour(Ink::darkGreen), 2));
    painter.setBrush(grass);
    painter.drawPath(hills);
}

void DrawLettering(QPainter& painter, QSize size) {
    QPainterPath title;
    title.addText(0, 0, LetteringFont(size.height() * 40 / 100, true), QStringLiteral("Quelby"));
    const QRectF bounds = title.boundingRect();
    title.translate(22 - bounds.left(), size.height() * 0.56 - bounds.bottom());
    painter.setPen(QPen(InkColour(Ink::black), 4));
    painter.setBrush(InkColour(Ink::yellow));
    painter.drawPath(title);
    painter.setFont(LetteringFont(size.height() * 15 / 100, true));
    painter.setPen(InkColour(Ink::white));
    painter.drawText(QRectF(24, size.height() * 0.58, size.width() * 0.6, size.height() * 0.18),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Screen Saver"));
}

// Three film frames with a category's prop in each, on the right.
void DrawFilmStrip(QPainter& painter, QSize size) {
    SceneRandom random(0x5a7e0000u);
    const qreal side = size.height() * 0.32;
    const char* const codes[] = {"AR", "SC", "SP"};
    for (int i = 0; i < 3; ++i) {
        const QRectF frame(size.width() - 20 - (3 - i) * (side + 6),
                           size.height() * 0.16 + (i % 2) * side * 0.3, side, side);
        painter.fillRect(frame, InkColour(Ink::black));
        const QRectF inside = frame.adjusted(5, 5, -5, -5);
        painter.fillRect(inside, InkColour(Ink::paleSky));
        painter.save();
        painter.setClipRect(inside);
        DrawCategoryProp(painter, codes[i], inside.adjusted(4, 4, -4, -4), random);
        painter.restore();
    }
}

} // namespace

QList<QRgb> SaverPalette() {
    QList<QRgb> palette = InkPalette();
    for (QRgb colour : CubePalette()) {
        if (palette.size() == kPaletteSize)
            break;
        if (!palette.contains(colour))
            palette.append(colour);
    }
    return palette;
}

QImage DrawBuiltInPicture(int index) {
    const BuiltInScene& scene = kScenes.at(static_cast<std::size_t>(index));
    SceneRandom random(0x5a7e5000u + static_cast<std::uint64_t>(index));
    QImage image(kBuiltInPictureSize, QImage::Format_RGB32);
    DrawCartoonScene(image, scene.code, random, QStringLiteral("Quelby Screen Saver"),
                     QString::fromLatin1(scene.caption), true);
    return image;
}

QImage DrawSaverBanner(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, InkColour(Ink::blue));
    sky.setColorAt(1, InkColour(Ink::sky));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(InkColour(Ink::yellow));
    painter.drawEllipse(QPointF(size.width() * 0.93, size.height() * 0.2), 18, 18);
    DrawHills(painter, size);
    DrawFilmStrip(painter, size);
    DrawLettering(painter, size);
    painter.setPen(QPen(InkColour(Ink::black), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    return image;
}

QByteArray BuiltInPictureFile(int index) {
    return EncodeBmp(MapToPalette(DrawBuiltInPicture(index), SaverPalette()),
                     BmpOptions{BmpFormat::rle8, false});
}

QByteArray BannerFile(bool trueColour) {
    if (trueColour)
        return EncodeBmp(DrawSaverBanner(kBannerSize), BmpOptions{BmpFormat::rgb24, false});
    return EncodeBmp(MapToPalette(DrawSaverBanner(kLowColourBannerSize), SaverPalette()),
                     BmpOptions{BmpFormat::indexed8, false});
}
