#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "setup/install_names.h"
#include "setup/install_paths.h"

namespace {

// Expands %NAME% from its table the way ExpandEnvironmentStringsA does (unknown names stay as
// written) and records every platform step.
class RecordingHost : public PathHost {
  public:
    std::map<std::string, std::string> variables;
    std::vector<std::string> steps;

    std::uint32_t expand(const char* text, char* buffer, std::uint32_t size) override {
        EXPECT_EQ(size, EXPANSION_BUFFER_SIZE);
        steps.push_back(std::string("expand ") + text);
        std::string out;
        for (const char* p = text; *p != '\0'; ++p) {
            const char* end = *p == '%' ? std::strchr(p + 1, '%') : nullptr;
            const auto found = end ? variables.find(std::string(p + 1, end)) : variables.end();
            if (found != variables.end()) {
                out += found->second;
                p = end;
            } else {
                out += *p;
            }
        }
        const auto needed = static_cast<std::uint32_t>(out.size() + 1);
        if (needed <= size) {
            std::memcpy(buffer, out.c_str(), needed);
        }
        return needed;
    }
    void create_folder(const char* path) override {
        steps.push_back(std::string("create ") + path);
    }
};

RecordingHost windows_host() {
    RecordingHost host;
    host.variables["ProgramFiles(x86)"] = "C:\\Program Files (x86)";
    host.variables["ALLUSERSPROFILE"] = "C:\\ProgramData";
    return host;
}

const std::string PROGRAMS = "C:\\Program Files (x86)\\Halvex";
const std::string START_MENU = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

TEST(InstallPaths, ProgramFileIsComposedWithItsFoldersCreatedOnTheWay) {
    RecordingHost host = windows_host();
    PathBuffer path;
    ASSERT_TRUE(compose_program_file(path, host));
    EXPECT_EQ(text_of(path), PROGRAMS + "\\Quandor\\Quandor.exe");
    EXPECT_EQ(host.steps, (std::vector<std::string>{
                              "expand %ProgramFiles(x86)%\\Halvex",
                              "create " + PROGRAMS,
                              "create " + PROGRAMS + "\\Quandor",
                          }));
}

TEST(InstallPaths, ShortcutFileIsComposedWithItsFoldersCreatedOnTheWay) {
    RecordingHost host = windows_host();
    PathBuffer path;
    ASSERT_TRUE(compose_shortcut_file(path, host));
    EXPECT_EQ(text_of(path), START_MENU + "\\Halvex\\Quandor\\Quandor (Ombrisk).lnk");
    EXPECT_EQ(host.steps, (std::vector<std::string>{
                              "expand %ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu\\Programs",
                              "create " + START_MENU + "\\Halvex",
                              "create " + START_MENU + "\\Halvex\\Quandor",
                          }));
}

TEST(InstallPaths, UninstallExpandsEachFolderWhole) {
    RecordingHost host = windows_host();
    PathBuffer start_menu;
    PathBuffer install;
    compose_start_menu_folder(start_menu, host);
    compose_install_folder(install, host);
    EXPECT_EQ(text_of(start_menu), START_MENU + "\\Halvex\\Quandor");
    EXPECT_EQ(text_of(install), PROGRAMS + "\\Quandor");
    EXPECT_EQ(host.steps,
              (std::vector<std::string>{
                  "expand %ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu\\Programs\\Halvex"
                  "\\Quandor",
                  "expand %ProgramFiles(x86)%\\Halvex\\Quandor",
              }));

    PathBuffer shortcut;
    ASSERT_TRUE(shortcut_file_in(start_menu, shortcut));
    EXPECT_EQ(text_of(shortcut), START_MENU + "\\Halvex\\Quandor\\Quandor (Ombrisk).lnk");
}

TEST(InstallPaths, UndefinedVariableStaysInThePath) {
    RecordingHost host; // no ProgramFiles(x86)
    PathBuffer path;
    ASSERT_TRUE(compose_program_file(path, host));
    EXPECT_EQ(text_of(path), "%ProgramFiles(x86)%\\Halvex\\Quandor\\Quandor.exe");
    EXPECT_EQ(host.steps[1], "create %ProgramFiles(x86)%\\Halvex");
}

// The host writes `written` and returns `result`, whatever the buffer.
class ScriptedHost : public PathHost {
  public:
    std::string written;
    std::uint32_t result = 0;

