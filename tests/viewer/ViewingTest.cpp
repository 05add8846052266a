#include "Viewing.h"

#include "Catalogue.h"
#include "CquelbyDoc.h"
#include "FavouriteStore.h"
#include "PrivateProfile.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewerTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kInsert = QStringLiteral("Please Insert The Quelby CD");
const QString kNotFound = QStringLiteral("The Quelby CD was not Found\n\nProgram Aborting!");
const QString kUnableToOpen = QStringLiteral("Unable to open file, check CDROM drive");
const QString kUnableToLoad = QStringLiteral("Unable to load file, check CDROM drive");

// Where a list stands, as a bookmark holds it.
Selection At(ViewMode mode, int position, int last = 743, const char* code = "HI") {
    return Selection{mode, 1, 1, 7, position, last, 21, QString::fromLatin1(code)};
}

class Navigation : public ::testing::Test {
protected:
    Navigation() : disc(env.Scratch() + QStringLiteral("/disc")), nav(doc) {
        disc.AddCartoons(SomeCartoonNames());
        disc.Insert('D');
        QObject::connect(&nav, &Viewing::PaletteChanged, [this] { ++realized; });
        QObject::connect(&nav, &Viewing::PictureChanged, [this] { ++repaints; });
        nav.CheckCdAtStart();
        nav.SetLowColour(false);
    }

    // The blue byte of the first pixel: the seed the test disc drew the picture with.
    int ShownSeed() {
        if (!doc.HasPicture())
            return -1;
        GlobalLockGuard lock(doc.Picture().Dib());
        const DibBytes dib = LockedDib(lock);
        return dib[ReadDibHeader(dib).bitsOffset];
    }
    void ExpectShowing(int position) {
        const QString name = CatalogueNameString(position);
        EXPECT_EQ(nav.State().m_selection.imageCounter, position);
        EXPECT_EQ(nav.State().m_strCurrentName, name);
        EXPECT_EQ(nav.State().m_strCaptionName, name);
        EXPECT_EQ(ShownSeed(), TestDisc::SeedOf(name)) << name.toStdString();
    }
    void ShowCover() {
        nav.StepForward();
        ASSERT_EQ(nav.State().m_strCurrentName, QStringLiteral("Vanto CD Home"));
    }

    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
    TestDisc disc;
    MessageRecorder messages;
    AbortCatcher abortCatcher;
    CquelbyDoc doc;
    Viewing nav;
    int realized = 0;
    int repaints = 0;
};

TEST_F(Navigation, StartShowsTheCoverAndTakesNoPosition) {
    ShowCover();
    EXPECT_EQ(nav.State().m_selection.imageCounter, 0);
    EXPECT_EQ(nav.State().m_bCover, 0);
    EXPECT_EQ(nav.State().m_bMoved, 0);
    EXPECT_EQ(ShownSeed(), 200); // splash24.bmp
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(realized, 0); // not a low-colour display
    nav.StepForward();
    ExpectShowing(1);
    EXPECT_EQ(nav.State().m_strTreasury, QStringLiteral("Treasury: 1"));
    EXPECT_EQ(nav.State().m_strPage, QStringLiteral("Page: 5"));
    EXPECT_EQ(nav.State().m_bMoved, 1);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Navigation, LowColourDisplayShowsTheEightBitCoverAndRealizesThePalette) {
    nav.SetLowColour(true);
    ShowCover();
    EXPECT_EQ(ShownSeed(), 201); // splash.bmp
    EXPECT_NE(doc.Palette(), nullptr);
    EXPECT_EQ(realized, 1);
}

TEST_F(Navigation, BackFromTheFirstWrapsToTheLastAndForwardWrapsBack) {
    ShowCover();
    nav.StepForward();
    nav.StepBack();
    ExpectShowing(743);
    EXPECT_EQ(nav.State().m_strPage, QStringLiteral("Page: 208"));
    nav.StepForward();
    ExpectShowing(1);
    nav.StepForward();
    ExpectShowing(2);
}

