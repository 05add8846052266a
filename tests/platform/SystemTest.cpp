#include "Clock.h"
#include "MessageBox.h"
#include "MessageBoxReporter.h"
#include "QtPrinters.h"
#include "TempEnvironment.h"
#include "WaitCursor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct Asked {
    QString text;
    QString caption;
    unsigned type = 0;
};

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxHook([this](const QString& text, const QString& caption, unsigned type) {
            asked.push_back({text, caption, type});
            return answer;
        });
    }
    std::vector<Asked> asked;
    int answer = IDOK;
};

TEST_F(MessageBoxTest, AppBoxesCarryTheApplicationTitle) {
    answer = IDNO;
    EXPECT_EQ(AfxMessageBox("Change Windows Wallpaper to Current Image?", MB_YESNO), IDNO);
    EXPECT_EQ(
        AfxMessageBox("The Quelby CD was not Found\n\nProgram Aborting!", MB_OK | MB_ICONSTOP),
        IDNO);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].caption, QString("Quelby"));
    EXPECT_EQ(asked[0].type, unsigned{MB_YESNO});
    EXPECT_EQ(asked[1].type, unsigned{MB_ICONSTOP});
    EXPECT_EQ(asked[1].text, QString("The Quelby CD was not Found\n\nProgram Aborting!"));
}

TEST_F(MessageBoxTest, PlainBoxHasNoCaption) {
    PlainMessageBox("Unable to get handle");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].caption.isEmpty());
    EXPECT_EQ(asked[0].type, unsigned{MB_OK});
}

TEST_F(MessageBoxTest, ReporterShowsEachMessageInItsBox) {
    MessageBoxReporter reporter;
    reporter.AppMessage("ERROR");
    reporter.PlainMessage("Unable to get handle");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, QString("ERROR"));
    EXPECT_EQ(asked[0].caption, QString("Quelby"));
    EXPECT_EQ(asked[0].type, unsigned{MB_OK});
    EXPECT_EQ(asked[1].text, QString("Unable to get handle"));
    EXPECT_TRUE(asked[1].caption.isEmpty());
    EXPECT_EQ(asked[1].type, unsigned{MB_OK});
}

// Presses a button of the next message box once it is up, and notes what it showed.
struct BoxSeen {
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

void PressWhenShown(QMessageBox::StandardButton button, BoxSeen& seen) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->windowTitle(), box->icon(), static_cast<int>(box->buttons().size())};
        timer->deleteLater();
        box->button(button)->click();
    });
    timer->start(10);
}

TEST(MessageBoxShown, AnswersWithThePressedButton) {
    SetMessageBoxHook(nullptr); // the real boxes, without the test program's guard
    BoxSeen seen;
    PressWhenShown(QMessageBox::No, seen);
    EXPECT_EQ(AfxMessageBox("Change Windows Wallpaper to Current Image?", MB_YESNO), IDNO);
    EXPECT_EQ(seen.caption, QString("Quelby"));
    EXPECT_EQ(seen.buttons, 2);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

    PressWhenShown(QMessageBox::Ok, seen);
    EXPECT_EQ(
        AfxMessageBox("The Quelby CD was not Found\n\nProgram Aborting!", MB_OK | MB_ICONSTOP),
        IDOK);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);

    PressWhenShown(QMessageBox::Ok, seen);
    EXPECT_EQ(AfxMessageBox("Failed to open document.", MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    PressWhenShown(QMessageBox::Yes, seen);
    EXPECT_EQ(PlainMessageBox("Unable to get handle", MB_YESNO), IDYES);
    EXPECT_TRUE(seen.caption.isEmpty());
}

class MemInfoTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& text) {
        const QString path = env.Scratch() + "/meminfo";
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return path;
    }
    TempEnvironment env;
};

TEST_F(MemInfoTest, AvailableMemoryInBytes) {
    EXPECT_EQ(AvailablePhysicalMemory(
                  Write("MemTotal: 8000 kB\nMemFree: 100 kB\nMemAvailable:  2000 kB\n")),
              2000u * 1024u);
    EXPECT_EQ(AvailablePhysicalMemory(Write("MemTotal: 8000 kB\nMemFree: 100 kB\n")), 100u * 1024u);
    EXPECT_EQ(AvailablePhysicalMemory(env.Scratch() + "/none"), 0u);
    EXPECT_GT(AvailablePhysicalMemory(), 0u);
}

TEST(TickCount, CountsMilliseconds) {
    const std::uint32_t start = GetTickCount();
    QThread::msleep(60);
    const std::uint32_t elapsed = GetTickCount() - start; // wraps like the system's
    EXPECT_GE(elapsed, 55u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(WaitCursor, ShowsTheWaitCursorWhileItLives) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        CWaitCursor outer;
        {
            CWaitCursor inner;
            ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
} // namespace
