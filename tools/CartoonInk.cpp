#include "CartoonInk.h"

#include <array>

namespace {

constexpr std::array<QRgb, kInkCount> kInks = {
    0xff000000, // black
    0xffffffff, // white
    0xff5ab4f0, // sky
    0xffcdeaff, // pale sky
    0xff4caf50, // grass
    0xff2e7d32, // dark green
    0xffffd700, // yellow
    0xffff8c00, // orange
    0xffd32f2f, // red
    0xffffdab9, // skin
    0xff8b5a2b, // brown
    0xff1e50c8, // blue
    0xff8e44ad, // purple
    0xff808080, // grey
    0xffd0d0d0, // light grey
    0xffff88aa, // pink
};

} // namespace

QColor InkColour(Ink ink) {
    return QColor::fromRgb(kInks[static_cast<std::size_t>(ink)]);
}

std::uint32_t SceneRandom::Next() {
    m_state += 0x9e3779b97f4a7c15ull;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

int SceneRandom::Range(int low, int high) {
    if (high <= low)
        return low;
    const auto span = static_cast<std::uint32_t>(high - low) + 1;
    return low + static_cast<int>(Next() % span);
}

Ink SceneRandom::Pick(std::initializer_list<Ink> inks) {
    const int index = Range(0, static_cast<int>(inks.size()) - 1);
    return *(inks.begin() + index);
}
