#include "CCategoryDlg.h"
#include "ContextMenu.h"
#include "DesktopStandIns.h"
#include "FavouriteStore.h"
#include "SlideShowTestSupport.h"
#include "ViewPrinting.h"

#include <QMenuBar>
#include <time.h>

namespace {

using namespace ids;
using W = CBrowseWizard;

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The view time chosen in the dialog sets the hold; diagnostic mode holds a
// tenth of a second whatever the view time.
struct PeriodCase {
    const char* name;
    const char* viewTime;
    bool diagnostic;
    int periodMs;
};

class SlideShowPeriod : public SlideShowRun, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(SlideShowPeriod, IsTheViewTimeLessAQuarterSecond) {
    const PeriodCase& c = GetParam();
    Start(c.diagnostic);
    RunShow({ChooseShow(QString::fromLatin1(c.viewTime)), InWizard(W::kAllCartoonsId)});
    ASSERT_TRUE(Command().IsRunning());
    EXPECT_EQ(Command().Show().Period(), c.periodMs);
    PressEscape();
    EXPECT_FALSE(Command().IsRunning());
}

INSTANTIATE_TEST_SUITE_P(ViewTimes, SlideShowPeriod,
                         ::testing::Values(PeriodCase{"Five", "5", false, 4750},
                                           PeriodCase{"One", "1", false, 750},
                                           PeriodCase{"DiagnosticNinetyNine", "99", true, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

// The show walks the list the wizard chose, from the cartoon it showed first,
// with the forward step's wrap and category walk.
struct ListCase {
    const char* name;
    int choice;
    const char* first;
    const char* next; // the next three, blank-separated
};

class SlideShowList : public SlideShowRun, public ::testing::WithParamInterface<ListCase> {};

TEST_P(SlideShowList, FollowsTheForwardStep) {
    const ListCase& c = GetParam();
    FavouriteStore favourites;
    favourites.Add(QStringLiteral("1T009HI1.BMP"));
    favourites.Add(QStringLiteral("1T007AN1.BMP"));
    Start();
    std::vector<DialogSequence::Step> dialogs{ChooseShow(QStringLiteral("3")), InWizard(c.choice)};
    if (c.choice == W::kCategoryId)
        dialogs.push_back({CCategoryDlg::kTemplateId, [](CDialog& d) {
                               QTest::mouseClick(d.GetDlgItem(1020), Qt::LeftButton, {},
                                                 QPoint(6, 5)); // Work
                               Press(d, IDOK);
                           }});
    RunShow(std::move(dialogs));
    EXPECT_EQ(S().m_strCurrentName, QString::fromLatin1(c.first));
    ASSERT_TRUE(WaitForSteps(3));
    PressEscape();
    EXPECT_EQ(shown.mid(0, 3).join(QLatin1Char(' ')), QString::fromLatin1(c.next));
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Lists, SlideShowList,
                         ::testing::Values(ListCase{"Category", W::kCategoryId, "1T008WO1.BMP",
                                                    "1T008WO2.BMP 1T009WO1.BMP 1T010WO1.BMP"},
                                           ListCase{"FavouritesWrap", W::kFavoriteId,
                                                    "1T009HI1.BMP",
                                                    "1T007AN1.BMP 1T009HI1.BMP 1T007AN1.BMP"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SlideShowRun, RunsWithTheShowBackButtonUntilEscapeAndPagingGoesOnFromThere) {
    QFile::remove(disc.FilePath(CatalogueNameString(3))); // reported, and the show goes on
    Start();
    RunShow({ChooseShow(QStringLiteral("5")), InWizard(W::kAllCartoonsId)});
    EXPECT_EQ(S().m_bSlideShow, 1);
    EXPECT_EQ(Back().NormalImage(), Bitmap(IDB_SLIDE_SHOW_BACK));
    EXPECT_EQ(Back().geometry(), QRect(1, 373, 37, 26));
    ASSERT_TRUE(WaitForSteps(3));
    PressEscape();
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Unable to open file, check CDROM drive")});
    EXPECT_EQ(shown.value(2), CatalogueNameString(4));
    const int reached = S().m_selection.imageCounter;
    EXPECT_EQ(S().m_bSlideShow, 0);
    EXPECT_EQ(Back().NormalImage(), Bitmap(IDB_BACK_UP));
    EXPECT_EQ(Back().PressedImage(), Bitmap(IDB_BACK_DOWN));
    EXPECT_EQ(Back().size(), QSize(39, 30));
    QTest::qWait(300); // no further step comes
    app.View()->ForwardButton()->click();
    EXPECT_EQ(S().m_selection.imageCounter, reached + 1);
}

TEST_F(SlideShowRun, KeepsTheScreenOnUntilEscape) {
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--inhibit"), QStringLiteral("grant")}));
    Start(false);
    RunShow({ChooseShow(QStringLiteral("9")), InWizard(W::kAllCartoonsId)});
    const QStringList held{
        QStringLiteral("Inhibit window=[] flags=8 reason=[A slide show is running]")};
    EXPECT_TRUE(QTest::qWaitFor([&] { return bus.Record() == held; }, 5000));
    PressEscape();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return bus.Record() == held + QStringList{QStringLiteral("Close")}; }, 5000))
        << bus.Record().join(QLatin1Char('\n')).toStdString();
}

TEST_F(SlideShowRun, OnlyEscapeAndPaintingReachTheWindowWhileTheShowRuns) {
    int printed = 0, menus = 0, paints = 0;
    viewprinting::SetDialogHook([&printed](QDialog&) { ++printed; });
    ContextMenu::SetHook([&menus](QMenu&) -> QAction* {
        ++menus;
        return nullptr;
    });
    Start(false);
    RunShow({ChooseShow(QStringLiteral("9")), InWizard(W::kAllCartoonsId)});
    app.Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.Frame()));
    QTest::mouseClick(app.View()->ForwardButton(), Qt::LeftButton);
    QTest::mouseClick(&Back(), Qt::LeftButton);
    QTest::mouseClick(app.View(), Qt::RightButton, {}, QPoint(300, 200));
    QTest::keyClick(app.View(), Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(app.Frame(), Qt::Key_F, Qt::AltModifier);
    QTest::mouseClick(app.Frame()->menuBar(), Qt::LeftButton, {}, QPoint(10, 5));
    QTest::keyClick(app.View(), Qt::Key_Right);
    QTest::keyClick(app.View(), Qt::Key_Space);
    QTest::keyClick(app.View(), Qt::Key_F10, Qt::ShiftModifier);
    // An uncovered window paints the picture, not white.
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    app.View()->installEventFilter(&counter);
    app.View()->update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints > 0; }, 2000));
    app.View()->removeEventFilter(&counter);
    const int seed = TestDisc::SeedOf(CatalogueNameString(1));
    EXPECT_EQ(app.View()->grab().toImage().pixel(320, 10), qRgb(seed / 2, 255 - seed, seed));
    PressEscape();
    QCoreApplication::processEvents();
    // Nothing was queued to run after the show.
    EXPECT_EQ(S().m_selection.imageCounter, 1);
    EXPECT_EQ(printed + menus, 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::mouseClick(app.View()->ForwardButton(), Qt::LeftButton);
    EXPECT_EQ(S().m_selection.imageCounter, 2);
}

