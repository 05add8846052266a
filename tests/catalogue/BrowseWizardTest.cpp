#include "BookmarkStore.h"
#include "CBitmapButton.h"
#include "CBrowseWizard.h"
#include "DialogScript.h"
#include "FavouriteStore.h"
#include "ResourceBitmap.h"
#include "TempEnvironment.h"
#include "ViewerIds.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

struct BannerCase {
    const char* name;
    bool lowColour;
    const char* windowText;
    const char* bitmap;
};

class BrowseWizard : public ::testing::TestWithParam<BannerCase> {
protected:
    TempEnvironment env;
    FavouriteStore favourites;
    BookmarkStore bookmarks;
};

TEST_P(BrowseWizard, BannerFollowsTheDisplayAndDoesNothingWhenClicked) {
    const BannerCase& c = GetParam();
    ASSERT_EQ(favourites.Add(QStringLiteral("1T005HI1.BMP")), FavouriteStore::AddResult::added);
    ASSERT_EQ(bookmarks.Save(QStringLiteral("Monday"), BookmarkStore::kMissing),
              BookmarkStore::SaveResult::saved);
    CBrowseWizard wizard(favourites, bookmarks, 1, c.lowColour);
    QString text;
    QImage shown;
    bool openAfterBannerClick = false;
    bool favouriteOffered = false, bookmarkOffered = false;
    const DialogScript script([&](CDialog& d) {
        auto* banner = d.Item<CBitmapButton>(CBrowseWizard::kBannerId);
        text = banner->WindowText();
        shown = banner->NormalImage();
        QTest::mouseClick(banner, Qt::LeftButton);
        openAfterBannerClick = d.isVisible();
        favouriteOffered = d.GetDlgItem(CBrowseWizard::kFavoriteId)->isEnabled();
        bookmarkOffered = d.GetDlgItem(CBrowseWizard::kBookmarkId)->isEnabled();
        Press(d, CBrowseWizard::kCategoryId);
    });
    EXPECT_EQ(wizard.DoModal(), IDOK);
    EXPECT_EQ(wizard.m_nChoice, CBrowseWizard::kChoiceCategory);
    EXPECT_EQ(text, QString::fromLatin1(c.windowText));
    EXPECT_EQ(shown.size(), QSize(512, 171));
    EXPECT_EQ(shown, LoadResourceBitmap(ids::kBitmapFolder + QLatin1Char('/') +
                                        QString::fromLatin1(c.bitmap)));
    EXPECT_TRUE(openAfterBannerClick);
    EXPECT_TRUE(favouriteOffered);
    EXPECT_TRUE(bookmarkOffered);
}

INSTANTIATE_TEST_SUITE_P(Displays, BrowseWizard,
                         ::testing::Values(BannerCase{"TrueColour", false, "banner", "BANNERU.bmp"},
                                           BannerCase{"LowColour", true, "bbanner",
                                                      "BBANNERU.bmp"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
