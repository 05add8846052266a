#include "BookmarkStore.h"
#include "FavouriteStore.h"
#include "StoreInspection.h"
#include "TempEnvironment.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {
using AddResult = FavouriteStore::AddResult;
constexpr int kMax = 2147483647;

// A profile as a person may have left it, what the stores read from it, and
// what the steps do on it: Remove("A") then Add("NEW.BMP") on the favourites,
// Save("new") then Delete("a") on the bookmarks.
struct HandEdited {
    const char* label;
    const char* text;
    int favTotal;
    QStringList favNames; // Names(4)
    std::optional<int> removed;
    AddResult added;
    int bookmarkTotal;
    QStringList bookmarkNames;
    bool saved;
    std::optional<int> deleted;
};

void PrintTo(const HandEdited& edited, std::ostream* out) {
    *out << edited.label;
}

class HandEditedStoreTest : public ::testing::TestWithParam<HandEdited> {
protected:
    TempEnvironment env;
    Profile profile = Profile::App();
};

TEST_P(HandEditedStoreTest, ReadsAndStepsFinishWithoutHarm) {
    const HandEdited& edited = GetParam();
    PutProfileText(profile, edited.text);
    FavouriteStore favourites(profile);
    BookmarkStore bookmarks(profile);
    QElapsedTimer clock;
    clock.start();

    EXPECT_EQ(favourites.Total(), edited.favTotal);
    EXPECT_EQ(favourites.Names(4), edited.favNames);
    const QMap<QString, QString> before = profile.Values("fav");
    EXPECT_EQ(favourites.Remove("A").Remaining(), edited.removed);
    EXPECT_EQ(favourites.Add("NEW.BMP"), edited.added);
    if (edited.added == AddResult::added) {
        EXPECT_TRUE(favourites.Names(kMax).contains("NEW.BMP"));
    }
    // No stored name was overwritten: each is still there, but the one removed.
    const QStringList after = profile.Values("fav").values();
    for (auto entry = before.cbegin(); entry != before.cend(); ++entry) {
        if (entry.key() != "total" && !(entry.value() == "A" && edited.removed)) {
            EXPECT_TRUE(after.contains(entry.value())) << entry.value().toStdString();
        }
    }

    EXPECT_EQ(bookmarks.Total(), edited.bookmarkTotal);
    EXPECT_EQ(bookmarks.Names(), edited.bookmarkNames);
    Selection bookmark = BookmarkStore::kMissing;
    bookmark.imageCounter = 12;
    EXPECT_EQ(bookmarks.Save("new", bookmark) == BookmarkStore::SaveResult::saved, edited.saved);
    EXPECT_EQ(bookmarks.Exists("new"), edited.saved);
    if (edited.saved) {
        EXPECT_EQ(bookmarks.Load("new"), bookmark);
    }
    EXPECT_EQ(bookmarks.Delete("a").Remaining(), edited.deleted);
    // Each step reads and writes only the entries that are there.
    EXPECT_LT(clock.elapsed(), 20000);
}

const QStringList kNone;

INSTANTIATE_TEST_SUITE_P(
    Profiles, HandEditedStoreTest,
    ::testing::Values(
        HandEdited{"NoFile", "", 0, kNone, std::nullopt, AddResult::added, 0, kNone, true,
                   std::nullopt},
        HandEdited{"NegativeTotals",
                   "[fav]\ntotal=-5\n1=A\n[bookmark]\ntotal=-1\n1=a\n[a]\nmode=1\n", 0, kNone,
                   std::nullopt, AddResult::added, 0, kNone, true, std::nullopt},
        HandEdited{"TextTotals", "[fav]\ntotal=many\n1=A\n[bookmark]\ntotal=2x\n1=a\n", 0, kNone,
                   std::nullopt, AddResult::added, 0, kNone, true, std::nullopt},
        HandEdited{"TotalsPastInt",
                   "[fav]\ntotal=99999999999\n1=A\n[bookmark]\ntotal=99999999999\n1=a\n", 0, kNone,
                   std::nullopt, AddResult::added, 0, kNone, true, std::nullopt},
        HandEdited{"ListTotals", "[fav]\ntotal=1,2\n1=A\n[bookmark]\ntotal=1, 2\n1=a\n", 0, kNone,
                   std::nullopt, AddResult::added, 0, kNone, true, std::nullopt},
        HandEdited{"BlanksAroundTotals",
                   "[fav]\ntotal= 2 \n1=A\n2=B\n[bookmark]\ntotal=\" 1\"\n1=a\n", 2,
                   QStringList({"A", "B"}), 1, AddResult::added, 1, QStringList({"a"}), true, 1},
        HandEdited{"HugeTotals",
                   "[fav]\ntotal=2147483647\n1=A\n2=B\n[bookmark]\ntotal=2147483647\n1=a\n2=b\n",
                   kMax, QStringList({"A", "B", "error", "error"}), kMax - 1, AddResult::full, kMax,
                   QStringList({"a", "b"}), false, kMax - 1},
        HandEdited{"HugeEntryNumbers",
                   "[fav]\ntotal=2147483647\n1=A\n2147483647=Z\n[bookmark]\ntotal=2147483647\n"
                   "2147483647=z\n1=a\n",
                   kMax, QStringList({"A", "error", "error", "error"}), kMax - 1, AddResult::full,
                   kMax, QStringList({"a"}), false, kMax - 1},
        HandEdited{"TotalsPastTheEntries",
                   "[fav]\ntotal=5\n1=A\n2=B\n[bookmark]\ntotal=4\n1=a\n2=b\n", 5,
                   QStringList({"A", "B", "error", "error"}), 4, AddResult::added, 4,
                   QStringList({"a", "b"}), true, 4},
        HandEdited{"MissingEntries", "[fav]\ntotal=3\n1=A\n3=C\n[bookmark]\ntotal=3\n1=a\n3=c\n", 3,
                   QStringList({"A", "error", "C"}), 2, AddResult::added, 3,
                   QStringList({"a", "error", "c"}), true, 3},
        HandEdited{"LeadingZeros", "[fav]\ntotal=2\n01=A\n2=B\n[bookmark]\ntotal=1\n01=a\n", 2,
                   QStringList({"error", "B"}), std::nullopt, AddResult::added, 1, kNone, true,
                   std::nullopt},
        HandEdited{"TotalsOnly", "[fav]\ntotal=3\n[bookmark]\ntotal=3\n", 3,
                   QStringList({"error", "error", "error"}), std::nullopt, AddResult::added, 3,
                   kNone, true, std::nullopt}),
    [](const ::testing::TestParamInfo<HandEdited>& info) { return info.param.label; });
} // namespace
