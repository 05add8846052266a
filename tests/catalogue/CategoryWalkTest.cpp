#include "Catalogue.h"
#include "Categories.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

namespace {

using enum WalkDirection;

TEST(CategoryWalk, ArtBackwardWrapsPastTheFirstPosition) {
    EXPECT_EQ(FindInCategory(2, "AR", back), 718);
    EXPECT_EQ(CatalogueName(718), "1T201AR1.BMP");
}

TEST(CategoryWalk, ArtForwardWrapsPastTheLastPosition) {
    EXPECT_EQ(FindInCategory(719, "AR", forward), 69);
    EXPECT_EQ(CatalogueName(69), "1T025AR1.BMP");
}

TEST(CategoryWalk, StartPositionIsTestedFirst) {
    EXPECT_EQ(FindInCategory(718, "AR", back), 718);
    EXPECT_EQ(FindInCategory(718, "AR", forward), 718);
    EXPECT_EQ(FindInCategory(1, "HI", forward), 1);
}

TEST(CategoryWalk, WorkFromTheStartAndBackFromItsFirst) {
    EXPECT_EQ(FindInCategory(1, "WO", forward), 5);
    EXPECT_EQ(FindInCategory(4, "WO", back), 741);
    EXPECT_EQ(CatalogueName(741), "1T206WO1.BMP");
}

TEST(CategoryWalk, StartsOutsideTheListBeginAtItsEnds) {
    // Position 0 is "before the first cartoon"; back from it is the last.
    EXPECT_EQ(FindInCategory(0, "HI", back), 743);
    EXPECT_EQ(FindInCategory(0, "HI", forward), 1);
    EXPECT_EQ(FindInCategory(INT_MIN, "AN", forward), 2);
    EXPECT_EQ(FindInCategory(INT_MAX, "AN", forward), 2);
    EXPECT_EQ(FindInCategory(INT_MAX, "AN", back), 742);
}

TEST(CategoryWalk, LastPositionBoundsTheLap) {
    // Positions 2 and 3 hold AN and CR; the walk wraps within 1..3.
    EXPECT_EQ(FindInCategory(2, "HI", forward, 3), 1);
    EXPECT_EQ(FindInCategory(3, "SC", forward, 3), std::nullopt);
    // A hand-edited last position cannot take the walk past the table.
    EXPECT_EQ(FindInCategory(743, "AN", forward, 100000), 2);
    EXPECT_EQ(FindInCategory(1, "HI", back, 100000), 1);
    EXPECT_EQ(FindInCategory(2, "HI", back, 100000), 1);
    EXPECT_EQ(FindInCategory(2, "AN", forward, -5), std::nullopt);
    EXPECT_EQ(FindInCategory(2, "HI", forward, -5), 1);
}

class UnheldCode : public testing::TestWithParam<const char*> {};

TEST_P(UnheldCode, EndsWithNoCartoonInBothDirections) {
    const QString code = QString::fromLatin1(GetParam());
    for (int start : {0, 1, 2, 400, 743, 744}) {
        EXPECT_EQ(FindInCategory(start, std::string_view(GetParam()), forward), std::nullopt);
        EXPECT_EQ(FindInCategory(start, std::string_view(GetParam()), back), std::nullopt);
        EXPECT_EQ(FindInCategory(start, code, forward), std::nullopt);
        EXPECT_EQ(FindInCategory(start, code, back), std::nullopt);
    }
}

// "AL" is the default code of a bookmark; "ar" differs only in case.
INSTANTIATE_TEST_SUITE_P(Codes, UnheldCode,
                         testing::Values("AL", "ar", "ZZ", "1T005HI1.BMPX", "BMP.", "\xe9"));

TEST(CategoryWalk, NonLatinCodeFromTheProfileMatchesNothing) {
    const QString code = QStringLiteral("A\u0410");
    EXPECT_EQ(FindInCategory(1, code, forward), std::nullopt);
}

TEST(CategoryWalk, EmptyCodeAcceptsEveryCartoon) {
    for (int position = 1; position <= kCatalogueSize; ++position) {
        ASSERT_EQ(FindInCategory(position, std::string_view(), forward), position);
        ASSERT_EQ(FindInCategory(position, QString(), back), position);
    }
}

TEST(CategoryWalk, LongerCodesMatchAnywhereInTheName) {
    EXPECT_EQ(FindInCategory(1, "T008", forward), 3);
    EXPECT_EQ(FindInCategory(1, QStringLiteral("AR1.BMP"), forward), 69);
}

class WalkThroughCategory : public testing::TestWithParam<Category> {};

// Stepping on from each match visits the category's cartoons in catalogue
// order, one lap, in either direction and with either code type.
TEST_P(WalkThroughCategory, VisitsEachCartoonOncePerLap) {
    const Category& category = GetParam();
    const QString code = QString::fromLatin1(category.code.data(), 2);
    std::vector<int> expected;
    for (int position = 1; position <= kCatalogueSize; ++position) {
        if (CatalogueName(position).substr(5, 2) == category.code)
            expected.push_back(position);
    }
    ASSERT_EQ(int(expected.size()), category.count);

    std::vector<int> seen;
    int position = 0;
    for (int step = 0; step < category.count; ++step) {
        const auto found = FindInCategory(position + 1, category.code, forward);
        ASSERT_TRUE(found);
        EXPECT_EQ(FindInCategory(position + 1, code, forward), found);
        seen.push_back(*found);
        position = *found;
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(FindInCategory(position + 1, category.code, forward), expected.front());

    std::vector<int> back;
    position = kCatalogueSize + 1;
    for (int step = 0; step < category.count; ++step) {
        const auto found = FindInCategory(position - 1, code, WalkDirection::back);
        ASSERT_TRUE(found);
        back.insert(back.begin(), *found);
        position = *found;
    }
    EXPECT_EQ(back, expected);
    EXPECT_EQ(FindInCategory(position - 1, code, WalkDirection::back), expected.back());
}

INSTANTIATE_TEST_SUITE_P(Categories, WalkThroughCategory, testing::ValuesIn(CategoryTable()),
                         [](const testing::TestParamInfo<Category>& info) {
                             return std::string(info.param.code);
                         });

} // namespace
