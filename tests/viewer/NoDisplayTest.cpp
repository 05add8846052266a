// Both programs started where there is no display: one line that says so,
// and a failure status, not Qt's plugin text and a core dump; but their
// usage and version, which need no display.
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QProcessEnvironment WithoutDisplay(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), display);
    return environment;
}

struct Program {
    const char* name;
    const char* path;
    QStringList arguments;
    const char* line;
};

class NoDisplay : public ::testing::TestWithParam<Program> {};

TEST_P(NoDisplay, EndsWithOneLineAndAFailure) {
    for (const char* unreachable : {"", ":99999"}) {
        QProcess program;
        program.setProcessEnvironment(WithoutDisplay(QString::fromLatin1(unreachable)));
        program.start(QString::fromLatin1(GetParam().path), GetParam().arguments);
        ASSERT_TRUE(program.waitForFinished(60000)) << unreachable;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << unreachable;
        EXPECT_EQ(program.exitCode(), 1) << unreachable;
        EXPECT_EQ(program.readAllStandardError(), QByteArray(GetParam().line) + '\n')
            << unreachable;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Programs, NoDisplay,
    ::testing::Values(Program{"Viewer",
                              QUELBY_PROGRAM,
                              {},
                              "quelby: cannot open a window: there is no display (set DISPLAY or "
                              "WAYLAND_DISPLAY)"},
                      Program{"Saver",
                              WENDLE_PROGRAM,
                              {QStringLiteral("s")},
                              "wendle: cannot open the saver window: there is no screen"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Question {
    const char* name;
    const char* path;
    const char* option;
    const char* answerStart;
};

class Answers : public ::testing::TestWithParam<Question> {};

TEST_P(Answers, ArePrintedWithoutADisplay) {
    QProcess program;
    program.setProcessEnvironment(WithoutDisplay(QString()));
    program.start(QString::fromLatin1(GetParam().path), {QString::fromLatin1(GetParam().option)});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardOutput().startsWith(GetParam().answerStart));
    EXPECT_EQ(program.readAllStandardError(), QByteArray());
}

INSTANTIATE_TEST_SUITE_P(Programs, Answers,
                         ::testing::Values(Question{"ViewerHelp", QUELBY_PROGRAM, "--help",
                                                    "Usage: quelby "},
                                           Question{"SaverVersion", WENDLE_PROGRAM, "--version",
                                                    "wendle " QUELBY_VERSION "\n"}),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
