#include "CFullScreenWnd.h"
#include "CScreenSaverApp.h"
#include "SaverTestSupport.h"

#include <QTest>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

class SaverProgram : public ::testing::Test, public SaverFixture {};

TEST_F(SaverProgram, AWindowThatCannotBeOpenedEndsWithAMessageAndAFailure) {
    CFullScreenWnd::ForceNoScreen(true);
    CScreenSaverApp app;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(app.InitInstance({QStringLiteral("/s")}));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(app.ExitInstance(), 0);
    EXPECT_NE(said.find("cannot open the saver window"), std::string::npos) << said;
    EXPECT_EQ(app.SaverWindow(), nullptr);
}

class Termination : public SaverProgram, public ::testing::WithParamInterface<int> {};

// How xscreensaver, a session manager or the terminal ends the saver: it
// closes its window as input does, and the exit save runs.
TEST_P(Termination, ClosesTheWindowAfterTheExitSave) {
    Store(kDelay, 1);
    CScreenSaverApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("s")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow()->TurnsDrawn() >= 2; }, 10000));
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("(none)"));
    ASSERT_EQ(std::raise(GetParam()), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.SaverWindow() == nullptr; }, 5000));
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("2"));
    EXPECT_EQ(Stored(kMode), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(Signals, Termination, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

} // namespace
