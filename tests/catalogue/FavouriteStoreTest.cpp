#include "FavouriteStore.h"

#include "StoreInspection.h"
#include "TempEnvironment.h"

#include <gtest/gtest.h>

namespace {
using AddResult = FavouriteStore::AddResult;
using Values = QMap<QString, QString>;

class FavouriteStoreTest : public ::testing::Test {
protected:
    void AddAll(const QStringList& names) {
        for (const QString& name : names)
            ASSERT_EQ(store.Add(name), AddResult::added) << name.toStdString();
    }
    Values Stored() const { return profile.Values("fav"); }

    TempEnvironment env;
    Profile profile = Profile::App();
    FavouriteStore store{profile};
};

TEST_F(FavouriteStoreTest, AnEmptyProfileHoldsNoFavourites) {
    EXPECT_EQ(store.Total(), 0);
    EXPECT_TRUE(store.Names().isEmpty());
    EXPECT_EQ(store.Remove("1T005HI1.BMP"), std::nullopt);
    EXPECT_TRUE(ProfileBytes(profile).isEmpty());
}

TEST_F(FavouriteStoreTest, AddAppendsTheNameAndCountsIt) {
    AddAll({"1T005HI1.BMP", "1T208HI1.BMP"});
    EXPECT_EQ(Stored(), Values({{"total", "2"}, {"1", "1T005HI1.BMP"}, {"2", "1T208HI1.BMP"}}));
    EXPECT_EQ(store.Total(), 2);
    EXPECT_EQ(store.Names(), QStringList({"1T005HI1.BMP", "1T208HI1.BMP"}));
}

TEST_F(FavouriteStoreTest, ASavedNameIsNotAddedAgain) {
    AddAll({"1T005HI1.BMP", "1T208HI1.BMP"});
    const QByteArray before = ProfileBytes(profile);
    EXPECT_EQ(store.Add("1T208HI1.BMP"), AddResult::alreadySaved);
    EXPECT_EQ(ProfileBytes(profile), before);
    // Names differ by case.
    EXPECT_EQ(store.Add("1t208hi1.bmp"), AddResult::added);
    EXPECT_EQ(store.Total(), 3);
}

TEST_F(FavouriteStoreTest, RemoveMovesTheLaterEntriesDownAndFillsPastTheEnd) {
    AddAll({"A", "B", "C"});
    EXPECT_EQ(store.Remove("B"), 2);
    EXPECT_EQ(Stored(),
              Values({{"total", "2"}, {"1", "A"}, {"2", "C"}, {"3", "empty"}, {"4", "empty"}}));
    EXPECT_EQ(store.Names(), QStringList({"A", "C"}));
}

TEST_F(FavouriteStoreTest, AnAddAfterARemovalTakesTheFillersPlace) {
    AddAll({"A", "B", "C"});
    ASSERT_EQ(store.Remove("B"), 2);
    EXPECT_EQ(store.Add("D"), AddResult::added);
    EXPECT_EQ(Stored(),
              Values({{"total", "3"}, {"1", "A"}, {"2", "C"}, {"3", "D"}, {"4", "empty"}}));
    EXPECT_EQ(store.Remove("A"), 2);
    EXPECT_EQ(store.Names(), QStringList({"C", "D"}));
    EXPECT_TRUE(InvariantBreaches(profile).isEmpty());
}

TEST_F(FavouriteStoreTest, RemovingTheFirstAndTheLast) {
    AddAll({"A", "B", "C"});
    EXPECT_EQ(store.Remove("A"), 2);
    EXPECT_EQ(store.Remove("C"), 1);
    EXPECT_EQ(store.Names(), QStringList({"B"}));
    EXPECT_EQ(store.Remove("B"), 0);
    EXPECT_EQ(store.Total(), 0);
    EXPECT_TRUE(store.Names().isEmpty());
    EXPECT_EQ(store.Add("A"), AddResult::added);
    EXPECT_EQ(store.Names(), QStringList({"A"}));
}

TEST_F(FavouriteStoreTest, AnEntryPastTheTotalIsNotInTheList) {
    PutProfileText(profile, "[fav]\ntotal=2\n1=A\n2=B\n3=C\n");
    const QByteArray before = ProfileBytes(profile);
    EXPECT_EQ(store.Remove("C"), std::nullopt);
    EXPECT_EQ(ProfileBytes(profile), before);
    EXPECT_EQ(store.Add("C"), AddResult::added);
    EXPECT_EQ(store.Names(), QStringList({"A", "B", "C"}));
}

TEST_F(FavouriteStoreTest, NamesReadsNoFurtherThanTheLimit) {
    AddAll({"A", "B", "C", "D", "E"});
    EXPECT_EQ(store.Names(3), QStringList({"A", "B", "C"}));
    EXPECT_TRUE(store.Names(0).isEmpty());
    EXPECT_TRUE(store.Names(-1).isEmpty());
    EXPECT_EQ(store.Names(9).size(), 5);
}

TEST_F(FavouriteStoreTest, AMissingEntryInsideTheListReadsError) {
    PutProfileText(profile, "[fav]\ntotal=3\n1=A\n3=C\n");
    EXPECT_EQ(store.Names(), QStringList({"A", "error", "C"}));
}
} // namespace
