#include "BitmapBuilder.h"
#include "CFullScreenWnd.h"
#include "Catalogue.h"
#include "SaverTestSupport.h"

#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

class SaverWindow : public ::testing::Test, public SaverFixture {
protected:
    ~SaverWindow() override { delete window.data(); }

    CFullScreenWnd& Open() {
        window = new CFullScreenWnd(messages);
        EXPECT_TRUE(window->Create());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.data()));
        return *window;
    }
    // Lets the window handle what was asked of it; true when it has gone.
    bool Gone(int waitMs = 50) {
        for (int i = 0; i < 10 && window; ++i)
            QTest::qWait(waitMs / 10 + 1);
        return window.isNull();
    }
    bool WaitForTurns(int turns) {
        return QTest::qWaitFor([&] { return window && window->TurnsDrawn() >= turns; }, 10000);
    }
    void Move(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(window.data(), &move);
    }

    QPointer<CFullScreenWnd> window;
};

TEST_F(SaverWindow, CoversTheScreenFramelessOnTopWithoutACursor) {
    CFullScreenWnd& w = Open();
    EXPECT_EQ(w.geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(w.cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quelby"));
}

TEST_F(SaverWindow, WithoutAScreenThereIsNoWindow) {
    CFullScreenWnd::ForceNoScreen(true);
    CFullScreenWnd w(messages);
    EXPECT_FALSE(w.Create());
    EXPECT_FALSE(w.isVisible());
}

struct WaitCase {
    const char* name;
    int delay; // stored "delay"
    bool diagnostic;
    int wait;
};

class TurnWaits : public ::testing::TestWithParam<WaitCase>, public SaverFixture {};

TEST_P(TurnWaits, AreTheViewTimeLessAQuarterSecond) {
    const WaitCase& c = GetParam();
    Store(kDelay, c.delay);
    if (c.diagnostic)
        SwitchDiagnosticsOn();
    CCartoonWnd window(messages);
    EXPECT_EQ(window.TurnWait(), c.wait);
}

INSTANTIATE_TEST_SUITE_P(Delays, TurnWaits,
                         ::testing::Values(WaitCase{"OneSecond", 1, false, 750},
                                           WaitCase{"Default", 3, false, 2750},
                                           WaitCase{"Longest", 99, false, 98750},
                                           WaitCase{"ZeroReadsAsOne", 0, false, 750},
                                           WaitCase{"TooLongReadsAsLongest", 500, false, 98750},
                                           WaitCase{"Diagnostic", 40, true, 25}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaverWindow, NothingIsDrawnBeforeTheFirstWaitEnds) {
    Store(kDelay, 1);
    CFullScreenWnd& w = Open();
    QTest::qWait(400);
    EXPECT_EQ(w.TurnsDrawn(), 0);
    EXPECT_TRUE(w.Frame().isNull());
    ASSERT_TRUE(WaitForTurns(1));
    EXPECT_EQ(w.Cycle().CurrentName(), QStringLiteral("1T005HI1.BMP"));
    // The test disc's 40 x 30 picture in the middle of the screen.
    const QPoint middle = w.rect().center();
    EXPECT_EQ(Drawn(w.Frame()), QRect(middle - QPoint(19, 14), QSize(40, 30)));
    EXPECT_EQ(w.grab().toImage().pixel(middle), ColourOf(QStringLiteral("1T005HI1.BMP")));
}

TEST_F(SaverWindow, TurnsFollowEachOtherAfterTheWait) {
    SwitchDiagnosticsOn();
    CFullScreenWnd& w = Open();
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(WaitForTurns(6));
    // Six waits of 25 ms at least; the event loop waits, it does not spin.
    EXPECT_GE(timer.elapsed(), 5 * 25);
    EXPECT_EQ(w.Cycle().Position().Position(), w.TurnsDrawn());
}

TEST_F(SaverWindow, AKeyDuringTheWaitClosesItBeforeTheNextPicture) {
    Store(kDelay, 1);
    Store(kImageCounter, 0);
    CFullScreenWnd& w = Open();
    ASSERT_TRUE(WaitForTurns(1));
    QSignalSpy turns(&w, &CCartoonWnd::TurnDrawn);
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::qWait(1000);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(turns.count(), 0);
    // Closing destroyed the window, which stored the position it showed.
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("1"));
}

enum class Input {
    none,
    stay, // a move to where the pointer stood when the window was shown
    onePixelAway,
    left,
    middle,
    right,
    key,
    altF4,
    keyRelease,
    deactivate,
    systemClose
};

struct CloseCase {
    const char* name;
    std::vector<Input> inputs;
    bool closes;
};

class CloseRules : public SaverWindow, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseRules, InputEndsTheSaverButAMoveToWhereThePointerStoodDoesNot) {
    QCursor::setPos(300, 200);
    CFullScreenWnd& w = Open();
    for (const Input input : GetParam().inputs) {
        switch (input) {
        case Input::none:
            break;
        case Input::stay:
            Move(w.mapFromGlobal(QCursor::pos()));
            break;
        case Input::onePixelAway:
            Move(w.mapFromGlobal(QCursor::pos()) + QPoint(0, 1));
            break;
        case Input::left:
            QTest::mouseClick(&w, Qt::LeftButton);
            break;
        case Input::middle:
            QTest::mouseClick(&w, Qt::MiddleButton);
            break;
        case Input::right:
            QTest::mouseClick(&w, Qt::RightButton);
            break;
        case Input::key:
            QTest::keyPress(&w, Qt::Key_A);
            break;
        case Input::altF4:
            QTest::keyPress(&w, Qt::Key_F4, Qt::AltModifier);
            break;
        case Input::keyRelease:
            QTest::keyRelease(&w, Qt::Key_Return);
            break;
        case Input::deactivate: {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&w, &deactivate);
            break;
        }
        case Input::systemClose: {
            // As the window system asks: through the window, not the widget.
            QCloseEvent close;
            QCoreApplication::sendEvent(w.windowHandle(), &close);
            break;
        }
        }
    }
    EXPECT_EQ(Gone(), GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CloseRules,
    ::testing::Values(CloseCase{"Nothing", {Input::none}, false},
                      CloseCase{"MovesToWhereThePointerStood", {Input::stay, Input::stay}, false},
                      CloseCase{"MoveOnePixelAway", {Input::stay, Input::onePixelAway}, true},
                      CloseCase{"FirstMoveOnePixelAway", {Input::onePixelAway}, true},
                      CloseCase{"LeftButton", {Input::left}, true},
                      CloseCase{"MiddleButton", {Input::middle}, true},
                      CloseCase{"RightButton", {Input::right}, true},
                      CloseCase{"Key", {Input::key}, true},
                      CloseCase{"AltF4", {Input::altF4}, true},
                      CloseCase{"ReleaseOfAHeldKey", {Input::keyRelease}, true},
                      CloseCase{"Deactivation", {Input::deactivate}, true},
                      CloseCase{"SystemCloseIsIgnored", {Input::systemClose}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A message shown during a turn runs the event loop, as a message box would,
// while a request to close waits: the window goes only after the turn.
TEST_F(SaverWindow, ARequestToCloseDuringATurnWaitsForTheTurnToEnd) {
    struct Modal : MessageReporter {
        QPointer<CFullScreenWnd>* window = nullptr;
        QStringList texts;
        void AppMessage(const QString& text) override {
            texts << text;
            (*window)->PostClose();
            QTest::qWait(50);
            EXPECT_FALSE(window->isNull());
        }
        void PlainMessage(const QString& text) override { AppMessage(text); }
    } modal;
    modal.window = &window;
    SwitchDiagnosticsOn();
    disc.AddCartoon(QStringLiteral("1T005HI1.BMP"), BmpFile(40, -30, 9)); // stored top-down
    window = new CFullScreenWnd(modal);
    ASSERT_TRUE(window->Create());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));
    EXPECT_EQ(modal.texts, QStringList{QStringLiteral("ERROR")});
}

TEST_F(SaverWindow, ManyCloseRequestsEndItOnceAndSaveOnce) {
    CFullScreenWnd& w = Open();
    int destroyed = 0;
    QObject::connect(&w, &QObject::destroyed, [&] { ++destroyed; });
    for (int i = 0; i < 5; ++i)
        w.PostClose();
    w.close();
    EXPECT_TRUE(w.IsClosing());
    EXPECT_TRUE(Gone(200));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(Stored(kImageCounter), QStringLiteral("0"));
}

} // namespace
