#include <gtest/gtest.h>

#include <string>

#include "setup/working_dir.h"

namespace {

struct WorkingDirCase {
    std::string working_dir;
    std::string target;
    std::string expected;
};

const std::string TARGET = "C:\\Program Files (x86)\\Halvex\\Quandor\\Quandor.exe";

const WorkingDirCase CASES[] = {
    {"", TARGET, "C:\\Program Files (x86)\\Halvex\\Quandor"},
    {"", "C:\\game.exe", "C:"},       // the root backslash goes with the file name
    {"", "game.exe", "game.exe"},     // no backslash: the whole target
    {"", "\\game.exe", "\\game.exe"}, // only at position 0: the whole target
    {"", "\\\\game.exe", "\\"},       // the last one is above position 0
    {"", "", ""},
    {"D:\\Work", TARGET, "D:\\Work"},
    {"\"D:\\My Work\"", TARGET, "D:\\My Work\""}, // the closing quote stays
    {"\"", "C:\\Games\\q.exe", "C:\\Games"},      // one quote only: empty, so the target's folder
    {"\"\"", TARGET, "\""},                       // only the leading quote goes
    {"D:\\\"x\"", TARGET, "D:\\\"x\""},
    {"", "\"C:\\Games\\q.exe\"", "\"C:\\Games"}, // the target's own quote stays
    {"", "C:\\Games\\", "C:\\Games"},
};

TEST(ShortcutWorkingDir, FollowsTheRule) {
    for (const WorkingDirCase& c : CASES) {
        WorkingDirBuffer out;
        set_text(out, "stale");
        EXPECT_TRUE(shortcut_working_dir(c.working_dir, c.target, out))
            << c.working_dir << " | " << c.target;
        EXPECT_EQ(text_of(out), c.expected) << c.working_dir << " | " << c.target;
    }
}

struct BoundCase {
    const char* what;
    std::string working_dir;
    std::string target;
    bool fits;
};

TEST(ShortcutWorkingDir, OnlyAResultOfAtMost511CharactersIsKept) {
    const std::string a511(511, 'a');
    const std::string a512(512, 'a');
    const std::string huge(10'000, 'h');
    const BoundCase cases[] = {
        {"511 given", a511, TARGET, true},
        {"512 given", a512, TARGET, false},
        {"512 given with its leading quote", "\"" + a511, TARGET, true},
        {"10,000 given", huge, TARGET, false},
        {"10,000 given after one quote", "\"" + huge, TARGET, false},
        {"target's folder of 511", "", a511 + "\\Quandor.exe", true},
        {"target's folder of 512", "", a512 + "\\Quandor.exe", false},
        {"10,000 target without backslash", "", huge, false},
        {"10,000 target cut short", "", "C:\\Games\\" + huge, true},
        {"10,000 target with folder of 10,000", "", huge + "\\q.exe", false},
    };
    for (const BoundCase& c : cases) {
        WorkingDirBuffer out;
        set_text(out, "stale");
        EXPECT_EQ(shortcut_working_dir(c.working_dir, c.target, out), c.fits) << c.what;
        if (c.fits) {
            EXPECT_LE(text_of(out).size(), 511u) << c.what;
            EXPECT_NE(text_of(out), "stale") << c.what;
        } else {
            EXPECT_EQ(text_of(out), "") << c.what;
        }
    }
}

} // namespace
