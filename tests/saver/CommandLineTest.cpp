#include "SaverCommandLine.h"
#include "WindowId.h"

#include <gtest/gtest.h>

namespace {

// The system's screen-saver command line: the first argument alone counts.
struct FirstCase {
    const char* name;
    QStringList arguments;
    RunMode mode;
};

class FirstArgument : public ::testing::TestWithParam<FirstCase> {};

TEST_P(FirstArgument, ChoosesConfigurationTheSaverOrNothing) {
    const SaverCommand command = ParseSaverCommandLine(GetParam().arguments, std::nullopt);
    EXPECT_EQ(command.mode, GetParam().mode);
    EXPECT_TRUE(command.error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, FirstArgument,
    ::testing::Values(
        FirstCase{"None", {}, RunMode::configure}, FirstCase{"C", {"c"}, RunMode::configure},
        FirstCase{"SlashC", {"/c"}, RunMode::configure},
        FirstCase{"HyphenCapitalC", {"-C"}, RunMode::configure},
        FirstCase{"S", {"s"}, RunMode::save}, FirstCase{"SlashS", {"/s"}, RunMode::save},
        FirstCase{"HyphenCapitalS", {"-S"}, RunMode::save},
        FirstCase{"OnlyTheFirstCounts", {"s", "c"}, RunMode::save},
        FirstCase{"SaverFirstKeepsItsMeaning", {"s", "-root"}, RunMode::save},
        FirstCase{"ConfigureWithWindowNumber", {"/c:1234"}, RunMode::none},
        FirstCase{"Preview", {"/p", "1234"}, RunMode::none},
        FirstCase{"Password", {"/a"}, RunMode::none},
        FirstCase{"TwoSlashes", {"//c"}, RunMode::none}, FirstCase{"Word", {"save"}, RunMode::none},
        FirstCase{"DelayAloneIsNoHost", {"-delay", "5"}, RunMode::none},
        FirstCase{"IdleAfterTheFirstCountsNot", {"c", "--idle", "5"}, RunMode::configure}),
    [](const auto& info) { return std::string(info.param.name); });

// xscreensaver's arguments: the window to draw into (none: the root window),
// the view time (none: the saver's own), or why they were refused.
struct HostCase {
    const char* name;
    QStringList arguments;
    std::optional<QString> environment;
    std::optional<std::uint32_t> window;
    std::optional<int> delay;
    bool refused;
};

class HostArguments : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostArguments, NameTheWindowAndAreStrict) {
    const HostCase& c = GetParam();
    const SaverCommand command = ParseSaverCommandLine(c.arguments, c.environment);
    EXPECT_EQ(command.mode, RunMode::host);
    EXPECT_EQ(command.host.window, c.window);
    EXPECT_EQ(command.host.delay, c.delay);
    EXPECT_EQ(!command.error.isEmpty(), c.refused) << command.error.toStdString();
}

constexpr std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Arguments, HostArguments,
    ::testing::Values(
        HostCase{"Root", {"-root"}, kNone, kNone, kNone, false},
        HostCase{"RootTakesTheHostsWindow", {"--root"}, "0x2a00007", 0x2a00007u, kNone, false},
        HostCase{"WindowIdInDecimal", {"-window-id", "4194311"}, kNone, 4194311u, kNone, false},
        HostCase{"WindowIdWins", {"--window-id", "0x40", "-root"}, "0x50", 0x40u, kNone, false},
        HostCase{"Delay", {"-root", "-delay", "7"}, kNone, kNone, 7, false},
        HostCase{"DelayAboveTheRange", {"-root", "--delay", "150"}, kNone, kNone, 99, false},
        HostCase{"DelayBelowTheRange", {"-delay", "0", "-root"}, kNone, kNone, 1, false},
        HostCase{"DelayNotANumber", {"-root", "-delay", "7s"}, kNone, kNone, kNone, true},
        HostCase{"WindowIdMissing", {"-window-id"}, kNone, kNone, kNone, true},
        HostCase{"WindowIdMalformed", {"-window-id", "0xZZ"}, kNone, kNone, kNone, true},
        HostCase{"EnvironmentMalformed", {"-root"}, "root", kNone, kNone, true},
        HostCase{"UnknownOption", {"-root", "-fps"}, kNone, kNone, kNone, true},
        HostCase{"IdleIsNoHostOption", {"-root", "--idle"}, kNone, kNone, kNone, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The idle mode's idle time: none takes the stored one; a bad one is refused.
struct IdleCase {
    const char* name;
    QStringList arguments;
    std::optional<int> minutes;
    bool refused;
};

class IdleArguments : public ::testing::TestWithParam<IdleCase> {};

TEST_P(IdleArguments, TakeWholeMinutesWithinTheRangeOrNothing) {
    const IdleCase& c = GetParam();
    const SaverCommand command = ParseSaverCommandLine(c.arguments, std::nullopt);
    EXPECT_EQ(command.mode, RunMode::idle);
    EXPECT_EQ(command.idleMinutes, c.minutes);
    EXPECT_EQ(!command.error.isEmpty(), c.refused) << command.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, IdleArguments,
    ::testing::Values(IdleCase{"StoredTime", {"--idle"}, kNone, false},
                      IdleCase{"OneHyphen", {"-idle", "1"}, 1, false},
                      IdleCase{"Longest", {"--idle", "120"}, 120, false},
                      IdleCase{"Zero", {"--idle", "0"}, kNone, true},
                      IdleCase{"BeyondTheLongest", {"--idle", "121"}, kNone, true},
                      IdleCase{"WithAUnit", {"--idle", "5m"}, kNone, true},
                      IdleCase{"MoreArguments", {"--idle", "5", "s"}, kNone, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct WindowIdCase {
    const char* name;
    const char* text;
    std::optional<std::uint32_t> id;
};

class WindowIds : public ::testing::TestWithParam<WindowIdCase> {};

TEST_P(WindowIds, OnlyAWholeNonZeroResourceIdReads) {
    EXPECT_EQ(xhost::ParseWindowId(QString::fromLatin1(GetParam().text)), GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WindowIds,
    ::testing::Values(
        WindowIdCase{"Hex", "0x1a00003", 0x1a00003u}, WindowIdCase{"HexCapitals", "0X1AF", 0x1afu},
        WindowIdCase{"Decimal", "27262979", 27262979u},
        WindowIdCase{"LargestResourceId", "0x1fffffff", 0x1fffffffu},
        WindowIdCase{"BeyondResourceIds", "0x20000000", std::nullopt},
        WindowIdCase{"Zero", "0", std::nullopt}, WindowIdCase{"PrefixAlone", "0x", std::nullopt},
        WindowIdCase{"Empty", "", std::nullopt}, WindowIdCase{"LeadingBlank", " 12", std::nullopt},
        WindowIdCase{"TrailingText", "12px", std::nullopt},
        WindowIdCase{"Negative", "-5", std::nullopt},
        WindowIdCase{"HexDigitsWithoutPrefix", "1a", std::nullopt},
        WindowIdCase{"Huge", "99999999999999999999", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
