#include "BookmarkStore.h"
#include "FavouriteStore.h"
#include "StoreInspection.h"
#include "TempEnvironment.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

namespace {
// Two programs stepping through the stores at the same time: each step holds
// the profile's lock, so neither loses the other's entries nor breaks a list.
class TwoProgramStoreTest : public ::testing::Test {
protected:
    void RunTogether(const QString& kind, int count) {
        QProcess first;
        QProcess second;
        first.start(STORE_WRITER, {kind, "a", QString::number(count)});
        second.start(STORE_WRITER, {kind, "b", QString::number(count)});
        ASSERT_TRUE(first.waitForFinished(240000));
        ASSERT_TRUE(second.waitForFinished(240000));
        ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
        ASSERT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    }
    static QSet<QString> Expected(int count) {
        QSet<QString> names;
        for (int i = 1; i <= count; ++i)
            names << QString("a%1").arg(i) << QString("b%1").arg(i);
        return names;
    }

    TempEnvironment env;
    Profile profile = Profile::App();
};

TEST_F(TwoProgramStoreTest, FavouritesAddedAtOnceAreAllKept) {
    constexpr int kCount = 50;
    RunTogether("fav", kCount);
    const QStringList names = FavouriteStore(profile).Names();
    EXPECT_EQ(FavouriteStore(profile).Total(), 2 * kCount);
    EXPECT_EQ(QSet<QString>(names.cbegin(), names.cend()), Expected(kCount));
    EXPECT_EQ(InvariantBreaches(profile), QStringList());
}

TEST_F(TwoProgramStoreTest, BookmarksSavedAtOnceAreAllKept) {
    constexpr int kCount = 30;
    RunTogether("bookmark", kCount);
    const BookmarkStore store(profile);
    const QStringList names = store.Names();
    EXPECT_EQ(store.Total(), 2 * kCount);
    EXPECT_EQ(QSet<QString>(names.cbegin(), names.cend()), Expected(kCount));
    for (const QString& name : names)
        EXPECT_EQ(store.Load(name).imageCounter, name.mid(1).toInt()) << name.toStdString();
    EXPECT_EQ(InvariantBreaches(profile), QStringList());
}
} // namespace
