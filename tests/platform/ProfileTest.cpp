#include "Profile.h"

#include "PrivateProfile.h"
#include "QtPrinters.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
class ProfileTest : public ::testing::Test {
protected:
    QByteArray FileText() const {
        QFile file(profile.FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TempEnvironment env;
    Profile profile = Profile::App();
};

TEST_F(ProfileTest, LivesInTheUsersConfigFolder) {
    EXPECT_EQ(profile.FilePath(), env.ConfigHome() + "/Vanto Corp/Quelby.ini");
}

TEST_F(ProfileTest, MissingValuesGiveTheDefaults) {
    EXPECT_EQ(profile.GetInt("cdrom", "delay", 5), 5);
    EXPECT_EQ(profile.GetString("fav", "1", "error"), QString("error"));
    ASSERT_TRUE(profile.WriteString("cdrom", QString("delay"), QString("soon")));
    EXPECT_EQ(profile.GetInt("cdrom", "delay", 5), 5);
}

TEST_F(ProfileTest, WritesAreOnDiskWhenTheCallReturns) {
    ASSERT_TRUE(profile.WriteInt("cdrom", "saveonexit", 0));
    ASSERT_TRUE(profile.WriteString("fav", QString("1"), QString("1T208HI1.BMP")));
    // Read back with a separate reader of the file, as another program would.
    QSettings other(profile.FilePath(), QSettings::IniFormat);
    EXPECT_EQ(other.value("cdrom/saveonexit").toInt(), 0);
    EXPECT_EQ(other.value("fav/1").toString(), QString("1T208HI1.BMP"));
    EXPECT_TRUE(FileText().contains("saveonexit=0"));
}

TEST_F(ProfileTest, NoValueDeletesTheEntryAndNoEntryTheSection) {
    ASSERT_TRUE(profile.WriteInt("fav", "total", 2));
    ASSERT_TRUE(profile.WriteString("fav", QString("1"), QString("1T005HI1.BMP")));
    ASSERT_TRUE(profile.WriteString("fav", QString("2"), QString("1T006HI1.BMP")));
    ASSERT_TRUE(profile.WriteInt("cdrom", "delay", 9));

    ASSERT_TRUE(profile.WriteString("fav", QString("2"), std::nullopt));
    EXPECT_EQ(profile.GetString("fav", "2", "empty"), QString("empty"));
    EXPECT_EQ(profile.GetString("fav", "1", "empty"), QString("1T005HI1.BMP"));
    EXPECT_EQ(profile.Entries("fav"), QStringList({"1", "total"}));

    ASSERT_TRUE(profile.WriteString("fav", std::nullopt, std::nullopt));
    EXPECT_TRUE(profile.Entries("fav").isEmpty());
    EXPECT_EQ(profile.GetInt("fav", "total", 0), 0);
    EXPECT_EQ(profile.GetInt("cdrom", "delay", 5), 9);
    EXPECT_FALSE(FileText().contains("[fav]"));
}

TEST_F(ProfileTest, PlainSectionNamesStayReadableInTheFile) {
    for (const char* section : {"cdrom", "fav", "bookmark", "ScreenSaver", "Drives"})
        ASSERT_TRUE(profile.WriteInt(section, "total", 1));
    const QByteArray text = FileText();
    for (const char* header : {"[cdrom]", "[fav]", "[bookmark]", "[ScreenSaver]", "[Drives]"})
        EXPECT_TRUE(text.contains(header)) << header << "\n" << text.toStdString();
}

TEST_F(ProfileTest, StringValuesRoundTrip) {
    for (const QString& value : {QString("a,b"), QString("  lead"), QString("x=y;z"),
                                 QString("\"q\""), QString("@at"), QString("Ünï"), QString()}) {
        ASSERT_TRUE(profile.WriteString("bookmark", QString("1"), value));
        EXPECT_EQ(profile.GetString("bookmark", "1", "error"), value);
    }
}

TEST_F(ProfileTest, AFailedWriteIsReported) {
    QDir().mkpath(profile.FilePath()); // a folder where the file should be
    EXPECT_FALSE(profile.WriteInt("cdrom", "delay", 5));
}

// Neither program may wait for ever on a FIFO that stands where a settings
// file should be: it reads as no settings, and writing to it fails.
TEST_F(ProfileTest, AFifoForTheSettingsIsNoSettingsAndTakesNoWrite) {
    for (const QString& path : {profile.FilePath(), privateprofile::FilePath("test.ini")}) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    EXPECT_EQ(profile.GetInt("cdrom", "delay", 5), 5);
    EXPECT_TRUE(profile.Values("fav").isEmpty());
    EXPECT_FALSE(profile.WriteInt("cdrom", "delay", 7));
    EXPECT_EQ(privateprofile::GetInt("quelby", "test", 0), 0);
    EXPECT_FALSE(privateprofile::WriteString("quelby", "test", "1"));
}

TEST_F(ProfileTest, ValuesReadsAWholeSection) {
    ASSERT_TRUE(profile.WriteInt("a/b", "total", 2));
    ASSERT_TRUE(profile.WriteString("a/b", QString("x=y"), QString("one, two")));
    ASSERT_TRUE(profile.WriteInt("other", "total", 9));
    EXPECT_EQ(profile.Values("a/b"), (QMap<QString, QString>{{"total", "2"}, {"x=y", "one, two"}}));
    EXPECT_TRUE(profile.Values("none").isEmpty());
}

class SectionNameTest : public ProfileTest, public ::testing::WithParamInterface<QString> {};

TEST_P(SectionNameTest, ReadsBackIdentical) {
    const QString name = GetParam();
    ASSERT_TRUE(profile.WriteInt(name, "mode", 5));
    ASSERT_TRUE(profile.WriteString(name, QString("categoryShort"), QString("AL")));
    ASSERT_TRUE(profile.WriteInt("bookmark", "total", 1));

    const Profile fresh = Profile::App();
    EXPECT_EQ(fresh.GetInt(name, "mode", 10), 5);
    EXPECT_EQ(fresh.GetString(name, "categoryShort", "error"), QString("AL"));
    EXPECT_EQ(fresh.Entries(name), QStringList({"categoryShort", "mode"}));
    EXPECT_EQ(fresh.GetInt("bookmark", "total", 0), 1); // nothing else was touched

    QSettings file(profile.FilePath(), QSettings::IniFormat);
    QStringList sections;
    for (const QString& group : file.childGroups())
        sections.append(Profile::DecodeName(group));
    EXPECT_EQ(sections.count(name), 1);

    ASSERT_TRUE(profile.WriteString(name, std::nullopt, std::nullopt));
    EXPECT_EQ(Profile::App().GetInt(name, "mode", 10), 10);
    EXPECT_EQ(Profile::App().GetInt("bookmark", "total", 0), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Awkward, SectionNameTest,
    ::testing::Values(QString("a/b"), QString("a\\b"), QString("/lead/"), QString("[x]"),
                      QString("k=v"), QString("100%"), QString("%2F"), QString(";c"),
                      QString("#hash"), QString::fromUtf8("Ünïcödé"), QString::fromUtf8("日本 😀"),
                      QString("  blanks  "), QString("a//b"), QString("General"), QString("x"),
                      QString(200, QChar('q')), QString("quote\"s"), QString("cdrom/delay")));

TEST_F(ProfileTest, SimilarNamesStaySeparate) {
    const QStringList names = {"a/b", "a\\b", "a%2Fb", "a%5Cb", "a_b", "A/B"};
    for (int i = 0; i < names.size(); ++i)
        ASSERT_TRUE(profile.WriteInt(names[i], "mode", i));
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(profile.GetInt(names[i], "mode", -1), i) << names[i].toStdString();
}

TEST_F(ProfileTest, TwoProgramsWritingAtOnceLoseNothing) {
    constexpr int kCount = 200;
    QProcess first;
    QProcess second;
    first.start(PROFILE_WRITER, {"a", QString::number(kCount)});
    second.start(PROFILE_WRITER, {"b", QString::number(kCount)});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    ASSERT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    const QStringList entries = profile.Entries("race");
    EXPECT_EQ(entries.size(), 2 * kCount);
    for (int i = 1; i <= kCount; ++i) {
        EXPECT_EQ(profile.GetInt("race", QString("a%1").arg(i), 0), i);
        EXPECT_EQ(profile.GetInt("race", QString("b%1").arg(i), 0), i);
    }
}
} // namespace