    std::uint32_t expand(const char*, char* buffer, std::uint32_t size) override {
        std::memcpy(buffer, written.data(), std::min<std::size_t>(written.size(), size));
        return result;
    }
    void create_folder(const char*) override {}
};

struct ExpansionCase {
    const char* what;
    std::string written;
    std::uint32_t result;
    bool replaced;
};

TEST(ExpandEnvironment, ReplacesThePathOnlyWithATerminatedTextThatFits) {
    const std::string longest(511, 'e');
    const ExpansionCase cases[] = {
        {"ordinary", std::string("C:\\x\0", 5), 5, true},
        {"511 characters", longest + '\0', 512, true},
        {"failure", std::string("C:\\x\0", 5), 0, false},
        {"needs 513", longest + 'e', 513, false},
        {"needs 10,001", std::string(512, 'e'), 10'001, false},
        {"claims to fit, unterminated", std::string(512, 'e'), 512, false},
        {"claims 5, unterminated", std::string(512, 'e'), 5, false},
    };
    for (const ExpansionCase& c : cases) {
        ScriptedHost host;
        host.written = c.written;
        host.result = c.result;
        PathBuffer path;
        set_text(path, "%X%\\before");
        EXPECT_EQ(expand_environment(path, host), c.replaced) << c.what;
        const std::string expected =
            c.replaced ? std::string(c.written.c_str()) : std::string("%X%\\before");
        EXPECT_EQ(text_of(path), expected) << c.what;
    }
}

TEST(ExpandEnvironment, TenThousandCharacterExpansionLeavesThePath) {
    RecordingHost host;
    host.variables["ProgramFiles(x86)"] = std::string(10'000, 'p');
    PathBuffer path;
    set_text(path, INSTALL_FOLDER.text);
    EXPECT_FALSE(expand_environment(path, host));
    EXPECT_EQ(text_of(path), "%ProgramFiles(x86)%\\Halvex\\Quandor");
}

// A variable that makes the expanded folder `length` characters long.
RecordingHost host_with_programs_length(std::size_t length) {
    RecordingHost host;
    host.variables["ProgramFiles(x86)"] = std::string(length - (sizeof "\\Halvex" - 1), 'p');
    return host;
}

TEST(InstallPaths, ProgramFileThatDoesNotFitIsRefusedAtItsLastPart) {
    const std::size_t tail = sizeof "\\Quandor\\Quandor.exe" - 1;
    {
        RecordingHost host = host_with_programs_length(520 - tail);
        PathBuffer path;
        ASSERT_TRUE(compose_program_file(path, host));
        EXPECT_EQ(text_of(path).size(), 520u);
    }
    {
        RecordingHost host = host_with_programs_length(520 - tail + 1);
        PathBuffer path;
        EXPECT_FALSE(compose_program_file(path, host));
        // The path stays the install folder; both folders were created.
        EXPECT_EQ(text_of(path).size(), 520 - tail + 1 + sizeof "\\Quandor" - 1);
        EXPECT_TRUE(text_of(path).ends_with("\\Halvex\\Quandor"));
        EXPECT_EQ(host.steps.size(), 3u);
    }
    {
        // The longest expansion there is still leaves room for the install folder.
        RecordingHost host = host_with_programs_length(511);
        PathBuffer path;
        EXPECT_FALSE(compose_program_file(path, host));
        EXPECT_EQ(text_of(path).size(), 511u + sizeof "\\Quandor" - 1);
        EXPECT_EQ(host.steps.size(), 3u);
    }
}

TEST(InstallPaths, ShortcutFileThatDoesNotFitIsRefused) {
    RecordingHost host;
    const std::size_t programs_tail = sizeof "\\Microsoft\\Windows\\Start Menu\\Programs" - 1;
    host.variables["ALLUSERSPROFILE"] = std::string(511 - programs_tail, 'a');
    PathBuffer path;
    EXPECT_FALSE(compose_shortcut_file(path, host));
    EXPECT_EQ(text_of(path).size(), 511u + sizeof "\\Halvex" - 1);
    EXPECT_EQ(host.steps.size(), 2u); // the maker folder only

    PathBuffer folder;
    set_text(folder, std::string(520 - (sizeof "\\Quandor (Ombrisk).lnk" - 1) + 1, 'f'));
    PathBuffer shortcut;
    set_text(shortcut, "stale");
    EXPECT_FALSE(shortcut_file_in(folder, shortcut));
    EXPECT_EQ(text_of(shortcut), "");
}

struct ModulePathCase {
    const char* what;
    std::string written;
    std::uint32_t result;
    bool taken;
};

TEST(ModulePath, IsTakenOnlyWhenTheSystemReportsItWhole) {
    const std::string longest(520, 'm');
    const ModulePathCase cases[] = {
        {"ordinary", "C:\\Downloads\\QuandorSetup.exe", 29, true},
        {"520 characters", longest, 520, true},
        {"failure", "C:\\x", 0, false},
        {"cut to the buffer", longest, 521, false},
        {"result beyond the buffer", longest, 10'000, false},
        {"result does not match", "C:\\x", 3, false},
    };
    for (const ModulePathCase& c : cases) {
        PathBuffer path;
        set_text(path, c.written);
        EXPECT_EQ(take_module_path(path, c.result), c.taken) << c.what;
        EXPECT_EQ(text_of(path), c.taken ? c.written : "") << c.what;
    }
    PathBuffer unterminated;
    std::memset(unterminated.text, 'm', PATH_BUFFER_SIZE);
    EXPECT_FALSE(take_module_path(unterminated, PATH_BUFFER_SIZE));
    EXPECT_EQ(text_of(unterminated), "");
    // A full buffer without a terminator never passes for a 520-character path.
    std::memset(unterminated.text, 'm', PATH_BUFFER_SIZE);
    EXPECT_FALSE(take_module_path(unterminated, PATH_BUFFER_SIZE - 1));
    EXPECT_EQ(text_of(unterminated), "");
    EXPECT_EQ(unterminated.text[0], '\0');
}

TEST(TextBuffer, RefusesWhatDoesNotFitAndKeepsTheText) {
    PathBuffer path;
    EXPECT_TRUE(set_text(path, std::string(515, 'a')));
    EXPECT_TRUE(append_text(path, "12345"));
    EXPECT_FALSE(append_text(path, "6"));
    EXPECT_EQ(text_of(path), std::string(515, 'a') + "12345");
    EXPECT_FALSE(set_text(path, std::string(10'000, 'b')));
    EXPECT_FALSE(append_text(path, std::string(10'000, 'b')));
    EXPECT_EQ(text_of(path), std::string(515, 'a') + "12345");
    // A buffer a platform call left unterminated reads as cut before its last byte.
    std::memset(path.text, 'c', PATH_BUFFER_SIZE);
    EXPECT_EQ(text_of(path), std::string(520, 'c'));
    EXPECT_FALSE(append_text(path, "d"));
}

} // namespace
