#include "CyclePosition.h"

#include "Catalogue.h"
#include "Categories.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

Selection Stored(int mode, int counter, int max = 743, const char* code = "AF", int treasury = 1) {
    Selection s;
    s.mode = static_cast<ViewMode>(mode);
    s.currentTreasury = treasury;
    s.treasury1 = 1;
    s.imageCounter = counter;
    s.imageMax = max;
    s.category = 34;
    s.categoryShort = QString::fromLatin1(code);
    return s;
}

QString Name(int position) {
    return CatalogueNameString(position);
}

struct StepCase {
    const char* name;
    Selection stored;
    QStringList favourites;
    // The names of the first turns, and where the last of them leaves the position.
    QStringList names;
    int position;
};

class CycleSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(CycleSteps, EachTurnTakesTheNextNameOfTheList) {
    const StepCase& c = GetParam();
    CyclePosition cycle(c.stored, c.favourites);
    QStringList names;
    for (qsizetype i = 0; i < c.names.size(); ++i)
        names << cycle.Next();
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(cycle.Position(), c.position);
    EXPECT_GE(cycle.Position(), 1);
    EXPECT_LE(cycle.Position(), cycle.LastPosition());
}

const QStringList kThree{"1T010AF1.BMP", "1T045AN1.BMP", "1T208HI1.BMP"};

INSTANTIATE_TEST_SUITE_P(
    Turns, CycleSteps,
    ::testing::Values(
        StepCase{"FirstTurnShowsPositionOne", Stored(1, 0), {}, {"1T005HI1.BMP"}, 1},
        StepCase{"WrapsAfterTheLast", Stored(1, 742), {}, {Name(743), Name(1), Name(2)}, 2},
        StepCase{"ShortLapWraps", Stored(1, 2, 3), {}, {Name(3), Name(1)}, 1},
        // Position 3 holds "1T008CR1.BMP": the walk goes on to the next animal.
        StepCase{"CategoryWalksToTheNextName", Stored(2, 2, 743, "AN"), {}, {"1T012AN1.BMP"}, 19},
        StepCase{"CategoryContinuesAfterTheOneShown",
                 Stored(2, 19, 743, "AN"),
                 {},
                 {"1T016AN1.BMP"},
                 35},
        StepCase{
            "CategoryWrapsToTheFirstOfTheLap", Stored(2, 719, 743, "AR"), {}, {"1T025AR1.BMP"}, 69},
        StepCase{"EmptyCodeTakesEveryName", Stored(2, 0, 743, ""), {}, {Name(1), Name(2)}, 2},
        StepCase{"CodeNoNameHoldsShowsNothing", Stored(2, 5, 743, "ZZ"), {}, {"", ""}, 7},
        StepCase{"OtherTreasuryInCategoryShowsNothing", Stored(2, 0, 743, "AN", 2), {}, {""}, 1},
        StepCase{"OtherTreasuryShowsNothing", Stored(1, 0, 743, "AF", 4), {}, {"", ""}, 2},
        StepCase{"FavouritesFromTheFirst", Stored(5, 0), kThree, kThree, 3},
        StepCase{"FavouritesPositionPastTheCountComesBack", Stored(5, 7), kThree, {kThree[0]}, 1},
        StepCase{"FavouritesIgnoreTheStoredLastPosition",
                 Stored(5, 1, 700),
                 kThree,
                 {kThree[1], kThree[2], kThree[0]},
                 1},
        StepCase{"NoFavouritesShowAllCartoons", Stored(5, 9), {}, {Name(1), Name(2)}, 2},
        StepCase{"UnknownModeShowsNothing", Stored(7, 0), {}, {"", ""}, 2},
        StepCase{"PositionPastTheCatalogue", Stored(1, 900, 1000), {}, {Name(1)}, 1},
        StepCase{"NegativePosition", Stored(1, -40), {}, {Name(1)}, 1},
        StepCase{"NegativeFavouritesPosition", Stored(5, -3), kThree, {kThree[0]}, 1},
        StepCase{"LastPositionBelowOne", Stored(1, 0, -5), {}, {Name(1), Name(1)}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CyclePosition, ALapOfACategoryShowsEachOfItsCartoonsOnce) {
    for (const Category& category : CategoryTable()) {
        const QString code = QString::fromLatin1(category.code);
        CyclePosition cycle(Stored(2, 0, 743, category.code.data()), {});
        QStringList lap;
        for (int turn = 0; turn < category.count; ++turn)
            lap << cycle.Next();
        EXPECT_EQ(lap.filter(code).size(), category.count) << category.code;
        EXPECT_EQ(QSet<QString>(lap.begin(), lap.end()).size(), category.count) << category.code;
        // The next lap starts with the first again.
        EXPECT_EQ(cycle.Next(), lap.constFirst()) << category.code;
    }
}

} // namespace
