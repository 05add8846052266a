#include "BookmarkStore.h"
#include "FavouriteStore.h"
#include "StoreInspection.h"
#include "TempEnvironment.h"

#include <QMap>
#include <gtest/gtest.h>
#include <random>

namespace {
using AddResult = FavouriteStore::AddResult;

// The lists as the stores promise to keep them: favourites in the order
// added, closing up on a removal; bookmarks in the order saved, the last
// taking a deleted one's place.
struct Model {
    QStringList favourites;
    QStringList bookmarks;
    QMap<QString, Selection> values;
};

const QStringList kFavouritePool = {"1T005HI1.BMP", "1T006HI1.BMP", "2T101AN2.BMP",
                                    "1t005hi1.bmp", "3T300SP1.BMP", "empty"};
const QStringList kBookmarkPool = {"Zed",       "zed", "a/b", "x=y; z", QString::fromUtf8("Ünï"),
                                   "  blank  ", "[b]"};

class StoreSequenceTest : public ::testing::TestWithParam<unsigned> {
protected:
    void AddFavourite(const QString& name) {
        const bool listed = model.favourites.contains(name);
        EXPECT_EQ(favourites.Add(name), listed ? AddResult::alreadySaved : AddResult::added);
        if (!listed)
            model.favourites.append(name);
    }
    void RemoveFavourite(const QString& name) {
        const bool listed = model.favourites.removeOne(name);
        EXPECT_EQ(favourites.Remove(name).Remaining(),
                  listed ? std::optional<int>(model.favourites.size()) : std::nullopt);
    }
    void SaveBookmark(const QString& name, int step) {
        Selection bookmark = BookmarkStore::kMissing;
        bookmark.imageCounter = step;
        bookmark.categoryShort = QString::number(step);
        EXPECT_EQ(bookmarks.Save(name, bookmark), BookmarkStore::SaveResult::saved);
        if (!model.bookmarks.contains(name))
            model.bookmarks.append(name);
        model.values[name] = bookmark;
    }
    void DeleteBookmark(const QString& name) {
        const qsizetype at = model.bookmarks.indexOf(name);
        std::optional<int> expected;
        if (at >= 0) {
            model.bookmarks[at] = model.bookmarks.last();
            model.bookmarks.removeLast();
            model.values.remove(name);
            expected = static_cast<int>(model.bookmarks.size());
        }
        EXPECT_EQ(bookmarks.Delete(name).Remaining(), expected);
        EXPECT_FALSE(bookmarks.Exists(name));
    }

    TempEnvironment env;
    Profile profile = Profile::App();
    FavouriteStore favourites{profile};
    BookmarkStore bookmarks{profile};
    Model model;
};

TEST_P(StoreSequenceTest, EveryStepKeepsTheListsWhole) {
    std::mt19937 random(GetParam());
    auto pick = [&](const QStringList& pool) {
        return pool[std::uniform_int_distribution<qsizetype>(0, pool.size() - 1)(random)];
    };
    for (int step = 0; step < 60; ++step) {
        switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0:
            AddFavourite(pick(kFavouritePool));
            break;
        case 1:
            RemoveFavourite(pick(kFavouritePool));
            break;
        case 2:
            SaveBookmark(pick(kBookmarkPool), step);
            break;
        default:
            DeleteBookmark(pick(kBookmarkPool));
            break;
        }
        ASSERT_EQ(favourites.Names(), model.favourites) << "step " << step;
        ASSERT_EQ(bookmarks.Names(), model.bookmarks) << "step " << step;
        const QStringList breaches = InvariantBreaches(profile);
        ASSERT_TRUE(breaches.isEmpty())
            << "step " << step << ": " << breaches.join("; ").toStdString();
    }
    for (const QString& name : model.bookmarks)
        EXPECT_EQ(bookmarks.Load(name), model.values[name]) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Seeds, StoreSequenceTest, ::testing::Values(1u, 2u, 3u, 4u),
                         [](const ::testing::TestParamInfo<unsigned>& info) {
                             return "Seed" + std::to_string(info.param);
                         });
} // namespace