TEST_F(Navigation, FavouritesRunRoundTheirOwnList) {
    ShowCover();
    const ViewState& s = nav.State();
    const QStringList favourites{CatalogueNameString(3), CatalogueNameString(743),
                                 CatalogueNameString(1)};
    FavouriteStore store;
    for (const QString& name : favourites)
        ASSERT_EQ(store.Add(name), FavouriteStore::AddResult::added);
    nav.Show(At(ViewMode::favourites, 3, 3));
    std::vector<int> seen{s.m_selection.imageCounter};
    for (int i = 0; i < 3; ++i) {
        nav.StepForward();
        seen.push_back(s.m_selection.imageCounter);
        EXPECT_EQ(s.m_strCurrentName, favourites[s.m_selection.imageCounter - 1]);
        EXPECT_EQ(ShownSeed(), TestDisc::SeedOf(favourites[s.m_selection.imageCounter - 1]));
    }
    for (int i = 0; i < 4; ++i) {
        nav.StepBack();
        seen.push_back(s.m_selection.imageCounter);
    }
    EXPECT_EQ(seen, (std::vector<int>{3, 1, 2, 3, 2, 1, 3, 2}));
}

TEST_F(Navigation, CategoryModeStopsOnMatchingNamesBothWays) {
    ShowCover();
    nav.Show(At(ViewMode::category, 1));
    ExpectShowing(1); // "1T005HI1.BMP"
    const std::optional<int> next = FindInCategory(2, QStringView(u"HI"), WalkDirection::forward);
    ASSERT_TRUE(next.has_value());
    disc.AddCartoon(CatalogueNameString(*next));
    nav.StepForward();
    ExpectShowing(*next);
    nav.StepBack();
    ExpectShowing(1);
    nav.StepBack();
    ExpectShowing(743); // "1T208HI1.BMP"
}

TEST_F(Navigation, OpenFailureWithTheCdPresentReportsAndChangesNothingElse) {
    ShowCover();
    nav.StepForward();
    nav.Show(At(ViewMode::all, 10));
    const ViewState before = nav.State();
    const int repaintsBefore = repaints;
    nav.StepForward(); // position 11 is not on the test disc
    EXPECT_EQ(messages.Texts(), QStringList{kUnableToOpen});
    EXPECT_FALSE(doc.HasPicture());
    EXPECT_EQ(nav.State().m_selection.imageCounter, 11);
    EXPECT_EQ(nav.State().m_strCaptionName, before.m_strCaptionName);
    EXPECT_EQ(nav.State().m_strPage, before.m_strPage);
    EXPECT_EQ(repaints, repaintsBefore);
    nav.StepBack();
    ExpectShowing(10);
}

