#include "PrivateProfile.h"

#include "QtPrinters.h"
#include "TempEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
class PrivateProfileTest : public ::testing::Test {
protected:
    QString Path() const { return env.DataHome() + "/Vanto Corp/test.ini"; }
    void Put(const QByteArray& text) {
        ASSERT_EQ(privateprofile::FilePath("test.ini"), Path());
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray Text() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    TempEnvironment env;
};

struct IntCase {
    const char* value; // nullptr: no such key
    int expected;
};

class IntTest : public PrivateProfileTest, public ::testing::WithParamInterface<IntCase> {};

TEST_P(IntTest, ReadsTheLeadingNumber) {
    QByteArray text = "[quelby]\r\nother=99\r\n";
    if (GetParam().value)
        text += QByteArray("test=") + GetParam().value + "\r\n";
    Put(text);
    EXPECT_EQ(privateprofile::GetInt("quelby", "test", 42), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, IntTest,
                         ::testing::Values(IntCase{"1", 1}, IntCase{"12abc", 12}, IntCase{"abc", 0},
                                           IntCase{"  7 ", 7}, IntCase{"-3", -3}, IntCase{"+5", 5},
                                           IntCase{"0x10", 0}, IntCase{"\"9\"", 9}, IntCase{"", 42},
                                           IntCase{"4294967295", -1}, IntCase{nullptr, 42}));

TEST_F(PrivateProfileTest, MissingFileOrSectionGivesTheDefault) {
    EXPECT_EQ(privateprofile::GetInt("quelby", "test", 0), 0);
    EXPECT_EQ(privateprofile::GetString("quelby", "lastdriveletter", "none"), QString("none"));
    Put("[quelbyscreensaver]\ntest=1\n");
    EXPECT_EQ(privateprofile::GetInt("quelby", "test", 7), 7);
}

TEST_F(PrivateProfileTest, SectionsAndKeysMatchRegardlessOfCase) {
    Put("[ QUELBY ]\r\nTEST = 1\r\n");
    EXPECT_EQ(privateprofile::GetInt("quelby", "test", 0), 1);
    ASSERT_TRUE(privateprofile::WriteString("Quelby", "Test", "2"));
    EXPECT_EQ(Text(), QByteArray("[ QUELBY ]\r\nTEST=2\r\n"));
}

TEST_F(PrivateProfileTest, NewFileIsAWindowsIni) {
    ASSERT_TRUE(privateprofile::WriteString("quelby", "test", "1"));
    EXPECT_EQ(Text(), QByteArray("[quelby]\r\ntest=1\r\n"));
    EXPECT_EQ(privateprofile::GetInt("quelby", "test", 0), 1);
}

TEST_F(PrivateProfileTest, WritesKeepEveryOtherLine) {
    Put("; diagnostics\r\n[quelbyscreensaver]\r\ntest=1\r\n\r\n[quelby]\r\ntest=1\r\n"
        "1T005HI1.BMP=bad\r\n\r\n[other]\r\nx=y\r\n");
    ASSERT_TRUE(privateprofile::WriteString("quelby", "lastdriveletter", "E:\\"));
    ASSERT_TRUE(privateprofile::WriteString("quelby", "1T005HI1.BMP", "bad"));
    ASSERT_TRUE(privateprofile::WriteString("new", "k", "v"));
    EXPECT_EQ(
        Text(),
        QByteArray("; diagnostics\r\n[quelbyscreensaver]\r\ntest=1\r\n\r\n[quelby]\r\ntest=1\r\n"
                   "1T005HI1.BMP=bad\r\nlastdriveletter=E:\\\r\n\r\n[other]\r\nx=y\r\n"
                   "[new]\r\nk=v\r\n"));
    EXPECT_EQ(privateprofile::GetString("quelby", "LASTDRIVELETTER", ""), QString("E:\\"));
}

TEST_F(PrivateProfileTest, UnixLineEndsStayUnix) {
    Put("[quelby]\ntest=1\n");
    ASSERT_TRUE(privateprofile::WriteString("quelby", "lastdriveletter", "D:\\"));
    EXPECT_EQ(Text(), QByteArray("[quelby]\ntest=1\nlastdriveletter=D:\\\n"));
}

TEST_F(PrivateProfileTest, AKeyHoldingAnEqualsSignIsOneKey) {
    Put("[quelbyscreensaver]\r\nm_hDIB=other\r\n");
    ASSERT_TRUE(privateprofile::WriteString("quelbyscreensaver", "m_hDIB==NULL", "E:\\a"));
    ASSERT_TRUE(privateprofile::WriteString("quelbyscreensaver", "m_hDIB==NULL", "E:\\b"));
    // Written again, it replaces its value; the key it starts like stays apart.
    EXPECT_EQ(Text(), QByteArray("[quelbyscreensaver]\r\nm_hDIB=other\r\nm_hDIB==NULL=E:\\b\r\n"));
    EXPECT_EQ(privateprofile::GetString("quelbyscreensaver", "M_HDIB==null", ""), QString("E:\\b"));
    EXPECT_EQ(privateprofile::GetString("quelbyscreensaver", "m_hDIB", ""), QString("other"));
}

TEST_F(PrivateProfileTest, NoValueDeletesTheKeyAndNoKeyTheSection) {
    Put("[a]\r\nk=1\r\nj=2\r\n[b]\r\nk=3\r\n");
    ASSERT_TRUE(privateprofile::Write("a", QString("K"), std::nullopt));
    EXPECT_EQ(Text(), QByteArray("[a]\r\nj=2\r\n[b]\r\nk=3\r\n"));
    ASSERT_TRUE(privateprofile::Write("A", std::nullopt, std::nullopt));
    EXPECT_EQ(Text(), QByteArray("[b]\r\nk=3\r\n"));
}
} // namespace