TEST_F(SlideShowRun, AWaitCostsNextToNothingAndEachHoldIsOnePeriod) {
    Start(false);
    RunShow({ChooseShow(QStringLiteral("1")), InWizard(W::kAllCartoonsId)});
    const qint64 shownAt = clock.elapsed();
    const double cpuBefore = ProcessCpuSeconds();
    QTest::qWait(500); // inside the first hold of 750 ms
    const double cpuShare = (ProcessCpuSeconds() - cpuBefore) / 0.5;
    EXPECT_TRUE(dones.empty());
    EXPECT_LT(cpuShare, 0.25) << "a waiting show must not spin";
    ASSERT_TRUE(WaitForSteps(2));
    PressEscape();
    // The first cartoon stays a full period; each step comes one period
    // after the one before it was done.
    EXPECT_GE(starts[0] - shownAt, 749);
    EXPECT_GE(starts[1] - dones[0], 749);
    EXPECT_LT(starts[1] - dones[0], 750 + 500);
}

TEST_F(SlideShowRun, CancellingTheWizardRestoresTheFrameAndTheBackButton) {
    Start();
    const QRect normal = app.Frame()->frameGeometry();
    bool maximisedInWizard = false;
    RunShow({ChooseShow(QStringLiteral("5"), true), {W::kTemplateId, [&](CDialog& d) {
                                                         maximisedInWizard =
                                                             app.Frame()->isMaximized() &&
                                                             app.Frame()->width() > normal.width();
                                                         QTest::keyClick(&d, Qt::Key_Escape);
                                                     }}});
    EXPECT_TRUE(maximisedInWizard);
    EXPECT_FALSE(Command().IsRunning());
    EXPECT_EQ(app.Frame()->frameGeometry(), normal);
    EXPECT_EQ(app.Frame()->minimumSize(), app.Frame()->maximumSize());
    EXPECT_EQ(Back().NormalImage(), Bitmap(IDB_BACK_UP));
    EXPECT_EQ(S().m_bSlideShow, 0);
    EXPECT_EQ(S().m_bFullScreen, 0);
    EXPECT_TRUE(S().IsCoverShown());
}

TEST_F(SlideShowRun, AClosingDesktopEndsAFullScreenShowAndThenTheProgram) {
    Start();
    const QRect normal = app.Frame()->frameGeometry();
    RunShow({ChooseShow(QStringLiteral("5"), true), InWizard(W::kAllCartoonsId)});
    EXPECT_EQ(S().m_bFullScreen, 1);
    EXPECT_TRUE(app.Frame()->isMaximized());
    ASSERT_TRUE(WaitForSteps(1));
    bool runningAtExit = true;
    QRect frameAtExit;
    {
        // The exit bookmark is offered as after any paging.
        DialogSequence exit({{154, [&](CDialog& d) {
                                  runningAtExit = Command().IsRunning();
                                  frameAtExit = app.Frame()->frameGeometry();
                                  QTest::keyClick(&d, Qt::Key_Escape);
                              }}});
        app.Frame()->windowHandle()->close(); // as the window manager asks
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(runningAtExit);
    EXPECT_EQ(frameAtExit, normal);
    EXPECT_EQ(S().m_bFullScreen, 0);
    EXPECT_FALSE(app.Frame()->isVisible());
    const std::size_t steps = dones.size();
    QTest::qWait(300);
    EXPECT_EQ(dones.size(), steps);
}

} // namespace
