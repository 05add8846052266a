#include "Abort.h"

#include "MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
struct Aborted {};

TEST(Abort, WindowsAreGoneBeforeTheHookRuns) {
    auto* frame = new QWidget;
    auto* dialog = new QDialog(frame); // a window owned by another
    auto* loose = new QWidget;
    frame->show();
    dialog->show();
    AfxSetMainWnd(frame);
    QPointer<QWidget> frameSeen(frame), dialogSeen(dialog), looseSeen(loose);
    int windowsAtHook = -1;
    SetAbortHook([&] {
        windowsAtHook = static_cast<int>(QApplication::topLevelWidgets().size());
        throw Aborted{};
    });
    EXPECT_THROW(AfxAbort(), Aborted);
    EXPECT_EQ(windowsAtHook, 0);
    EXPECT_TRUE(frameSeen.isNull());
    EXPECT_TRUE(dialogSeen.isNull());
    EXPECT_TRUE(looseSeen.isNull());
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST(AbortDeathTest, ProcessEndsWithStatusThree) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            new QWidget;
            SetAbortHook([] {}); // a hook that returns still ends the process
            AfxAbort();
        },
        ::testing::ExitedWithCode(3), "");
}

TEST(MainWnd, OuterSizeIsTheFramesOrNone) {
    EXPECT_EQ(MainWindowOuterSize(), std::nullopt);
    QWidget window;
    window.resize(680, 450);
    AfxSetMainWnd(&window);
    EXPECT_EQ(MainWindowOuterSize(), QSize(680, 450));
    AfxSetMainWnd(nullptr);
}

TEST(MainWnd, ForgetsADeletedWindow) {
    auto* window = new QWidget;
    AfxSetMainWnd(window);
    EXPECT_EQ(AfxGetMainWnd(), window);
    delete window;
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}
} // namespace
