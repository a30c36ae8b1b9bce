#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/command_line.h"

namespace {

// Every argument of the line, read the way the program reads them: by index until one is
// missing.
std::vector<std::string> arguments(std::string_view line) {
    std::vector<std::string> out;
    for (int index = 1;; ++index) {
        PathBuffer argument;
        set_text(argument, "stale");
        const ArgumentStatus status = command_line_argument(line, index, argument);
        if (status == ArgumentStatus::MISSING) {
            EXPECT_EQ(text_of(argument), "") << "a missing argument is the empty text";
            return out;
        }
        EXPECT_EQ(status, ArgumentStatus::FOUND);
        out.emplace_back(text_of(argument));
    }
}

struct SplitCase {
    std::string line;
    std::vector<std::string> arguments;
};

const SplitCase SPLIT_CASES[] = {
    {"", {}},
    {"   ", {}},
    {"Quandor.exe", {}},
    {"Quandor.exe /S", {"/S"}},
    {"\"C:\\Program Files (x86)\\Halvex\\Quandor\\Quandor.exe\" /Uninstall /Quiet",
     {"/Uninstall", "/Quiet"}},
    {"  prog   x  ", {"x"}}, // a run of blanks is one split
    {"prog\t/a\x01/b\x1F/c\n/d\r/e", {"/a", "/b", "/c", "/d", "/e"}}, // codes 1 to 32 split
    {"prog a!b \x7F \xA0x", {"a!b", "\x7F", "\xA0x"}}, // 33, 127 and code-page bytes do not
    {"prog \"a b\" c", {"a b", "c"}},
    {"prog a\"b c\"d", {"ab cd"}}, // a quote switches grouping inside a part
    {"prog \"a\tb", {"a\tb"}},     // an open group runs to the end
    {"prog \"\"", {""}},           // a pair leaves an empty argument
    {"prog \"\" x", {"", "x"}},
    {"prog a\"\"b", {"ab"}},                      // a pair is removed
    {"prog a\"\" b", {"a", "b"}},                 // ... and leaves grouping off
    {"prog \"a\"\"b c\"", {"ab c"}},              // ... or on
    {"prog \"\"\"a b\"", {"a b"}},                // a pair, then a quote that opens
    {"prog \"\"\"\"a b", {"a", "b"}},             // two pairs: grouping as it was
    {"\"C:\\My Games\\Quandor.exe\" /S", {"/S"}}, // the first part is never an argument
    {"\"C:\\My Games\\Quandor.exe\"x /S", {"/S"}},
    {"C:\\My Games\\Quandor.exe /S", {"Games\\Quandor.exe", "/S"}}, // unquoted: split at blank
};

TEST(CommandLine, SplitsIntoArgumentsAfterTheFirstPart) {
    for (const SplitCase& c : SPLIT_CASES) {
        EXPECT_EQ(arguments(c.line), c.arguments) << c.line;
    }
}

TEST(CommandLine, IndexBelowOneIsNoArgument) {
    for (const int index : {0, -1}) {
        PathBuffer out;
        set_text(out, "stale");
        EXPECT_EQ(command_line_argument("prog a b", index, out), ArgumentStatus::MISSING);
        EXPECT_EQ(text_of(out), "");
    }
}

TEST(CommandLine, ArgumentsUpTo520CharactersFit) {
    const std::string longest(520, 'a');
    PathBuffer out;
    EXPECT_EQ(command_line_argument("prog " + longest + " b", 1, out), ArgumentStatus::FOUND);
    EXPECT_EQ(text_of(out), longest);
    // Removed quotes do not count.
    EXPECT_EQ(command_line_argument("prog \"" + longest + "\"\"\"", 1, out), ArgumentStatus::FOUND);
    EXPECT_EQ(text_of(out), longest);
}

TEST(CommandLine, LongerArgumentsAreRefusedWhole) {
    for (const std::size_t length : {521u, 10'000u}) {
        const std::string line = "prog /Uninstall " + std::string(length, 'q') + " /Quiet";
        PathBuffer out;
        set_text(out, "stale");
        EXPECT_EQ(command_line_argument(line, 2, out), ArgumentStatus::TOO_LONG) << length;
        EXPECT_EQ(text_of(out), "") << length;
        // The parts around it are read as usual.
        EXPECT_EQ(command_line_argument(line, 1, out), ArgumentStatus::FOUND);
        EXPECT_EQ(text_of(out), "/Uninstall");
        EXPECT_EQ(command_line_argument(line, 3, out), ArgumentStatus::FOUND);
        EXPECT_EQ(text_of(out), "/Quiet");
        EXPECT_EQ(command_line_argument(line, 4, out), ArgumentStatus::MISSING);
    }
}

TEST(CommandLine, LongFirstPartDoesNotHideTheArguments) {
    const std::string line = "\"" + std::string(10'000, 'p') + "\" /S";
    PathBuffer out;
    EXPECT_EQ(command_line_argument(line, 1, out), ArgumentStatus::FOUND);
    EXPECT_EQ(text_of(out), "/S");
}

} // namespace
