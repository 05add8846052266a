#include "Catalogue.h"

#include "Categories.h"

#include <climits>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

struct Row {
    int position;
    const char* name;
};

class CatalogueRow : public testing::TestWithParam<Row> {};

TEST_P(CatalogueRow, NameAtPosition) {
    EXPECT_EQ(CatalogueName(GetParam().position), GetParam().name);
    EXPECT_EQ(CatalogueNameString(GetParam().position), QString::fromLatin1(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(TellingRows, CatalogueRow,
                         testing::Values(Row{1, "1T005HI1.BMP"}, Row{2, "1T007AN1.BMP"},
                                         Row{3, "1T008CR1.BMP"}, Row{5, "1T008WO1.BMP"},
                                         Row{69, "1T025AR1.BMP"}, Row{718, "1T201AR1.BMP"},
                                         Row{741, "1T206WO1.BMP"}, Row{742, "1T207AN1.BMP"},
                                         Row{743, "1T208HI1.BMP"}));

TEST(Catalogue, PositionsOutsideTheTableGiveNoName) {
    for (int position : {INT_MIN, -1, 0, kCatalogueSize + 1, 815, INT_MAX}) {
        EXPECT_TRUE(CatalogueName(position).empty()) << position;
        EXPECT_TRUE(CatalogueNameString(position).isEmpty()) << position;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

TEST(Catalogue, EveryNameFollowsTheScheme) {
    std::set<std::string_view> codes;
    for (const Category& category : CategoryTable())
        codes.insert(category.code);
    for (int position = 1; position <= kCatalogueSize; ++position) {
        const std::string_view name = CatalogueName(position);
        ASSERT_EQ(name.size(), std::size_t(kCartoonNameLength)) << position;
        EXPECT_EQ(name.substr(0, 2), "1T") << name;
        EXPECT_TRUE(IsDigit(name[2]) && IsDigit(name[3]) && IsDigit(name[4])) << name;
        EXPECT_TRUE(codes.count(name.substr(5, 2))) << name;
        EXPECT_TRUE(name[7] >= '1' && name[7] <= '4') << name;
        EXPECT_EQ(name.substr(8), ".BMP") << name;
    }
}

// Files on the CD are matched without regard to case: no two positions may
// open the same file.
TEST(Catalogue, EveryPositionOpensAFileOfItsOwn) {
    std::set<QString> paths;
    for (int position = 1; position <= kCatalogueSize; ++position)
        paths.insert(CartoonPath(QChar(u'E'), CatalogueName(position)).toCaseFolded());
    EXPECT_EQ(paths.size(), std::size_t(kCatalogueSize));
}

TEST(Catalogue, VariantsNumberACategoryOnAPageWithoutGaps) {
    std::map<std::string, std::string> variantsByPageAndCode;
    for (int position = 1; position <= kCatalogueSize; ++position) {
        const std::string_view name = CatalogueName(position);
        variantsByPageAndCode[std::string(name.substr(2, 5))] += name[7];
    }
    for (const auto& [pageAndCode, variants] : variantsByPageAndCode)
        EXPECT_EQ(variants, std::string("1234").substr(0, variants.size())) << pageAndCode;
    EXPECT_EQ(variantsByPageAndCode["196WO"], "1234");
}

TEST(Catalogue, PagesAndTheirCartoons) {
    std::map<std::string_view, int> perPage;
    for (int position = 1; position <= kCatalogueSize; ++position)
        ++perPage[CatalogueName(position).substr(2, 3)];
    EXPECT_EQ(perPage.size(), 203u);
    EXPECT_EQ(perPage.count("006"), 0u);
    EXPECT_EQ(perPage.begin()->first, "005");
    EXPECT_EQ(perPage.rbegin()->first, "208");

    std::set<std::string_view> single;
    for (const auto& [page, count] : perPage) {
        EXPECT_TRUE(count == 1 || count == 4) << page;
        if (count == 1)
            single.insert(page);
    }
    std::set<std::string> expected{"005", "207", "208"};
    for (int page = 7; page <= 197; page += 10)
        expected.insert(QString::asprintf("%03d", page).toStdString());
    EXPECT_EQ(single.size(), 23u);
    EXPECT_EQ(std::set<std::string>(single.begin(), single.end()), expected);
}

struct PageCase {
    const char* name;
    const char* page;
};

class PageTextOfName : public testing::TestWithParam<PageCase> {};

TEST_P(PageTextOfName, DropsLeadingZeros) {
    EXPECT_EQ(PageText(std::string_view(GetParam().name)), GetParam().page);
    EXPECT_EQ(PageText(QString::fromLatin1(GetParam().name)), QString::fromLatin1(GetParam().page));
}

INSTANTIATE_TEST_SUITE_P(
    Names, PageTextOfName,
    testing::Values(PageCase{"1T005HI1.BMP", "5"}, PageCase{"1T045AN1.BMP", "45"},
                    PageCase{"1T100AN1.BMP", "100"}, PageCase{"1T010AF1.BMP", "10"},
                    PageCase{"1T208HI1.BMP", "208"}, PageCase{"1T000XX1.BMP", "0"},
                    // Too short to hold a page: nothing is read past it.
                    PageCase{"1T0", ""}, PageCase{"", ""}));

TEST(Catalogue, EveryNameHasTreasuryOne) {
    for (int position = 1; position <= kCatalogueSize; ++position) {
        EXPECT_EQ(TreasuryText(CatalogueName(position)), "1");
        EXPECT_EQ(TreasuryText(CatalogueNameString(position)), QStringLiteral("1"));
    }
    EXPECT_EQ(TreasuryText(std::string_view()), "");
    EXPECT_EQ(TreasuryText(QString()), QString());
}

TEST(Catalogue, CartoonPathForADriveLetter) {
    EXPECT_EQ(CartoonPath(QChar(u'E'), CatalogueName(69)),
              QStringLiteral("E:\\quelby\\images\\t1\\1T025AR1.BMP"));
    EXPECT_EQ(CartoonPath(QChar(u'D'), QStringLiteral("1T208HI1.BMP")),
              QStringLiteral("D:\\quelby\\images\\t1\\1T208HI1.BMP"));
    // The folder follows the name's treasury digit.
    EXPECT_EQ(CartoonPath(QChar(u'Q'), std::string_view("2T010AF1.BMP")),
              QStringLiteral("Q:\\quelby\\images\\t2\\2T010AF1.BMP"));
    EXPECT_EQ(CartoonPath(QChar(u'F'), QString()), QStringLiteral("F:\\quelby\\images\\t1\\"));
}

TEST(Catalogue, CoverPathFollowsTheDisplayDepth) {
    EXPECT_EQ(CoverPath(QChar(u'E'), 8), QStringLiteral("E:\\quelby\\images\\col\\splash.bmp"));
    EXPECT_EQ(CoverPath(QChar(u'D'), 4), QStringLiteral("D:\\quelby\\images\\col\\splash.bmp"));
    EXPECT_EQ(CoverPath(QChar(u'D'), 16), QStringLiteral("D:\\quelby\\images\\col\\splash24.bmp"));
    EXPECT_EQ(CoverPath(QChar(u'Z'), 32), QStringLiteral("Z:\\quelby\\images\\col\\splash24.bmp"));
    EXPECT_EQ(CoverFileName(24), "splash24.bmp");
}

} // namespace