TEST_F(Navigation, ACdMovedToAnotherDriveIsFollowed) {
    ShowCover();
    nav.StepForward();
    disc.Insert('G');
    nav.StepForward();
    EXPECT_EQ(messages.Texts(), QStringList{kUnableToOpen});
    EXPECT_EQ(nav.Cd().DriveLetter(), QLatin1Char('G'));
    nav.StepForward();
    ExpectShowing(3);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

struct RemovedCase {
    const char* name;
    bool forward;
    bool reinsert;
};

class CdRemoved : public Navigation, public ::testing::WithParamInterface<RemovedCase> {};

TEST_P(CdRemoved, OpenFailureAsksForTheCdAndOpensAgainOrEnds) {
    ShowCover();
    nav.StepForward();
    TestDisc::InsertNothing();
    if (GetParam().reinsert)
        messages.OnText(kInsert, [this] { disc.Insert('E'); });
    const auto step = [this] { GetParam().forward ? nav.StepForward() : nav.StepBack(); };
    if (!GetParam().reinsert) {
        EXPECT_THROW(step(), AbortCalled);
        ASSERT_EQ(messages.Messages().size(), 2u);
        EXPECT_EQ(messages.Messages()[1].text, kNotFound);
        EXPECT_EQ(messages.Messages()[1].type, unsigned(MB_OK));
        EXPECT_TRUE(nav.Aborting());
    } else {
        step();
        EXPECT_EQ(messages.Texts(), QStringList{kInsert});
        ExpectShowing(GetParam().forward ? 2 : 743);
        EXPECT_EQ(nav.Cd().DriveLetter(), QLatin1Char('E'));
    }
    EXPECT_EQ(messages.Messages()[0].text, kInsert);
}

TEST_P(CdRemoved, ReadFailureAsksForTheCdAndReadsAgainOrEnds) {
    ShowCover();
    nav.StepForward();
    const QString target = CatalogueNameString(GetParam().forward ? 2 : 743);
    auto faulty = std::make_shared<FaultyVolume>(disc.MakeVolume(), QStringList{target},
                                                 [] { TestDisc::InsertNothing(); });
    DriveTable::SetCurrent(DriveTable({Drive{'D', DriveType::cdrom, faulty}}));
    if (GetParam().reinsert)
        messages.OnText(kInsert, [this] { disc.Insert('F'); });
    const auto step = [this] { GetParam().forward ? nav.StepForward() : nav.StepBack(); };
    if (!GetParam().reinsert) {
        EXPECT_THROW(step(), AbortCalled);
        EXPECT_EQ(messages.Texts(), (QStringList{kInsert, kNotFound}));
    } else {
        step();
        EXPECT_EQ(messages.Texts(), QStringList{kInsert});
        ExpectShowing(GetParam().forward ? 2 : 743);
        EXPECT_EQ(nav.Cd().DriveLetter(), QLatin1Char('F'));
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, CdRemoved,
                         ::testing::Values(RemovedCase{"ForwardReinserted", true, true},
                                           RemovedCase{"ForwardStillMissing", true, false},
                                           RemovedCase{"BackReinserted", false, true},
                                           RemovedCase{"BackStillMissing", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Navigation, ReadFailureWithTheCdPresentReportsAndShowsNothing) {
    ShowCover();
    nav.StepForward();
    const QString captionBefore = nav.State().m_strCaptionName;
    auto faulty =
        std::make_shared<FaultyVolume>(disc.MakeVolume(), QStringList{CatalogueNameString(2)});
    DriveTable::SetCurrent(DriveTable({Drive{'D', DriveType::cdrom, faulty}}));
    nav.StepForward();
    EXPECT_EQ(messages.Texts(), QStringList{kUnableToLoad});
    EXPECT_FALSE(doc.HasPicture());
    EXPECT_EQ(nav.State().m_strCaptionName, captionBefore);
}

TEST_F(Navigation, AFileThatIsNotABitmapShowsNothingAndSaysSoOnlyInDiagnosticMode) {
    disc.AddCartoon(CatalogueNameString(1), QByteArray("MZ not a bitmap at all"));
    ShowCover();
    nav.StepForward();
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_FALSE(doc.HasPicture());
    EXPECT_EQ(nav.State().m_strCaptionName, CatalogueNameString(1));
    EXPECT_EQ(nav.State().m_bMoved, 1);
    privateprofile::WriteString(QStringLiteral("quelby"), QStringLiteral("test"),
                                QStringLiteral("1"));
    Viewing diagnostic(doc);
    diagnostic.CheckCdAtStart();
    diagnostic.StepForward(); // the cover
    diagnostic.Show(At(ViewMode::all, 1));
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Load Failed")});
}

TEST_F(Navigation, ACoverThatCannotBeOpenedIsTriedAgainOnePositionOn) {
    QFile::remove(disc.Root() + QStringLiteral("/quelby/images/col/splash24.bmp"));
    nav.StepForward();
    EXPECT_EQ(messages.Texts(), QStringList{kUnableToOpen});
    EXPECT_EQ(nav.State().m_bCover, 1);
    EXPECT_EQ(nav.State().m_selection.imageCounter, 1);
    QFile::copy(disc.Root() + QStringLiteral("/quelby/images/col/splash.bmp"),
                disc.Root() + QStringLiteral("/quelby/images/col/splash24.bmp"));
    nav.StepForward();
    EXPECT_EQ(nav.State().m_bCover, 0);
    EXPECT_EQ(nav.State().m_selection.imageCounter, 1);
    nav.StepForward();
    ExpectShowing(2);
}

} // namespace
