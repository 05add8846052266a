#include "SaverCommandLine.h"
#include "WindowId.h"

#include <gtest/gtest.h>

namespace {

struct CommandCase {
    const char* name;
    QStringList arguments;
    std::optional<QString> xscreensaverWindow;
    RunMode mode;
    std::optional<std::uint32_t> window;
    std::optional<int> delay;
    bool refused;
};

class SaverCommandLine : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SaverCommandLine, FirstArgumentChoosesAndHostArgumentsAreStrict) {
    const CommandCase& c = GetParam();
    const SaverCommand command = ParseSaverCommandLine(c.arguments, c.xscreensaverWindow);
    EXPECT_EQ(command.mode, c.mode);
    EXPECT_EQ(command.host.window, c.window);
    EXPECT_EQ(command.host.delay, c.delay);
    EXPECT_EQ(!command.error.isEmpty(), c.refused) << command.error.toStdString();
}

const std::optional<QString> kNoEnv;
const std::optional<std::uint32_t> kRoot;
const std::optional<int> kOwnDelay;

INSTANTIATE_TEST_SUITE_P(
    Arguments, SaverCommandLine,
    ::testing::Values(
        CommandCase{"None", {}, kNoEnv, RunMode::configure, kRoot, kOwnDelay, false},
        CommandCase{"C", {"c"}, kNoEnv, RunMode::configure, kRoot, kOwnDelay, false},
        CommandCase{"SlashC", {"/c"}, kNoEnv, RunMode::configure, kRoot, kOwnDelay, false},
        CommandCase{"HyphenCapitalC", {"-C"}, kNoEnv, RunMode::configure, kRoot, kOwnDelay, false},
        CommandCase{"S", {"s"}, kNoEnv, RunMode::save, kRoot, kOwnDelay, false},
        CommandCase{"SlashS", {"/s"}, kNoEnv, RunMode::save, kRoot, kOwnDelay, false},
        CommandCase{"HyphenCapitalS", {"-S"}, kNoEnv, RunMode::save, kRoot, kOwnDelay, false},
        CommandCase{
            "OnlyTheFirstCounts", {"s", "c"}, kNoEnv, RunMode::save, kRoot, kOwnDelay, false},
        CommandCase{"ConfigureWithWindowNumber",
                    {"/c:1234"},
                    kNoEnv,
                    RunMode::none,
                    kRoot,
                    kOwnDelay,
                    false},
        CommandCase{"Preview", {"/p", "1234"}, kNoEnv, RunMode::none, kRoot, kOwnDelay, false},
        CommandCase{"Password", {"/a"}, kNoEnv, RunMode::none, kRoot, kOwnDelay, false},
        CommandCase{"TwoSlashes", {"//c"}, kNoEnv, RunMode::none, kRoot, kOwnDelay, false},
        CommandCase{"Word", {"save"}, kNoEnv, RunMode::none, kRoot, kOwnDelay, false},
        CommandCase{
            "DelayAloneIsNoHost", {"-delay", "5"}, kNoEnv, RunMode::none, kRoot, kOwnDelay, false},
        CommandCase{"Root", {"-root"}, kNoEnv, RunMode::host, kRoot, kOwnDelay, false},
        CommandCase{"RootTakesTheHostsWindow",
                    {"--root"},
                    QString("0x2a00007"),
                    RunMode::host,
                    0x2a00007u,
                    kOwnDelay,
                    false},
        CommandCase{"WindowIdInDecimal",
                    {"-window-id", "4194311"},
                    kNoEnv,
                    RunMode::host,
                    4194311u,
                    kOwnDelay,
                    false},
        CommandCase{"WindowIdWinsOverTheEnvironment",
                    {"--window-id", "0x40", "-root"},
                    QString("0x50"),
                    RunMode::host,
                    0x40u,
                    kOwnDelay,
                    false},
        CommandCase{
            "DelayOption", {"-root", "-delay", "7"}, kNoEnv, RunMode::host, kRoot, 7, false},
        CommandCase{"DelayAboveTheRange",
                    {"-root", "--delay", "150"},
                    kNoEnv,
                    RunMode::host,
                    kRoot,
                    99,
                    false},
        CommandCase{
            "DelayBelowTheRange", {"-delay", "0", "-root"}, kNoEnv, RunMode::host, kRoot, 1, false},
        CommandCase{"DelayNotANumber",
                    {"-root", "-delay", "7s"},
                    kNoEnv,
                    RunMode::host,
                    kRoot,
                    kOwnDelay,
                    true},
        CommandCase{
            "WindowIdMissing", {"-window-id"}, kNoEnv, RunMode::host, kRoot, kOwnDelay, true},
        CommandCase{"WindowIdMalformed",
                    {"-window-id", "0xZZ"},
                    kNoEnv,
                    RunMode::host,
                    kRoot,
                    kOwnDelay,
                    true},
        CommandCase{"EnvironmentMalformed",
                    {"-root"},
                    QString("root"),
                    RunMode::host,
                    kRoot,
                    kOwnDelay,
                    true},
        CommandCase{
            "UnknownOption", {"-root", "-fps"}, kNoEnv, RunMode::host, kRoot, kOwnDelay, true},
        CommandCase{"SaverArgumentFirstKeepsItsMeaning",
                    {"s", "-root"},
                    kNoEnv,
                    RunMode::save,
                    kRoot,
                    kOwnDelay,
                    false}),
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
