#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <cstdint>
#include <string_view>

// The colours the demo drawings are made of. The 4-bit cartoons use exactly
// these 16 as their palette, so flat drawings map onto it without loss.
enum class Ink {
    black,
    white,
    sky,
    paleSky,
    grass,
    darkGreen,
    yellow,
    orange,
    red,
    skin,
    brown,
    blue,
    purple,
    grey,
    lightGrey,
    pink,
};
inline constexpr int kInkCount = 16;

QColor InkColour(Ink ink);

// Splitmix64: the same sequence on every machine, unlike the standard
// library's distributions.
class SceneRandom {
public:
    explicit SceneRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint32_t Next();
    // A number from low to high inclusive.
    int Range(int low, int high);
    Ink Pick(std::initializer_list<Ink> inks);

private:
    std::uint64_t m_state;
};

// Draws the prop of a category (the two-letter code) standing on the ground
// inside the box.
void DrawCategoryProp(QPainter& painter, std::string_view code, const QRectF& box,
                      SceneRandom& random);
