#include "StandardOptions.h"

#include "ProgramVersion.h"

#include <gtest/gtest.h>

namespace {

enum class Answer { none, usage, version };

struct OptionCase {
    const char* name;
    QStringList arguments;
    Answer answer;
};

class StandardOptions : public ::testing::TestWithParam<OptionCase> {};

TEST_P(StandardOptions, AnswerOnlyAsTheFirstArgument) {
    const QString usage = QStringLiteral("Usage: quelby [DISC...]\n");
    const std::optional<QString> answer =
        StandardAnswer(GetParam().arguments, QStringLiteral("quelby"), usage);
    switch (GetParam().answer) {
    case Answer::none:
        EXPECT_FALSE(answer.has_value()) << answer->toStdString();
        break;
    case Answer::usage:
        EXPECT_EQ(answer, usage);
        break;
    case Answer::version:
        EXPECT_EQ(answer, QStringLiteral("quelby %1\n").arg(QLatin1String(kProgramVersion)));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StandardOptions,
    ::testing::Values(OptionCase{"Help", {"--help"}, Answer::usage},
                      OptionCase{"ShortHelp", {"-h"}, Answer::usage},
                      OptionCase{"HelpBeforeADisc", {"--help", "quelby.iso"}, Answer::usage},
                      OptionCase{"Version", {"--version"}, Answer::version},
                      OptionCase{"VersionBeforeHelp", {"--version", "--help"}, Answer::version},
                      OptionCase{"NoArguments", {}, Answer::none},
                      OptionCase{"HelpAfterTheFirst", {"s", "--help"}, Answer::none},
                      OptionCase{"HelpWithOneHyphen", {"-help"}, Answer::none},
                      OptionCase{"HelpInCapitals", {"--HELP"}, Answer::none},
                      OptionCase{"OtherOption", {"--verbose"}, Answer::none},
                      OptionCase{"Diagnostic", {"/d"}, Answer::none},
                      OptionCase{"SaverArgument", {"-root"}, Answer::none}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
