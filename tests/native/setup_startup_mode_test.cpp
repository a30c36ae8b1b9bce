#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "setup/contains_text.h"
#include "setup/startup_mode.h"

namespace {

struct ModeCase {
    const char* argument0;
    const char* argument1;
    const char* argument2;
    StartupMode mode;
    bool quiet;
};

const char* const GAME = "C:\\Program Files (x86)\\Halvex\\Quandor\\Quandor.exe";
const char* const DOWNLOAD = "C:\\Downloads\\QuandorSetup.exe";

const ModeCase MODE_CASES[] = {
    {DOWNLOAD, "", "", StartupMode::SETUP, false},
    {"C:\\Temp\\setup.exe", "", "", StartupMode::SETUP, false},
    {"C:\\TEMP\\SETUP.EXE", "", "", StartupMode::SETUP, false},
    {"C:\\Setup.exe\\Quandor.exe", "", "", StartupMode::SETUP, false}, // a folder on the path
    {"C:\\Temp\\Setup.ex", "", "", StartupMode::PLAY, false},
    {"C:\\Temp\\Setup_exe", "", "", StartupMode::PLAY, false},
    {GAME, "", "", StartupMode::PLAY, false},
    {GAME, "/S", "/Quiet", StartupMode::PLAY, false},
    {GAME, "/Uninstall", "", StartupMode::UNINSTALL, false},
    {GAME, "/Uninstall", "/Quiet", StartupMode::UNINSTALL, true},
    {GAME, "-uninstall", "QUIET", StartupMode::UNINSTALL, true},
    {GAME, "xxUNINSTALLxx", "-quiet-", StartupMode::UNINSTALL, true},
    {GAME, "/Uninstall", "/S", StartupMode::UNINSTALL, false},
    {GAME, "/UninstallQuiet", "", StartupMode::UNINSTALL, false}, // quiet is argument 2's word
    {GAME, "", "/Uninstall", StartupMode::PLAY, false},
    {DOWNLOAD, "/Uninstall", "", StartupMode::UNINSTALL, false}, // uninstall is tested first
    {DOWNLOAD, "/Uninstall", "/Quiet", StartupMode::UNINSTALL, true},
    {DOWNLOAD, "/s", "", StartupMode::SETUP, true},
    {DOWNLOAD, "-S", "", StartupMode::SETUP, true},
    {DOWNLOAD, "/Silent", "", StartupMode::SETUP, true},
    {DOWNLOAD, "/Quiet", "", StartupMode::SETUP, false}, // neither "-S" nor "/S"
    {DOWNLOAD, "S", "", StartupMode::SETUP, false},
    {DOWNLOAD, "", "/S", StartupMode::SETUP, false}, // argument 2 counts only for uninstall
    {DOWNLOAD, "", "-S", StartupMode::SETUP, false},
};

TEST(StartupMode, FollowsTheDecisionTable) {
    for (const ModeCase& c : MODE_CASES) {
        const StartupDecision d = startup_mode(c.argument0, c.argument1, c.argument2);
        EXPECT_EQ(d.mode, c.mode) << c.argument0 << " | " << c.argument1 << " | " << c.argument2;
        EXPECT_EQ(d.quiet, c.quiet) << c.argument0 << " | " << c.argument1 << " | " << c.argument2;
    }
}

TEST(StartupMode, ArgumentsThatDoNotFitAPathBufferCountAsEmpty) {
    const std::string setup_520 = std::string(511, 'x') + "Setup.exe";
    const std::string setup_521 = "y" + setup_520;
    EXPECT_EQ(startup_mode(setup_520, "", "").mode, StartupMode::SETUP);
    EXPECT_EQ(startup_mode(setup_521, "", "").mode, StartupMode::PLAY);

    const std::string long_setup = "C:\\Setup.exe\\" + std::string(10'000, 'a');
    EXPECT_EQ(startup_mode(long_setup, "", "").mode, StartupMode::PLAY);
    EXPECT_EQ(startup_mode(long_setup, "/S", "").quiet, false);

    const std::string long_uninstall = "/Uninstall /S" + std::string(10'000, 'u');
    const StartupDecision setup = startup_mode(DOWNLOAD, long_uninstall, "");
    EXPECT_EQ(setup.mode, StartupMode::SETUP);
    EXPECT_FALSE(setup.quiet);
    EXPECT_EQ(startup_mode(GAME, long_uninstall, "").mode, StartupMode::PLAY);

    const StartupDecision asks =
        startup_mode(GAME, "/Uninstall", "/Quiet" + std::string(10'000, 'q'));
    EXPECT_EQ(asks.mode, StartupMode::UNINSTALL);
    EXPECT_FALSE(asks.quiet);
}

struct SearchCase {
    const char* text;
    const char* pattern;
    std::optional<std::size_t> at;
};

const SearchCase SEARCH_CASES[] = {
    {"C:\\Downloads\\quandorsetup.exe", "Setup.exe", 20}, // just after the product word
    {"Setup.exe", "Setup.exe", 0},
    {"Setup.ex", "Setup.exe", std::nullopt}, // pattern longer than text
    {"", "a", std::nullopt},
    {"", "", 0},
    {"abc", "", 0},
    {"xxSETUP.EXE", "setup.exe", 2}, // the last position that can hold it
    {"xxSetup.exe", "Setup.exe", 2},
    {"abAB", "ab", 0}, // the first occurrence
    {"aXbxB", "xb", 1},
    {"[@\\", "{`|", std::nullopt},  // only letters fold: no 0x20 trick on punctuation
    {"\xC4", "\xE4", std::nullopt}, // code-page letters match exactly (Ä and ä)
    {"a\xE4z", "\xE4Z", 1},
    {"aaab", "aab", 1}, // a partial match must not skip the next start
};

TEST(ContainsText, FindsTheFirstCaseBlindOccurrence) {
    for (const SearchCase& c : SEARCH_CASES) {
        EXPECT_EQ(contains_text(c.text, c.pattern), c.at) << c.text << " / " << c.pattern;
    }
}

TEST(ContainsText, SearchesLongTextsToTheirEnd) {
    const std::string text = std::string(10'000, 'q') + "UNINSTALL";
    EXPECT_EQ(contains_text(text, "uninstall"), 10'000u);
    EXPECT_EQ(contains_text(text, "uninstalls"), std::nullopt);
    EXPECT_EQ(contains_text("Uninstall", text), std::nullopt);
}

} // namespace
