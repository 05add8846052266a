#include "CMainFrame.h"
#include "CquelbyApp.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "IsoMaker.h"
#include "PrivateProfile.h"
#include "Profile.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewerTestSupport.h"
#include "Viewing.h"

#include <QApplication>
#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QString kInsert = QStringLiteral("Please Insert The Quelby CD");
const QString kNotFound = QStringLiteral("The Quelby CD was not Found\n\nProgram Aborting!");

QString TestIni() {
    return privateprofile::WindowsDirectory() + QStringLiteral("/test.ini");
}

bool AnyWindowVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            return true;
    }
    return false;
}

class Startup : public ::testing::Test {
protected:
    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
};

TEST_F(Startup, WithoutTheCdAsksOnceThenEndsAbnormallyWritingNothing) {
    TestDisc::InsertNothing();
    MessageRecorder messages;
    AbortCatcher abortCatcher;
    {
        CquelbyApp app;
        EXPECT_THROW(app.InitInstance({}), AbortCalled);
        EXPECT_FALSE(AnyWindowVisible());
    }
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[0].text, kInsert);
    EXPECT_EQ(messages.Messages()[0].type, unsigned(MB_OK));
    EXPECT_EQ(messages.Messages()[1].text, kNotFound);
    EXPECT_EQ(messages.Messages()[1].type, unsigned(MB_OK | MB_ICONSTOP));
    for (const MessageRecorder::Message& m : messages.Messages())
        EXPECT_EQ(m.caption, QStringLiteral("Quelby"));
    EXPECT_FALSE(QFile::exists(Profile::App().FilePath()));
    EXPECT_FALSE(QFile::exists(TestIni()));
}

TEST_F(Startup, WithoutTheCdTheProcessExitsWithStatusThree) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TestDisc::InsertNothing();
            SetMessageBoxHook([](const QString&, const QString&, unsigned) { return IDOK; });
            CquelbyApp app;
            app.InitInstance({});
        },
        ::testing::ExitedWithCode(3), "");
}

TEST_F(Startup, CdInsertedWhileTheFirstMessageIsOpenLetsStartUpGoOn) {
    TestDisc disc(env.Scratch() + QStringLiteral("/disc"));
    TestDisc::InsertNothing();
    MessageRecorder messages;
    messages.OnText(kInsert, [&disc] { disc.Insert('E'); });
    AbortCatcher abortCatcher;
    CquelbyApp app;
    ASSERT_NO_THROW(app.InitInstance({}));
    EXPECT_EQ(messages.Texts(), QStringList{kInsert});
    ASSERT_NE(app.Frame(), nullptr);
    EXPECT_TRUE(app.Frame()->isVisible());
    EXPECT_EQ(app.Model().Cd().DriveLetter(), QLatin1Char('E'));
    EXPECT_EQ(app.Model().State().m_strCurrentName, QStringLiteral("Vanto CD Home"));
}

TEST_F(Startup, WithTheCdTheWindowOpensWithItsTitleAndTheCover) {
    TestDisc disc(env.Scratch() + QStringLiteral("/disc"));
    disc.Insert('D');
    MessageRecorder messages;
    CquelbyApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(app.Frame()->isVisible());
    EXPECT_TRUE(app.Frame()->windowTitle().startsWith(QStringLiteral("Quelby: The 1st Treasury")));
    app.View()->grab(); // paints, which sets the document title
    EXPECT_EQ(app.Frame()->windowTitle(),
              QStringLiteral("Quelby: The 1st Treasury - Vanto CD Home"));
    EXPECT_FALSE(QFile::exists(TestIni()));
}

struct SwitchCase {
    const char* name;
    QStringList arguments;
    bool diagnostic;
};

