#include "Categories.h"

#include "Catalogue.h"

#include <QString>
#include <climits>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// Every row of the table, by its code.
class CategoryRow : public testing::TestWithParam<Category> {};

TEST_P(CategoryRow, IsFoundByItsNumberAndItsButton) {
    const Category& row = GetParam();
    const Category* category = FindCategory(row.number);
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->code, row.code);
    EXPECT_EQ(FindCategoryByControlId(row.number + kCategoryControlOffset), category);
    EXPECT_EQ(CategoryCode(row.number), row.code);
    QString code = QStringLiteral("AL");
    EXPECT_TRUE(SetCategoryCode(row.number, code));
    EXPECT_EQ(code.toStdString(), row.code);
}

TEST_P(CategoryRow, CountIsTheNamesHoldingTheCode) {
    int count = 0;
    for (int position = 1; position <= kCatalogueSize; ++position)
        count += InCategory(CatalogueName(position), GetParam().code);
    EXPECT_EQ(count, GetParam().count);
    EXPECT_GT(count, 0);
}

INSTANTIATE_TEST_SUITE_P(Categories, CategoryRow, testing::ValuesIn(CategoryTable()),
                         [](const testing::TestParamInfo<Category>& info) {
                             return std::string(info.param.code);
                         });

TEST(Categories, AreFourteenInCodeOrderWithDistinctNumbers) {
    const auto table = CategoryTable();
    ASSERT_EQ(table.size(), std::size_t(kCategoryCount));
    std::set<int> numbers;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].code, table[i].code);
        }
        numbers.insert(table[i].number);
    }
    EXPECT_EQ(numbers.size(), table.size());
}

// The category dialog's radio buttons: one access key each, no two alike.
TEST(Categories, LabelsHaveDistinctAccessKeys) {
    std::set<QChar> keys;
    for (const Category& category : CategoryTable()) {
        const QString label = QString::fromLatin1(category.label);
        ASSERT_EQ(label.count(QLatin1Char('&')), 1) << category.label;
        const qsizetype at = label.indexOf(QLatin1Char('&'));
        ASSERT_LT(at + 1, label.size()) << category.label;
        keys.insert(label.at(at + 1).toLower());
    }
    EXPECT_EQ(keys.size(), std::size_t(kCategoryCount));
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
