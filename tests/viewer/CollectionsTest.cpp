#include "BookmarkStore.h"
#include "CBookmarkListDlg.h"
#include "CBookmarkNameDlg.h"
#include "CBrowseWizard.h"
#include "CCategoryDlg.h"
#include "CMainFrame.h"
#include "CommandRouter.h"
#include "ContextMenu.h"
#include "CquelbyApp.h"
#include "CquelbyView.h"
#include "FavouriteStore.h"
#include "Profile.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewerIds.h"
#include "ViewerTestSupport.h"
#include "Viewing.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {
using namespace ids;
using W = CBrowseWizard;

// What a person does in each dialog.
DialogSequence::Step InWizard(int button) {
    return {W::kTemplateId, [button](CDialog& d) { Press(d, button); }};
}
DialogSequence::Step InCategories(int button) {
    return {CCategoryDlg::kTemplateId, [button](CDialog& d) {
                QTest::mouseClick(d.GetDlgItem(button), Qt::LeftButton, {}, QPoint(6, 5));
                Press(d, IDOK);
            }};
}
DialogSequence::Step NameBookmark(const QString& name) {
    return {CBookmarkNameDlg::kTemplateId, [name](CDialog& d) {
                QTest::keyClicks(d.Item<QLineEdit>(CBookmarkNameDlg::kNameId), name);
                QTest::keyClick(&d, Qt::Key_Return);
            }};
}
DialogSequence::Step PickBookmark(const QString& name) {
    return {CBookmarkListDlg::kTemplateId, [name](CDialog& d) {
                auto* list = d.Item<QListWidget>(CBookmarkListDlg::kListId);
                list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
                Press(d, IDOK);
            }};
}
DialogSequence::Step Cancel(int templateId) {
    return {templateId, [](CDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
}

class Collections : public ::testing::Test {
protected:
    Collections() : disc(env.Scratch() + QStringLiteral("/disc")) {
        disc.AddCartoons(SomeCartoonNames());
        disc.AddCartoon(CatalogueNameString(741));
        disc.Insert('D');
        app.InitInstance({});
    }
    bool Run(int id) { return app.Frame()->Router().Execute(id); }
    void Forward(int steps = 1) {
        for (int i = 0; i < steps; ++i)
            Run(ID_FORWARD);
    }
    const ViewState& S() { return app.Model().State(); }
    QString Shown() { return S().m_strCurrentName; }
    static QString Name(int position) { return CatalogueNameString(position); }

    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
    TestDisc disc;
    MessageRecorder messages;
    CquelbyApp app;
    FavouriteStore favourites;
    BookmarkStore bookmarks;
};

TEST_F(Collections, WizardShowsAllCartoonsOrACategory) {
    Forward(3);
    bool favouriteOffered = true, bookmarkOffered = true;
    {
        DialogSequence dialogs({{W::kTemplateId, [&](CDialog& d) {
                                     favouriteOffered = d.GetDlgItem(W::kFavoriteId)->isEnabled();
                                     bookmarkOffered = d.GetDlgItem(W::kBookmarkId)->isEnabled();
                                     Press(d, W::kAllCartoonsId);
                                 }}});
        Run(ID_BROWSE);
    }
    EXPECT_FALSE(favouriteOffered);
    EXPECT_FALSE(bookmarkOffered);
    EXPECT_EQ(S().m_selection.mode, ViewMode::all);
    EXPECT_EQ(S().m_selection.imageMax, 743);
    EXPECT_EQ(Shown(), Name(1));
    {
        DialogSequence dialogs({InWizard(W::kCategoryId), InCategories(1020)});
        Run(ID_BROWSE);
    }
    EXPECT_EQ(S().m_selection.mode, ViewMode::category);
    EXPECT_EQ(S().m_selection.categoryShort, QStringLiteral("WO"));
    EXPECT_EQ(S().m_selection.imageCounter, 5);
    EXPECT_EQ(Shown(), QStringLiteral("1T008WO1.BMP"));
    Run(ID_BACK); // wraps to the last Work cartoon
    EXPECT_EQ(Shown(), QStringLiteral("1T206WO1.BMP"));
    EXPECT_EQ(S().m_selection.imageCounter, 741);
}

TEST_F(Collections, BackAndCancelLeaveTheListAsItWas) {
    Forward(3);
    {
        DialogSequence dialogs(
            {InWizard(W::kCategoryId), Cancel(CCategoryDlg::kTemplateId), Cancel(W::kTemplateId)});
        EXPECT_FALSE(app.Model().Browse());
    }
    EXPECT_EQ(S().m_selection.mode, ViewMode::all);
    EXPECT_EQ(S().m_selection.imageCounter, 3);
    EXPECT_EQ(Shown(), Name(3));
}

TEST_F(Collections, FavouritesAreAddedPagedAndRemovedToTheLast) {
    EXPECT_FALSE(app.Frame()->Router().State(ID_ADD_FAVORITE).enabled); // the cover
    for (int position : {1, 3, 4}) {
        Forward(position - S().m_selection.imageCounter);
        Run(ID_ADD_FAVORITE);
    }
    Run(ID_ADD_FAVORITE);
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Already saved as a favorite")});
    EXPECT_EQ(favourites.Names(), (QStringList{Name(1), Name(3), Name(4)}));
    {
        DialogSequence dialogs({InWizard(W::kFavoriteId)});
        Run(ID_BROWSE);
    }
    EXPECT_EQ(Shown(), Name(1));
    Forward();
    Run(ID_REMOVE_FAVORITE); // the one that followed takes its place
    EXPECT_EQ(S().m_selection.imageCounter, 2);
    EXPECT_EQ(Shown(), Name(4));
    Run(ID_REMOVE_FAVORITE); // the last: the step wraps to the first
    EXPECT_EQ(S().m_selection.imageCounter, 1);
    EXPECT_EQ(Shown(), Name(1));
    bool favouriteOffered = true;
    {
        DialogSequence dialogs({{W::kTemplateId, [&](CDialog& d) {
                                     favouriteOffered = d.GetDlgItem(W::kFavoriteId)->isEnabled();
                                     QTest::keyClick(&d, Qt::Key_Escape);
                                 }}});
        Run(ID_REMOVE_FAVORITE); // the only one
    }
    EXPECT_EQ(messages.Texts().last(), QStringLiteral("No Cartoons Left In Favorite Category"));
    EXPECT_FALSE(favouriteOffered);
    EXPECT_TRUE(S().IsCoverShown());
    EXPECT_EQ(S().m_selection.mode, ViewMode::all);
    Forward();
    EXPECT_EQ(Shown(), Name(2));
}

// A profile that cannot be written: each command says so once, naming the
// file, and nothing that was stored is lost or changed.
TEST_F(Collections, SettingsThatCannotBeWrittenAreSaidOnceByEachCommand) {
    Forward();
    Run(ID_ADD_FAVORITE);
    Forward();
    const QString path = Profile::App().FilePath();
    const auto bytes = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    UnwritableFile unwritable(path);
    if (!unwritable.Held())
        GTEST_SKIP() << "the profile file cannot be made unwritable here";
    Run(ID_ADD_FAVORITE);
    {
        DialogSequence dialogs({NameBookmark(QStringLiteral("Monday"))});
        Run(ID_SAVE_BOOKMARK);
    }
    EXPECT_EQ(S().m_bMoved, 1); // the bookmark is offered again at exit
    {
        DialogSequence dialogs({InWizard(W::kFavoriteId)});
        Run(ID_BROWSE);
    }
    Run(ID_REMOVE_FAVORITE);
    EXPECT_EQ(Shown(), Name(1)); // still shown, still a favourite
    const QString said = QStringLiteral("The settings could not be saved in %1: ")
                             .arg(QDir::toNativeSeparators(path));
    ASSERT_EQ(messages.Texts().size(), 3);
    for (const QString& text : messages.Texts())
        EXPECT_TRUE(text.startsWith(said)) << text.toStdString();
    EXPECT_EQ(bytes(), before);
}

TEST_F(Collections, ABookmarkReopensItsListAndIsOfferedAtExit) {
    {
        DialogSequence dialogs(
            {InWizard(W::kCategoryId), InCategories(1020), NameBookmark(QStringLiteral("Monday"))});
        Run(ID_BROWSE);
        Run(ID_SAVE_BOOKMARK);
    }
    EXPECT_EQ(S().m_bMoved, 0);
    EXPECT_EQ(bookmarks.Load(QStringLiteral("Monday")).imageCounter, 5);
    {
        DialogSequence dialogs({InWizard(W::kAllCartoonsId), InWizard(W::kBookmarkId),
                                PickBookmark(QStringLiteral("Monday"))});
        Run(ID_BROWSE);
        Run(ID_BROWSE);
    }
    EXPECT_EQ(S().m_selection.mode, ViewMode::category);
    EXPECT_EQ(Shown(), QStringLiteral("1T008WO1.BMP"));
    Forward(); // on within the category
    EXPECT_EQ(Shown(), QStringLiteral("1T008WO2.BMP"));
    int offered = 0;
    {
        DialogSequence dialogs({{CBookmarkNameDlg::kTemplateId, [&](CDialog& d) {
                                     ++offered;
                                     QTest::keyClick(&d, Qt::Key_Escape);
                                 }}});
        app.Frame()->close();
    }
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(bookmarks.Total(), 1);
}

TEST_F(Collections, ACancelledListOfBookmarksBringsTheWizardBack) {
    ASSERT_EQ(bookmarks.Save(QStringLiteral("Zed"), BookmarkStore::kMissing),
              BookmarkStore::SaveResult::saved);
    Forward(2);
    DialogSequence dialogs(
        {InWizard(W::kBookmarkId), Cancel(CBookmarkListDlg::kTemplateId), Cancel(W::kTemplateId)});
    Run(ID_BROWSE);
    EXPECT_EQ(S().m_selection.mode, ViewMode::all);
    EXPECT_EQ(Shown(), Name(2));
}

// A bookmark edited by hand opens where it can; values that name no list
// open the whole catalogue at its first cartoon.
struct EditedCase {
    const char* name;
    int mode;
    const char* position;
    int last;
    int treasury;
    const char* code;
    int favourites;
    ViewMode expectedMode;
    int expectedPosition;
};

class HandEditedBookmark : public Collections, public ::testing::WithParamInterface<EditedCase> {};

TEST_P(HandEditedBookmark, OpensWhereItCan) {
    const EditedCase& c = GetParam();
    for (int i = 1; i <= c.favourites; ++i)
        ASSERT_EQ(favourites.Add(Name(i)), FavouriteStore::AddResult::added);
    const Selection edited{static_cast<ViewMode>(c.mode), c.treasury, 1, 7, 0, c.last, 39,
                           QString::fromLatin1(c.code)};
    ASSERT_EQ(bookmarks.Save(QStringLiteral("edited"), edited), BookmarkStore::SaveResult::saved);
    Profile::App().WriteString(QStringLiteral("edited"), QStringLiteral("imageCounter"),
                               QString::fromLatin1(c.position));
    DialogSequence dialogs({PickBookmark(QStringLiteral("edited"))});
    Run(ID_LOAD_BOOKMARK);
    EXPECT_EQ(S().m_selection.mode, c.expectedMode);
    EXPECT_EQ(S().m_selection.imageCounter, c.expectedPosition);
    EXPECT_EQ(S().m_selection.currentTreasury, 1);
    EXPECT_FALSE(Shown().isEmpty());
    EXPECT_TRUE(messages.Texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Edited, HandEditedBookmark,
    ::testing::Values(EditedCase{"Saved", 2, "5", 743, 1, "WO", 0, ViewMode::category, 5},
                      EditedCase{"ModeThree", 3, "7", 743, 1, "AL", 0, ViewMode::all, 1},
                      EditedCase{"SecondTreasury", 1, "3", 743, 2, "AL", 0, ViewMode::all, 3},
                      EditedCase{"CodeNoNameHolds", 2, "5", 743, 1, "ZZ", 0, ViewMode::all, 1},
                      EditedCase{"NegativePosition", 1, "-5", 743, 1, "AL", 0, ViewMode::all, 1},
                      EditedCase{"PositionPastTheEnd", 1, "900", 900, 1, "AL", 0, ViewMode::all, 1},
                      EditedCase{"TextForANumber", 1, "three", 743, 1, "AL", 0, ViewMode::all, 1},
                      EditedCase{"FavouritesGone", 5, "3", 3, 1, "AL", 0, ViewMode::all, 1},
                      EditedCase{"PastTheLastFavourite", 5, "9", 9, 1, "AL", 2,
                                 ViewMode::favourites, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Collections, ContextMenuHoldsItsItemsGreyedByTheSameRules) {
    QStringList items;
    QStringList greyed;
    const auto look = [&](QMenu& menu) -> QAction* {
        items.clear();
        greyed.clear();
        for (QAction* action : menu.actions()) {
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (!action->isSeparator() && !action->isEnabled())
                greyed << action->text();
        }
        return nullptr;
    };
    ContextMenu::SetHook(look);
    QTest::mouseClick(app.View(), Qt::RightButton);
    EXPECT_EQ(items, (QStringList{"Add To Favorite ", "-", "Browse Wizard...", "-", "Copy",
                                  "Print...", "Save As...", "-", "Load Bookmark...",
                                  "Save Bookmark...", "-", "Slide Show...", "Wallpaper", "-"}));
    // The cover; commands this build has not got are greyed too.
    EXPECT_TRUE(greyed.contains(QStringLiteral("Add To Favorite ")));
    EXPECT_TRUE(greyed.contains(QStringLiteral("Save Bookmark...")));
    EXPECT_TRUE(greyed.contains(QStringLiteral("Load Bookmark...")));
    EXPECT_FALSE(greyed.contains(QStringLiteral("Browse Wizard...")));
    Forward();
    ContextMenu::SetHook([&](QMenu& menu) {
        look(menu);
        return menu.actions().at(2); // Browse Wizard...
    });
    {
        DialogSequence dialogs({Cancel(W::kTemplateId)});
        QTest::mouseClick(app.View(), Qt::RightButton);
    }
    EXPECT_FALSE(greyed.contains(QStringLiteral("Add To Favorite ")));
    EXPECT_FALSE(greyed.contains(QStringLiteral("Save Bookmark...")));
}

TEST_F(Collections, MoreFavouritesThanTheListHoldsAreReadUpToIt) {
    Profile profile = Profile::App();
    profile.WriteInt(QStringLiteral("fav"), QStringLiteral("total"), 760);
    for (int i = 1; i <= 760; ++i)
        profile.WriteString(QStringLiteral("fav"), QString::number(i), Name(1 + (i - 1) % 10));
    DialogSequence dialogs({InWizard(W::kFavoriteId)});
    Run(ID_BROWSE);
    EXPECT_EQ(S().m_nFavTotal, kFavouriteListSize);
    EXPECT_EQ(S().m_selection.imageMax, kFavouriteListSize);
    EXPECT_EQ(S().m_favourites.size(), ViewState::kFavouritesCapacity);
    Run(ID_BACK);
    EXPECT_EQ(S().m_selection.imageCounter, kFavouriteListSize);
}

} // namespace