class DiagnosticSwitch : public Startup, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(DiagnosticSwitch, OnlyASlashAndLowerCaseDStartTheCommandLine) {
    TestDisc disc(env.Scratch() + QStringLiteral("/disc"));
    disc.Insert('D');
    MessageRecorder messages;
    CquelbyApp app;
    ASSERT_TRUE(app.InitInstance(GetParam().arguments));
    const int test = privateprofile::GetInt(QStringLiteral("quelby"), QStringLiteral("test"), 0);
    EXPECT_EQ(test, GetParam().diagnostic ? 1 : 0);
    EXPECT_EQ(app.Model().State().IsDiagnostic(), GetParam().diagnostic);
    // The search of the start-up records the drive only in diagnostic mode.
    const QString last = privateprofile::GetString(QStringLiteral("quelby"),
                                                   QStringLiteral("lastdriveletter"), QString());
    EXPECT_EQ(last, GetParam().diagnostic ? QStringLiteral("D:\\") : QString());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DiagnosticSwitch,
    ::testing::Values(
        SwitchCase{"SlashD", {QStringLiteral("/d")}, true},
        SwitchCase{"SlashDx", {QStringLiteral("/dx")}, true},
        SwitchCase{"SlashDThenMore", {QStringLiteral("/d"), QStringLiteral("file.bmp")}, true},
        SwitchCase{"UpperCaseD", {QStringLiteral("/D")}, false},
        SwitchCase{"Dash", {QStringLiteral("-d")}, false},
        SwitchCase{"LeadingBlank", {QStringLiteral(" /d")}, false},
        SwitchCase{"SlashOnly", {QStringLiteral("/")}, false},
        SwitchCase{"SecondArgument", {QStringLiteral("x"), QStringLiteral("/d")}, false},
        SwitchCase{"Nothing", {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, DiagnosticModeStaysOnForLaterRuns) {
    TestDisc disc(env.Scratch() + QStringLiteral("/disc"));
    disc.Insert('D');
    MessageRecorder messages;
    {
        CquelbyApp first;
        first.InitInstance({QStringLiteral("/d")});
    }
    CquelbyApp second;
    second.InitInstance({});
    EXPECT_TRUE(second.Model().State().IsDiagnostic());
}

// Drives as the machine shows them, with a mount table of the test's own
// that starts empty: the command line and the mounts decide what is there.
class MachineDrives : public Startup {
protected:
    MachineDrives() {
        mountInfo = env.Scratch() + QStringLiteral("/mountinfo");
        QFile(mountInfo).open(QIODevice::WriteOnly);
        DriveTable::SetDiscovery([this] { return DriveTable::Discover(mountInfo); });
        disc.AddCartoons(SomeCartoonNames());
    }
    // An image of the disc, labelled as the CD is; empty without genisoimage.
    QString MakeImage() {
        const QString image = env.Scratch() + QStringLiteral("/quelby.iso");
        if (!isomaker::Available() ||
            !isomaker::MakeIso(disc.Root(), image, QStringLiteral("QUELBY_CDH")))
            return {};
        return image;
    }
    QString mountInfo;
    TestDisc disc{env.Scratch() + QStringLiteral("/disc")};
    MessageRecorder messages;
    AbortCatcher abortCatcher;
};

TEST_F(MachineDrives, DiscsOnTheCommandLineAreSearchedAfterTheSwitch) {
    const QString image = MakeImage();
    if (image.isEmpty())
        GTEST_SKIP() << "genisoimage is not installed";
    isomaker::WriteFiles(disc.Root(), {{QStringLiteral(".windows-label"), "QUELBY_CDH\n"}});
    const QString missing = env.Scratch() + QStringLiteral("/missing.iso");
    for (const QStringList& arguments :
         {QStringList{image}, QStringList{QStringLiteral("/d"), disc.Root()},
          QStringList{missing, disc.Root()}}) {
        CquelbyApp app;
        ::testing::internal::CaptureStderr();
        ASSERT_NO_THROW(app.InitInstance(arguments)) << arguments.join(' ').toStdString();
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(messages.Messages().empty()) << messages.Texts().join('|').toStdString();
        EXPECT_EQ(app.Model().State().m_strCurrentName, QStringLiteral("Vanto CD Home"));
        EXPECT_TRUE(app.Document()->HasPicture()); // the cover, read from the disc given
        EXPECT_EQ(errors.find("missing.iso") != std::string::npos, arguments.contains(missing));
    }
}

// Another disc, or a file that is no disc, opened with the viewer: it is
// named as not the CD before the usual request for the CD and the abort.
TEST_F(MachineDrives, ADiscThatIsNotTheCdIsNamedBeforeTheUsualFlow) {
    if (!isomaker::Available())
        GTEST_SKIP() << "genisoimage is not installed";
    const QString other = env.Scratch() + QStringLiteral("/holiday.iso");
    ASSERT_TRUE(isomaker::MakeIso(disc.Root(), other, QStringLiteral("HOLIDAY_2003")));
    const QString text = env.Scratch() + QStringLiteral("/notes.iso");
    isomaker::WriteFiles(env.Scratch(), {{QStringLiteral("notes.iso"), "not a disc"}});
    for (const auto& [path, said] :
         {std::pair{other, "\"holiday.iso\" is not the Quelby CD: its label is \"HOLIDAY_2003\"."},
          std::pair{text,
                    "\"notes.iso\" is not the Quelby CD: it cannot be read as a disc image."}}) {
        MessageRecorder seen;
        CquelbyApp app;
        EXPECT_THROW(app.InitInstance({path}), AbortCalled);
        EXPECT_EQ(seen.Texts(), (QStringList{QString::fromUtf8(said), kInsert, kNotFound}));
        ASSERT_FALSE(seen.Messages().empty());
        EXPECT_EQ(seen.Messages()[0].type, unsigned(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(MachineDrives, DiscMountedWhileTheViewerAsksIsFoundOnOk) {
    const QString image = MakeImage();
    if (image.isEmpty())
        GTEST_SKIP() << "genisoimage is not installed";
    messages.OnText(kInsert, [this, image] {
        QFile table(mountInfo);
        table.open(QIODevice::WriteOnly);
        table.write(QStringLiteral("61 22 7:3 / %1 ro,nosuid - iso9660 %2 ro\n")
                        .arg(disc.Root(), image)
                        .toUtf8());
    });
    CquelbyApp app;
    ASSERT_NO_THROW(app.InitInstance({}));
    EXPECT_EQ(messages.Texts(), QStringList{kInsert});
    app.Model().StepForward();
    EXPECT_EQ(app.Model().State().m_strCurrentName, SomeCartoonNames().constFirst());
    EXPECT_TRUE(app.Document()->HasPicture());
}

} // namespace
