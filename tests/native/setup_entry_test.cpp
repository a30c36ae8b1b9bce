#include <gtest/gtest.h>

#include <string>

#include "setup/command_line.h"
#include "setup/install_names.h"
#include "setup/startup_mode.h"
#include "setup/uninstall_entry.h"

namespace {

TEST(InstallNames, AreJoinedFromTheirWords) {
    EXPECT_STREQ(MAKER_FOLDER_PROGRAMS.text, "%ProgramFiles(x86)%\\Halvex");
    EXPECT_STREQ(INSTALL_FOLDER.text, "%ProgramFiles(x86)%\\Halvex\\Quandor");
    EXPECT_STREQ(START_MENU_FOLDER.text,
                 "%ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu\\Programs\\Halvex\\Quandor");
    EXPECT_STREQ(PROGRAM_FILE_STEP.text, "\\Quandor.exe");
    EXPECT_STREQ(SHORTCUT_FILE_STEP.text, "\\Quandor (Ombrisk).lnk");
    EXPECT_STREQ(UNINSTALL_KEY.text,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quandor");
    EXPECT_STREQ(SHORTCUT_DESCRIPTION.text, "Quandor (Ombrisk) Spiel/Game");
}

struct ExpectedValue {
    const char* name;
    ValueType type;
    std::string text;
    std::uint32_t number;
};

const std::string PROGRAM_FILE = "C:\\Program Files (x86)\\Halvex\\Quandor\\Quandor.exe";

TEST(UninstallValues, AreTheTwelveInTheirOrder) {
    const ExpectedValue expected[12] = {
        {"DisplayName", ValueType::TEXT, "Quandor (Ombrisk)", 0},
        {"DisplayIcon", ValueType::TEXT, PROGRAM_FILE, 0},
        {"DisplayVersion", ValueType::TEXT, "v1.0.0.0", 0},
        {"Version", ValueType::NUMBER, "", 16'777'216},
        {"EstimatedSize", ValueType::NUMBER, "", 64},
        {"InstallDate", ValueType::TEXT, "20240229", 0},
        {"NoModify", ValueType::NUMBER, "", 1},
        {"NoRepair", ValueType::NUMBER, "", 1},
        {"UninstallString", ValueType::TEXT, PROGRAM_FILE + " /Uninstall", 0},
        {"QuietUninstallString", ValueType::TEXT, PROGRAM_FILE + " /Uninstall /Quiet", 0},
        {"Publisher", ValueType::TEXT, "Halvex", 0},
        {"URLInfoAbout", ValueType::TEXT, ABOUT_ADDRESS, 0},
    };
    PathBuffer program_file;
    set_text(program_file, PROGRAM_FILE);
    InstallDateBuffer date;
    set_text(date, "20240229");
    for (int i = 0; i < 12; ++i) {
        const UninstallValue& value = UNINSTALL_VALUES[i];
        EXPECT_STREQ(value.name, expected[i].name) << i;
        EXPECT_EQ(value.type, expected[i].type) << value.name;
        ValueBuffer data;
        uninstall_value_text(value, program_file, date, data);
        EXPECT_EQ(text_of(data), expected[i].text) << value.name;
        if (value.type == ValueType::NUMBER) {
            EXPECT_EQ(value.number, expected[i].number) << value.name;
        }
    }
    EXPECT_TRUE(std::string(ABOUT_ADDRESS).starts_with("https://"));
}

TEST(UninstallValues, HoldTheLongestProgramFileWhole) {
    PathBuffer program_file;
    ASSERT_TRUE(set_text(program_file, std::string(520, 'p')));
    const InstallDateBuffer date{};
    ValueBuffer data;
    uninstall_value_text(UNINSTALL_VALUES[9], program_file, date, data);
    EXPECT_EQ(text_of(data), std::string(520, 'p') + " /Uninstall /Quiet");
}

// The registered command lines must start the program in the uninstall mode they promise.
TEST(UninstallValues, CommandLinesSelectUninstall) {
    PathBuffer program_file;
    set_text(program_file, "C:\\Halvex\\Quandor\\Quandor.exe");
    const InstallDateBuffer date{};
    for (const auto& [index, quiet] : {std::pair{8, false}, std::pair{9, true}}) {
        ValueBuffer line;
        uninstall_value_text(UNINSTALL_VALUES[index], program_file, date, line);
        PathBuffer argument1;
        PathBuffer argument2;
        command_line_argument(text_of(line), 1, argument1);
        command_line_argument(text_of(line), 2, argument2);
        const StartupDecision d =
            startup_mode(text_of(program_file), text_of(argument1), text_of(argument2));
        EXPECT_EQ(d.mode, StartupMode::UNINSTALL) << UNINSTALL_VALUES[index].name;
        EXPECT_EQ(d.quiet, quiet) << UNINSTALL_VALUES[index].name;
    }
}

TEST(InstallDate, IsTakenOnlyAsTheTerminatedTextReported) {
    struct Case {
        const char* what;
        std::string written;
        std::int32_t result;
        bool taken;
    };
    const Case cases[] = {
        {"ordinary", "20240229", 9, true},
        {"failure", "20240229", 0, false},
        {"length without terminator", "20240229", 8, false},
        {"negative", "20240229", -1, false},
        {"beyond the buffer", std::string(255, '2'), 10'000, false},
    };
    for (const Case& c : cases) {
        InstallDateBuffer date;
        set_text(date, c.written);
        EXPECT_EQ(take_install_date(date, c.result), c.taken) << c.what;
        EXPECT_EQ(text_of(date), c.taken ? c.written : "") << c.what;
    }
}

TEST(UninstallParameters, RemoveTheStartMenuFolderThenTheInstallFolder) {
    PathBuffer start_menu;
    set_text(start_menu,
             "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Halvex\\Quandor");
    PathBuffer install;
    set_text(install, "C:\\Program Files (x86)\\Halvex\\Quandor");
    InterpreterParameters parameters;
    uninstall_parameters(start_menu, install, parameters);
    EXPECT_EQ(text_of(parameters),
              "/c RD /S /Q \"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Halvex"
              "\\Quandor\" & RD /S /Q \"C:\\Program Files (x86)\\Halvex\\Quandor\"");
}

TEST(UninstallParameters, HoldTwoFullPathBuffersWhole) {
    PathBuffer start_menu;
    set_text(start_menu, std::string(520, 's'));
    PathBuffer install;
    set_text(install, std::string(520, 'i'));
    InterpreterParameters parameters;
    uninstall_parameters(start_menu, install, parameters);
    EXPECT_EQ(text_of(parameters), "/c RD /S /Q \"" + std::string(520, 's') + "\" & RD /S /Q \"" +
                                       std::string(520, 'i') + "\"");
}

} // namespace
