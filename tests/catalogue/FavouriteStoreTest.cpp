#include "FavouriteStore.h"

#include "StoreInspection.h"
#include "TempEnvironment.h"

#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

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

// How often a new profile file took the old one's place while the step ran.
int Replacements(const Profile& profile, const std::function<void()>& step) {
    const QFileInfo file(profile.FilePath());
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(watch, QFile::encodeName(file.absolutePath()).constData(), IN_MOVED_TO);
    step();
    int count = 0;
    alignas(inotify_event) char buffer[64 * 1024];
    for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            count += event->len > 0 && file.fileName() == QString::fromLocal8Bit(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    return count;
}

// Each step reaches the file as one replacement, whatever the list's
// length: a program ended in the middle leaves the old list or the new.
TEST_F(FavouriteStoreTest, EachStepReplacesTheFileOnce) {
    QByteArray text = "[fav]\ntotal=743\n";
    for (int i = 1; i <= 743; ++i)
        text += QByteArray::number(i) + "=N" + QByteArray::number(i) + "\n";
    PutProfileText(profile, text);
    EXPECT_EQ(Replacements(profile, [&] { EXPECT_EQ(store.Remove("N1").Remaining(), 742); }), 1);
    EXPECT_EQ(Replacements(profile, [&] { EXPECT_EQ(store.Add("N1"), AddResult::added); }), 1);
    EXPECT_EQ(store.Names(kFavouriteListSize).first(), QStringLiteral("N2"));
    EXPECT_EQ(store.Names(kFavouriteListSize).last(), QStringLiteral("N1"));
}

TEST_F(FavouriteStoreTest, AnEmptyProfileHoldsNoFavourites) {
    EXPECT_EQ(store.Total(), 0);
    EXPECT_TRUE(store.Names().isEmpty());
    EXPECT_EQ(store.Remove("1T005HI1.BMP").Remaining(), std::nullopt);
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
    EXPECT_EQ(store.Remove("B").Remaining(), 2);
    EXPECT_EQ(Stored(),
              Values({{"total", "2"}, {"1", "A"}, {"2", "C"}, {"3", "empty"}, {"4", "empty"}}));
    EXPECT_EQ(store.Names(), QStringList({"A", "C"}));
}

TEST_F(FavouriteStoreTest, AnAddAfterARemovalTakesTheFillersPlace) {
    AddAll({"A", "B", "C"});
    ASSERT_EQ(store.Remove("B").Remaining(), 2);
    EXPECT_EQ(store.Add("D"), AddResult::added);
    EXPECT_EQ(Stored(),
              Values({{"total", "3"}, {"1", "A"}, {"2", "C"}, {"3", "D"}, {"4", "empty"}}));
    EXPECT_EQ(store.Remove("A").Remaining(), 2);
    EXPECT_EQ(store.Names(), QStringList({"C", "D"}));
    EXPECT_TRUE(InvariantBreaches(profile).isEmpty());
}

TEST_F(FavouriteStoreTest, RemovingTheFirstAndTheLast) {
    AddAll({"A", "B", "C"});
    EXPECT_EQ(store.Remove("A").Remaining(), 2);
    EXPECT_EQ(store.Remove("C").Remaining(), 1);
    EXPECT_EQ(store.Names(), QStringList({"B"}));
    EXPECT_EQ(store.Remove("B").Remaining(), 0);
    EXPECT_EQ(store.Total(), 0);
    EXPECT_TRUE(store.Names().isEmpty());
    EXPECT_EQ(store.Add("A"), AddResult::added);
    EXPECT_EQ(store.Names(), QStringList({"A"}));
}

// A name a hand left past the total is not in the list, but no add
// overwrites it or saves it twice: a new name goes after it.
TEST_F(FavouriteStoreTest, ANamePastTheTotalIsNotInTheListAndNeverOverwritten) {
    PutProfileText(profile, "[fav]\ntotal=2\n1=A\n2=B\n3=C\n");
    const QByteArray before = ProfileBytes(profile);
    EXPECT_EQ(store.Remove("C").Remaining(), std::nullopt);
    EXPECT_EQ(store.Add("C"), AddResult::alreadySaved);
    EXPECT_EQ(ProfileBytes(profile), before);
    EXPECT_EQ(store.Add("D"), AddResult::added);
    EXPECT_EQ(store.Names(), QStringList({"A", "B", "C", "D"}));
}

TEST_F(FavouriteStoreTest, NamesReadsNoFurtherThanTheLimit) {
    AddAll({"A", "B", "C", "D", "E"});
    EXPECT_EQ(store.Names(3), QStringList({"A", "B", "C"}));
    EXPECT_TRUE(store.Names(0).isEmpty());
    EXPECT_TRUE(store.Names(-1).isEmpty());
    EXPECT_EQ(store.Names(9).size(), 5);
}

TEST_F(FavouriteStoreTest, AMissingEntryInsideTheListReadsErrorAndCanBeRemoved) {
    PutProfileText(profile, "[fav]\ntotal=3\n1=A\n3=C\n");
    EXPECT_EQ(store.Names(), QStringList({"A", "error", "C"}));
    EXPECT_EQ(store.Remove("error").Remaining(), 2);
    EXPECT_EQ(store.Names(), QStringList({"A", "C"}));
    EXPECT_EQ(store.Remove("error").Remaining(), std::nullopt);
}
} // namespace
