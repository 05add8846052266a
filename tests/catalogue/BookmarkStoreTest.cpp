#include "BookmarkStore.h"

#include "StoreInspection.h"
#include "TempEnvironment.h"

#include <gtest/gtest.h>

namespace {
Selection Sample(int seed) {
    Selection bookmark = BookmarkStore::kMissing;
    bookmark.mode = seed % 2 ? ViewMode::category : ViewMode::favourites;
    bookmark.currentTreasury = seed;
    bookmark.imageCounter = 100 + seed;
    bookmark.treasury1 = 200 + seed;
    bookmark.imageMax = 300 + seed;
    bookmark.category = 21 + seed;
    bookmark.categoryShort = QString("C%1").arg(seed);
    return bookmark;
}

class BookmarkStoreTest : public ::testing::Test {
protected:
    void SaveAll(const QStringList& names) {
        for (int i = 0; i < names.size(); ++i)
            ASSERT_EQ(store.Save(names[i], Sample(i)), BookmarkStore::SaveResult::saved)
                << names[i].toStdString();
    }

    TempEnvironment env;
    Profile profile = Profile::App();
    BookmarkStore store{profile};
};

TEST_F(BookmarkStoreTest, SaveListsTheNameOnceAndWritesItsValues) {
    ASSERT_EQ(store.Save("Zed", Sample(1)), BookmarkStore::SaveResult::saved);
    EXPECT_EQ(store.Names(), QStringList({"Zed"}));
    EXPECT_EQ(store.Total(), 1);
    QStringList keys = profile.Entries("Zed");
    keys.sort();
    EXPECT_EQ(keys, BookmarkKeys());
    EXPECT_EQ(profile.GetInt("Zed", "all", 0), 7);
    EXPECT_EQ(profile.GetInt("Zed", "mode", 0), 2);
    EXPECT_TRUE(store.Exists("Zed"));

    ASSERT_EQ(store.Save("Zed", Sample(2)), BookmarkStore::SaveResult::saved);
    EXPECT_EQ(store.Names(), QStringList({"Zed"}));
    EXPECT_EQ(store.Load("Zed"), Sample(2));
}

TEST_F(BookmarkStoreTest, LoadGivesTheValuesAsStored) {
    Selection odd = BookmarkStore::kMissing;
    odd.mode = static_cast<ViewMode>(42);
    odd.currentTreasury = -3;
    odd.imageCounter = 2147483647;
    odd.treasury1 = 0;
    odd.imageMax = 9999;
    odd.category = 77;
    odd.categoryShort = "";
    ASSERT_EQ(store.Save("odd", odd), BookmarkStore::SaveResult::saved);
    EXPECT_EQ(store.Load("odd"), odd);
}

TEST_F(BookmarkStoreTest, MissingValuesLoadAsTheStartingView) {
    const Selection none = store.Load("never saved");
    EXPECT_EQ(none.mode, ViewMode::all);
    EXPECT_EQ(none.currentTreasury, 1);
    EXPECT_EQ(none.imageCounter, 0);
    EXPECT_EQ(none.treasury1, 1);
    EXPECT_EQ(none.imageMax, 743);
    EXPECT_EQ(none.category, 20);
    EXPECT_EQ(none.categoryShort, QString("AL"));

    PutProfileText(profile, "[part]\nmode=5\nimageMax=lots\ncategoryShort=\n");
    Selection part = none;
    part.mode = ViewMode::favourites;
    part.categoryShort = "";
    EXPECT_EQ(store.Load("part"), part);
}

TEST_F(BookmarkStoreTest, DeleteMovesTheLastEntryIntoTheHole) {
    SaveAll({"Zed", "apple", "Monday"});
    EXPECT_EQ(store.Delete("Zed").Remaining(), 2);
    EXPECT_EQ(store.Names(), QStringList({"Monday", "apple"}));
    EXPECT_EQ(profile.Values("bookmark"),
              (QMap<QString, QString>{{"total", "2"}, {"1", "Monday"}, {"2", "apple"}}));
    EXPECT_TRUE(profile.Entries("Zed").isEmpty());
    EXPECT_FALSE(store.Exists("Zed"));
    EXPECT_EQ(store.Load("Monday"), Sample(2));
    EXPECT_TRUE(InvariantBreaches(profile).isEmpty());
}

TEST_F(BookmarkStoreTest, DeletingTheLastEntryMovesNothing) {
    SaveAll({"Zed", "apple", "Monday"});
    EXPECT_EQ(store.Delete("Monday").Remaining(), 2);
    EXPECT_EQ(store.Names(), QStringList({"Zed", "apple"}));
    EXPECT_EQ(store.Delete("Zed").Remaining(), 1);
    EXPECT_EQ(store.Delete("apple").Remaining(), 0);
    EXPECT_TRUE(store.Names().isEmpty());
    EXPECT_EQ(profile.Values("bookmark"), (QMap<QString, QString>{{"total", "0"}}));
    EXPECT_TRUE(InvariantBreaches(profile).isEmpty());
}

TEST_F(BookmarkStoreTest, DeletingAnUnlistedNameChangesNothing) {
    SaveAll({"Zed"});
    ASSERT_TRUE(profile.WriteInt("ghost", "mode", 1)); // a section the list does not hold
    const QByteArray before = ProfileBytes(profile);
    EXPECT_EQ(store.Delete("ghost").Remaining(), std::nullopt);
    EXPECT_EQ(store.Delete("zed").Remaining(), std::nullopt);
    EXPECT_EQ(store.Delete("").Remaining(), std::nullopt);
    EXPECT_EQ(ProfileBytes(profile), before);
}

TEST_F(BookmarkStoreTest, ExistsReadsTheMode) {
    EXPECT_FALSE(store.Exists("Zed"));
    SaveAll({"Zed"});
    EXPECT_TRUE(store.Exists("Zed"));
    EXPECT_FALSE(store.Exists("zed"));
    EXPECT_FALSE(store.Exists(""));
    ASSERT_TRUE(profile.WriteInt("Zed", "mode", 10));
    EXPECT_FALSE(store.Exists("Zed"));
}

TEST_F(BookmarkStoreTest, AnEmptyNameIsNotSaved) {
    EXPECT_EQ(store.Save("", Sample(1)), BookmarkStore::SaveResult::refused);
    EXPECT_TRUE(ProfileBytes(profile).isEmpty());
    EXPECT_EQ(store.Load(""), store.Load("never saved"));
}

TEST_F(BookmarkStoreTest, TheProgramsOwnSectionsAreNeverABookmarks) {
    ASSERT_TRUE(profile.WriteInt("fav", "total", 1));
    ASSERT_TRUE(profile.WriteString("fav", QString("1"), QString("1T005HI1.BMP")));
    for (const char* name : {"cdrom", "fav", "bookmark", "Drives", "ScreenSaver"})
        EXPECT_EQ(store.Save(name, Sample(1)), BookmarkStore::SaveResult::refused) << name;
    EXPECT_EQ(store.Total(), 0);
    // A hand that listed one loses the entry on delete, never the section.
    ASSERT_TRUE(profile.WriteInt("bookmark", "total", 1));
    ASSERT_TRUE(profile.WriteString("bookmark", QString("1"), QString("fav")));
    EXPECT_EQ(store.Delete("fav").Remaining(), 0);
    EXPECT_EQ(profile.GetString("fav", "1"), QString("1T005HI1.BMP"));
}

TEST_F(BookmarkStoreTest, ValuesWithCommasReadBackAsWritten) {
    Selection bookmark = Sample(3);
    bookmark.categoryShort = "A,N";
    ASSERT_EQ(store.Save("one, two", bookmark), BookmarkStore::SaveResult::saved);
    EXPECT_EQ(store.Names(), QStringList({"one, two"}));
    EXPECT_EQ(store.Load("one, two"), bookmark);
    // Commas a person typed without quotes read back too.
    PutProfileText(profile, ProfileBytes(profile) + "[typed]\ncategoryShort=x,y\n");
    EXPECT_EQ(store.Load("typed").categoryShort, QString("x,y"));
}

struct AwkwardName {
    const char* label;
    QString name;
};

void PrintTo(const AwkwardName& awkward, std::ostream* out) {
    *out << awkward.label;
}

class AwkwardNameTest : public BookmarkStoreTest,
                        public ::testing::WithParamInterface<AwkwardName> {};

TEST_P(AwkwardNameTest, SurvivesEveryStepAndLeavesOthersAlone) {
    const QString name = GetParam().name;
    ASSERT_EQ(store.Save("a", Sample(1)), BookmarkStore::SaveResult::saved);
    ASSERT_EQ(store.Save(name, Sample(2)), BookmarkStore::SaveResult::saved);
    EXPECT_EQ(store.Names(), QStringList({"a", name}));
    EXPECT_EQ(store.Load(name), Sample(2));
    EXPECT_EQ(store.Load("a"), Sample(1));
    EXPECT_TRUE(store.Exists(name));
    EXPECT_TRUE(InvariantBreaches(profile).isEmpty())
        << InvariantBreaches(profile).join("\n").toStdString();

    EXPECT_EQ(store.Delete(name).Remaining(), 1);
    EXPECT_EQ(store.Names(), QStringList({"a"}));
    EXPECT_FALSE(store.Exists(name));
    EXPECT_EQ(store.Load("a"), Sample(1));
    EXPECT_TRUE(InvariantBreaches(profile).isEmpty())
        << InvariantBreaches(profile).join("\n").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Bookmarks, AwkwardNameTest,
    ::testing::Values(AwkwardName{"Slashes", "a/b/"}, AwkwardName{"Backslashes", "\\a\\b"},
                      AwkwardName{"Equals", "k=v"}, AwkwardName{"Semicolon", ";c; d"},
                      AwkwardName{"Brackets", "[x]"}, AwkwardName{"ClosingFirst", "]x["},
                      AwkwardName{"Hash", "#hash"}, AwkwardName{"DoubleQuotes", "\"q\""},
                      AwkwardName{"SingleQuote", "it's"}, AwkwardName{"Commas", "a,b,"},
                      AwkwardName{"Blanks", "  both ends  "}, AwkwardName{"Tab", "a\tb"},
                      AwkwardName{"Percent", "100%2F"}, AwkwardName{"At", "@Invalid()"},
                      AwkwardName{"Accents", QString::fromUtf8("Ünïcödé")},
                      AwkwardName{"Wide", QString::fromUtf8("日本 😀")},
                      AwkwardName{"General", "General"}, AwkwardName{"ListLike", "bookmark/total"},
                      AwkwardName{"Long", QString(200, QChar(u'é'))},
                      AwkwardName{"Mixed", QString::fromUtf8(" [a/b]\\=;#\",ü ")}),
    [](const ::testing::TestParamInfo<AwkwardName>& info) { return info.param.label; });
} // namespace
