#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QSize>

// The screen saver's own pictures: the four cartoons it shows when the CD is
// not in a drive, and the banner of its configuration dialog. Like the demo
// CD, each is a function of its number alone.

inline constexpr int kBuiltInPictureCount = 4;
inline constexpr QSize kBuiltInPictureSize(350, 400);
inline constexpr QSize kBannerSize(512, 171);
inline constexpr QSize kLowColourBannerSize(510, 170);

// The 256 colours of the saver's palette pictures: the demo drawings' inks
// first, so their flat areas keep their colours exactly, then a colour cube.
QList<QRgb> SaverPalette();

// Built-in picture 0 to 3, 350 x 400.
QImage DrawBuiltInPicture(int index);
// The banner at the given size: sky, hills, "Quelby" and "Screen Saver".
QImage DrawSaverBanner(QSize size);

// The .BMP files: a built-in picture in 256 colours, RLE8-compressed; the
// banner in true colour (24 bits) or in 256 colours (uncompressed).
QByteArray BuiltInPictureFile(int index);
QByteArray BannerFile(bool trueColour);
