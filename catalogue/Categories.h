#pragma once

#include <QString>
#include <optional>
#include <span>
#include <string_view>

// One of the subjects the cartoons are filed under. The code is found inside
// cartoon names; the number is the category dialog's radio button id minus
// kCategoryControlOffset.
struct Category {
    std::string_view code;  // "AN"
    int number;             // 21
    int controlId;          // 1002
    std::string_view label; // "A&nimals", with its mnemonic
    int count;              // catalogue names holding the code
};

inline constexpr int kCategoryCount = 14;
inline constexpr int kCategoryControlOffset = 981;
// The viewer starts with this number, which names no category.
inline constexpr int kInitialCategoryNumber = 20;

// The 14 categories, ordered by code.
std::span<const Category> CategoryTable();

// nullptr for a number or control id that names no category.
const Category* FindCategory(int number);
const Category* FindCategoryByControlId(int controlId);

// The code of a category number; nullopt for 20, 24, 26, 29, 30, 33 and any
// other number outside the table.
std::optional<std::string_view> CategoryCode(int number);

// Sets code to the code of the number and returns true; for a number outside
// the table returns false and leaves the code in force unchanged.
bool SetCategoryCode(int number, QString& code);
