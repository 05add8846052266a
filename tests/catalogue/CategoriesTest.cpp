#include "Categories.h"

#include "Catalogue.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Expected {
    const char* code;
    int number;
    int controlId;
    const char* label;
    int count;
};

// The category dialog's buttons and the cartoons each category must find.
constexpr Expected kExpected[] = {
    {"AF", 34, 1015, "&After Life", 29}, {"AN", 21, 1002, "A&nimals", 102},
    {"AR", 22, 1003, "A&rt", 12},        {"CR", 23, 1004, "&Crime", 46},
    {"EV", 25, 1006, "&Everyday", 74},   {"FD", 27, 1008, "&Food", 17},
    {"HI", 28, 1009, "&History", 34},    {"ME", 31, 1012, "&Medical", 34},
    {"MO", 32, 1013, "Mone&y", 51},      {"SC", 35, 1016, "&Science", 49},
    {"SH", 36, 1017, "Sho&pping", 38},   {"SP", 37, 1018, "Sp&orts", 18},
    {"TR", 38, 1019, "&Travel", 26},     {"WO", 39, 1020, "&Work", 213},
};

class CategoryRow : public testing::TestWithParam<Expected> {};

TEST_P(CategoryRow, TableEntry) {
    const Expected& e = GetParam();
    const Category* category = FindCategory(e.number);
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->code, e.code);
    EXPECT_EQ(category->controlId, e.controlId);
    EXPECT_EQ(category->controlId, e.number + kCategoryControlOffset);
    EXPECT_EQ(category->label, e.label);
    EXPECT_EQ(category->count, e.count);
    EXPECT_EQ(FindCategoryByControlId(e.controlId), category);
}

TEST_P(CategoryRow, CountIsTheNamesHoldingTheCode) {
    int count = 0;
    for (int position = 1; position <= kCatalogueSize; ++position)
        count += InCategory(CatalogueName(position), std::string_view(GetParam().code));
    EXPECT_EQ(count, GetParam().count);
}

TEST_P(CategoryRow, NumberSetsTheCode) {
    EXPECT_EQ(CategoryCode(GetParam().number), std::string_view(GetParam().code));
    QString code = QStringLiteral("AL");
    EXPECT_TRUE(SetCategoryCode(GetParam().number, code));
    EXPECT_EQ(code, QString::fromLatin1(GetParam().code));
}

INSTANTIATE_TEST_SUITE_P(Categories, CategoryRow, testing::ValuesIn(kExpected),
                         [](const testing::TestParamInfo<Expected>& info) {
                             return std::string(info.param.code);
                         });

TEST(Categories, TableHoldsTheFourteenInCodeOrder) {
    const auto table = CategoryTable();
    ASSERT_EQ(table.size(), std::size(kExpected));
    int total = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].code, kExpected[i].code);
        total += table[i].count;
    }
    EXPECT_EQ(total, kCatalogueSize);
}

TEST(Categories, EveryCartoonIsInExactlyOneCategory) {
    for (int position = 1; position <= kCatalogueSize; ++position) {
        int holders = 0;
        for (const Category& category : CategoryTable())
            holders += InCategory(CatalogueName(position), category.code);
        EXPECT_EQ(holders, 1) << CatalogueName(position);
    }
}

class UnknownNumber : public testing::TestWithParam<int> {};

TEST_P(UnknownNumber, LeavesTheCodeInForce) {
    EXPECT_EQ(CategoryCode(GetParam()), std::nullopt);
    EXPECT_EQ(FindCategory(GetParam()), nullptr);
    QString code = QStringLiteral("WO");
    EXPECT_FALSE(SetCategoryCode(GetParam(), code));
    EXPECT_EQ(code, QStringLiteral("WO"));
    QString empty;
    EXPECT_FALSE(SetCategoryCode(GetParam(), empty));
    EXPECT_TRUE(empty.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Numbers, UnknownNumber,
                         testing::Values(kInitialCategoryNumber, 24, 26, 29, 30, 33, 0, -1, 40,
                                         1002, INT_MIN, INT_MAX));

TEST(Categories, UnusedControlIdsNameNoCategory) {
    for (int controlId : {1001, 1005, 1007, 1010, 1011, 1014, 1021, INT_MIN, INT_MAX})
        EXPECT_EQ(FindCategoryByControlId(controlId), nullptr) << controlId;
}

} // namespace
