#include "DialogScript.h"
#include "Drives.h"
#include "Profile.h"
#include "TestSeam.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test program runs with an offscreen QApplication and with config and
// data folders of its own, so nothing needs a display or touches the user's
// settings or desktop.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    // The user's desktop, session bus and system bus stay out of reach: tests
    // bring their own.
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS",
            "unix:path=" + (home.path() + "/no-system-bus").toLocal8Bit());
    qunsetenv("XDG_CURRENT_DESKTOP");
    QApplication app(argc, argv);
    // As the programs' mains name them: the profile and the message boxes' caption.
    Profile::NameApplication();
    ::testing::InitGoogleTest(&argc, argv);
    InstallUnexpectedUiGuards();
    // No test sees the machine's drives unless it installs a table or a
    // discovery of its own.
    DriveTable::SetCurrent(DriveTable());
    // Every switch a test turns is back as it is now when the test ends.
    struct RestoreSwitches : ::testing::EmptyTestEventListener {
        std::function<void()> restore = testseam::SaveAll();
        void OnTestEnd(const ::testing::TestInfo&) override { restore(); }
    };
    ::testing::UnitTest::GetInstance()->listeners().Append(new RestoreSwitches);
    return RUN_ALL_TESTS();
}
