#include "Categories.h"

#include <array>

namespace {

constexpr int Control(int number) {
    return number + kCategoryControlOffset;
}

constexpr std::array<Category, kCategoryCount> kCategories{{
    {"AF", 34, Control(34), "&After Life", 29},
    {"AN", 21, Control(21), "A&nimals", 102},
    {"AR", 22, Control(22), "A&rt", 12},
    {"CR", 23, Control(23), "&Crime", 46},
    {"EV", 25, Control(25), "&Everyday", 74},
    {"FD", 27, Control(27), "&Food", 17},
    {"HI", 28, Control(28), "&History", 34},
    {"ME", 31, Control(31), "&Medical", 34},
    {"MO", 32, Control(32), "Mone&y", 51},
    {"SC", 35, Control(35), "&Science", 49},
    {"SH", 36, Control(36), "Sho&pping", 38},
    {"SP", 37, Control(37), "Sp&orts", 18},
    {"TR", 38, Control(38), "&Travel", 26},
    {"WO", 39, Control(39), "&Work", 213},
}};

static_assert(kCategories[0].controlId == 1015 && kCategories[13].controlId == 1020);

} // namespace

std::span<const Category> CategoryTable() {
    return kCategories;
}

const Category* FindCategory(int number) {
    for (const Category& category : kCategories) {
        if (category.number == number)
            return &category;
    }
    return nullptr;
}

const Category* FindCategoryByControlId(int controlId) {
    for (const Category& category : kCategories) {
        if (category.controlId == controlId)
            return &category;
    }
    return nullptr;
}

std::optional<std::string_view> CategoryCode(int number) {
    if (const Category* category = FindCategory(number))
        return category->code;
    return std::nullopt;
}

bool SetCategoryCode(int number, QString& code) {
    const std::optional<std::string_view> found = CategoryCode(number);
    if (!found)
        return false;
    code = QString::fromLatin1(found->data(), static_cast<qsizetype>(found->size()));
    return true;
}
