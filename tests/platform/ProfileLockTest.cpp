#include "Profile.h"
#include "QtPrinters.h"
#include "TempEnvironment.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {
class ProfileLockTest : public ::testing::Test {
protected:
    // Whether a program of its own could take the step lock now.
    bool OthersCanLock() const {
        QDir().mkpath(QFileInfo(profile.FilePath()).absolutePath());
        const QByteArray path = QFile::encodeName(profile.FilePath() + ".lock-step");
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return locked;
    }

    TempEnvironment env;
    Profile profile = Profile::App();
};

TEST_F(ProfileLockTest, HeldUntilTheLastGuardOfTheThreadEnds) {
    EXPECT_TRUE(OthersCanLock());
    ProfileLock outer = profile.Lock();
    ASSERT_TRUE(outer.Held());
    EXPECT_FALSE(OthersCanLock());
    {
        const ProfileLock inner = profile.Lock(); // nests instead of waiting
        EXPECT_TRUE(inner.Held());
    }
    EXPECT_FALSE(OthersCanLock());
    ProfileLock moved = std::move(outer);
    EXPECT_FALSE(outer.Held());
    EXPECT_TRUE(moved.Held());
    EXPECT_FALSE(OthersCanLock());
    moved.Release();
    EXPECT_FALSE(moved.Held());
    EXPECT_TRUE(OthersCanLock());
}

TEST_F(ProfileLockTest, WritesInsideTheStepGoThrough) {
    const ProfileLock lock = profile.Lock();
    ASSERT_TRUE(profile.WriteInt("fav", "total", 1));
    ASSERT_TRUE(profile.WriteString("fav", QString("1"), QString("1T005HI1.BMP")));
    EXPECT_EQ(profile.GetInt("fav", "total", 0), 1);
    EXPECT_EQ(profile.GetString("fav", "1"), QString("1T005HI1.BMP"));
}

TEST_F(ProfileLockTest, AnotherThreadWaitsForTheStep) {
    ProfileLock lock = profile.Lock();
    std::atomic<bool> entered = false;
    std::thread other([&] {
        const ProfileLock step = profile.Lock();
        entered = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(entered);
    lock.Release();
    other.join();
    EXPECT_TRUE(entered);
}

TEST_F(ProfileLockTest, AnotherProgramsWriteWaitsForTheStep) {
    ProfileLock lock = profile.Lock();
    QProcess writer;
    writer.start(PROFILE_WRITER, {"a", "1"});
    ASSERT_TRUE(writer.waitForStarted(10000));
    EXPECT_FALSE(writer.waitForFinished(1000));
    EXPECT_EQ(profile.GetInt("race", "a1", 0), 0);
    lock.Release();
    ASSERT_TRUE(writer.waitForFinished(60000));
    EXPECT_EQ(writer.exitCode(), 0);
    EXPECT_EQ(profile.GetInt("race", "a1", 0), 1);
}

// A reader of the settings takes a file of the size and time it last read
// as unchanged, so a write must leave a time later than its predecessor's,
// even one ahead of the clock.
TEST_F(ProfileLockTest, AWriteAfterAFutureTimeIsLaterStill) {
    ASSERT_TRUE(profile.WriteString("fav", QString("1"), QString("A")));
    const QDateTime future = QDateTime::currentDateTime().addSecs(3600);
    {
        QFile file(profile.FilePath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(future, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(profile.WriteString("fav", QString("1"), QString("B")));
    EXPECT_GT(QFileInfo(profile.FilePath()).lastModified(), future);
    EXPECT_EQ(Profile::App().GetString("fav", "1"), QString("B"));
}
} // namespace
