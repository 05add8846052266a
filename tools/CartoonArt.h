#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>
#include <string_view>

class SceneRandom;

// Deterministic cartoon pictures for the demo CD: the same position always
// gives the same pixels.

// The 16 ink colours as a palette, in the order of Ink.
QList<QRgb> InkPalette();

// "Page 45 - Animals - 1" for "1T045AN1.BMP"; the category label without its
// mnemonic.
QString CartoonTitle(std::string_view name);

// A small drawing for the catalogue position (1 to 743): sky, sun, ground,
// one or two figures, a prop of the category and a speech bubble, with the
// title and the file name in a band at the foot. 480 to 512 wide, 300 to 400
// high. Without smoothing it has no antialiasing or gradients and uses the
// ink colours only.
QImage DrawCartoon(int position, bool smooth);

// The scene of a cartoon of the category (the two-letter code) filling the
// image: sky, sun, ground, a prop of the category and a figure with a speech
// bubble, over a band holding the title and, beneath it, the caption.
void DrawCartoonScene(QImage& image, std::string_view code, SceneRandom& random,
                      const QString& title, const QString& caption, bool smooth);

// The cover picture, 512 x 400: "Quelby", "Vanto CD Home".
QImage DrawCover(bool smooth);
