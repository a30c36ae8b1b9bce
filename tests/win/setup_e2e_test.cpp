// Setup end to end: the built program, started under the names and with the arguments a user
// gives it, installs itself into this throwaway prefix, answers to its questions, closes running
// games and removes itself again. Each case starts from a machine without any of it.
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "setup/uninstall_entry.h"
#include "tests/win/box_text.h"
#include "tests/win/shortcut_reader.h"

namespace {

// The program as built, and the names it is given here.
constexpr char SOURCE_PROGRAM[] = QUANDOR_PROGRAM_FILE;
constexpr char SETUP_NAME[] = "QuandorSetup.exe";
constexpr char GAME_NAME[] = "Quandor.exe";
constexpr char UNINSTALL_KEY_PATH[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quandor";
constexpr DWORD PROCESS_WAIT_MS = 30000;

std::string environment(const char* name) {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string file_bytes(const std::string& path) {
    std::string bytes;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.append(chunk, got);
    }
    CloseHandle(file);
    return bytes;
}

void delete_tree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                delete_tree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Where installation puts things on this machine, spelled out from the environment.
struct Places {
    std::string maker_programs = environment("ProgramFiles(x86)") + "\\Halvex";
    std::string install_folder = maker_programs + "\\Quandor";
    std::string program_file = install_folder + "\\Quandor.exe";
    std::string maker_start_menu =
        environment("ALLUSERSPROFILE") + "\\Microsoft\\Windows\\Start Menu\\Programs\\Halvex";
    std::string start_menu_folder = maker_start_menu + "\\Quandor";
    std::string shortcut = start_menu_folder + "\\Quandor (Ombrisk).lnk";
    std::string staging = environment("TEMP") + "\\quandor-setup-e2e";
    std::string setup_copy = staging + "\\" + SETUP_NAME;
    std::string game_copy = staging + "\\" + GAME_NAME;
};

// ---- The uninstall entry ---------------------------------------------------------------------

struct Value {
    DWORD type = 0;
    std::string bytes;
};

// The entry in the 32-bit view, where the 32-bit program keeps it; empty when there is none.
std::vector<std::pair<std::string, Value>> entry_values(REGSAM view = KEY_WOW64_32KEY) {
    std::vector<std::pair<std::string, Value>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD name_size = sizeof name;
        BYTE data[2048];
        DWORD data_size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &name_size, nullptr, &type, data, &data_size) !=
            ERROR_SUCCESS) {
            break;
        }
        values.push_back(
            {name, {type, std::string(reinterpret_cast<const char*>(data), data_size)}});
    }
    RegCloseKey(key);
    return values;
}

bool key_exists(REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

const Value* find_value(const std::vector<std::pair<std::string, Value>>& values,
                        const std::string& name) {
    for (const auto& [value_name, value] : values) {
        if (value_name == name) {
            return &value;
        }
    }
    return nullptr;
}

Value text_value(const std::string& text) {
    return {REG_SZ, text + std::string(1, '\0')};
}

Value number_value(DWORD number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

std::string today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

// ---- Processes and windows ---------------------------------------------------------------------

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
};

bool running(const Process& p) {
    return WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT;
}

// The exit code, or STILL_ACTIVE when the process has not ended in time.
DWORD exit_code(const Process& p, DWORD wait_ms = PROCESS_WAIT_MS) {
    WaitForSingleObject(p.handle, wait_ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(p.handle, &code);
    return code;
}

size_t count_processes(const char* exe_name) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    size_t count = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exe_name) == 0) {
            ++count;
        }
    }
    CloseHandle(snapshot);
    return count;
}

struct WindowSearch {
    DWORD process;
    const char* class_name;
    bool unowned;
    HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM search_address) {
    auto* search = reinterpret_cast<WindowSearch*>(search_address);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[64];
    GetClassNameA(window, class_name, sizeof class_name);
    if (process == search->process && lstrcmpA(class_name, search->class_name) == 0 &&
        IsWindowVisible(window) && (!search->unowned || GetWindow(window, GW_OWNER) == nullptr)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the class in the process, looked for during at most 20 s.
HWND wait_for_window(const Process& p, const char* class_name, bool unowned) {
    for (int waited = 0; waited < 20000 && running(p); waited += 20) {
        WindowSearch search{p.id, class_name, unowned, nullptr};
        EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(20);
    }
    return nullptr;
}

struct Question {
    std::wstring caption;
    std::wstring text;
};

// Reads the question box and answers it as a click on the button would.
Question answer_question(HWND box, int button) {
    Question q;
    wchar_t caption[256];
    q.caption.assign(caption, GetWindowTextW(box, caption, 256));
    q.text = box_text(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return q;
}

bool german_user() {
    return (GetUserDefaultLangID() & 0x3FF) == LANG_GERMAN;
}

// ---- The fixture -------------------------------------------------------------------------------

// What installation leaves on the machine, as far as the tests look.
struct Installed {
    bool program_file, shortcut, key, install_folder, start_menu_folder, maker_programs,
        maker_start_menu;
    bool operator==(const Installed&) const = default;
};

constexpr Installed NOTHING{false, false, false, false, false, false, false};
constexpr Installed EVERYTHING{true, true, true, true, true, true, true};
constexpr Installed MAKER_FOLDERS_ONLY{false, false, false, false, false, true, true};

void PrintTo(const Installed& s, std::ostream* out) {
    *out << "{program_file " << s.program_file << ", shortcut " << s.shortcut << ", key " << s.key
         << ", install_folder " << s.install_folder << ", start_menu_folder " << s.start_menu_folder
         << ", maker_programs " << s.maker_programs << ", maker_start_menu " << s.maker_start_menu
         << "}";
}

class Setup : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(environment("ProgramFiles(x86)").empty());
        stop_stray_processes();
        delete_tree(places_.maker_programs);
        delete_tree(places_.maker_start_menu);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, KEY_WOW64_32KEY, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, KEY_WOW64_64KEY, 0);
        ASSERT_EQ(installed(), NOTHING) << "a previous case left its installation behind";
        // An interpreter of an earlier uninstallation may still hold it as its current folder.
        delete_tree(places_.staging);
        CreateDirectoryA(places_.staging.c_str(), nullptr);
        ASSERT_TRUE(exists(places_.staging));
        ASSERT_TRUE(CopyFileA(SOURCE_PROGRAM, places_.setup_copy.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(SOURCE_PROGRAM, places_.game_copy.c_str(), FALSE));
    }

    void TearDown() override {
        for (const Process& p : started_) {
            if (running(p)) {
                TerminateProcess(p.handle, 99);
                WaitForSingleObject(p.handle, 5000);
            }
            CloseHandle(p.handle);
        }
        started_.clear();
    }

    // Games and setups of an earlier case that failed half-way, a chain of restarts included.
    static void stop_stray_processes() {
        for (int round = 0; round < 50; ++round) {
            std::vector<DWORD> stray;
            const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
            PROCESSENTRY32 entry{};
            entry.dwSize = sizeof entry;
            for (BOOL more = Process32First(snapshot, &entry); more;
                 more = Process32Next(snapshot, &entry)) {
                for (const char* name : {SETUP_NAME, GAME_NAME, "setup.exe"}) {
                    if (lstrcmpiA(entry.szExeFile, name) == 0) {
                        stray.push_back(entry.th32ProcessID);
                    }
                }
            }
            CloseHandle(snapshot);
            if (stray.empty()) {
                return;
            }
            for (const DWORD id : stray) {
                const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
                if (process != nullptr) {
                    TerminateProcess(process, 99);
                    WaitForSingleObject(process, 5000);
                    CloseHandle(process);
                }
            }
        }
    }

    // Started in the staging folder, so no folder to be removed is any process's current one.
    Process start(const std::string& program, const std::string& arguments) {
        std::string line = "\"" + program + "\"";
        if (!arguments.empty()) {
            line += " " + arguments;
        }
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            places_.staging.c_str(), &startup, &info)) {
            ADD_FAILURE() << "cannot start " << line << ": error " << GetLastError();
            return {};
        }
        CloseHandle(info.hThread);
        started_.push_back({info.hProcess, info.dwProcessId});
        return started_.back();
    }

    DWORD run(const std::string& program, const std::string& arguments) {
        const Process p = start(program, arguments);
        return p.handle != nullptr ? exit_code(p) : STILL_ACTIVE;
    }

    DWORD install_quietly() { return run(places_.setup_copy, "/S"); }

    // A game from the staging folder (or the one given), with its window up.
    Process start_game(const std::string& program = "") {
        const Process game = start(program.empty() ? places_.game_copy : program, "");
        EXPECT_NE(wait_for_window(game, "QuandorCls", true), nullptr) << "the game's window";
        return game;
    }

    Installed installed() const {
        return {exists(places_.program_file),      exists(places_.shortcut),
                key_exists(KEY_WOW64_32KEY),       exists(places_.install_folder),
                exists(places_.start_menu_folder), exists(places_.maker_programs),
                exists(places_.maker_start_menu)};
    }

    // The cmd.exe that uninstall starts goes on after the program has ended.
    Installed installed_after_removal() const {
        for (int waited = 0; waited < 15000; waited += 50) {
            if (!exists(places_.install_folder) && !exists(places_.start_menu_folder)) {
                break;
            }
            Sleep(50);
        }
        return installed();
    }

    void expect_installation_complete() {
        EXPECT_EQ(installed(), EVERYTHING);
        EXPECT_EQ(file_bytes(places_.program_file), file_bytes(SOURCE_PROGRAM))
            << "the installed program is a copy of the one that ran";

        const std::string program = places_.program_file;
        const std::pair<const char*, Value> expected[] = {
            {"DisplayName", text_value("Quandor (Ombrisk)")},
            {"DisplayIcon", text_value(program)},
            {"DisplayVersion", text_value("v1.0.0.0")},
            {"Version", number_value(16777216)},
            {"EstimatedSize", number_value(64)},
            {"InstallDate", text_value(today())},
            {"NoModify", number_value(1)},
            {"NoRepair", number_value(1)},
            {"UninstallString", text_value(program + " /Uninstall")},
            {"QuietUninstallString", text_value(program + " /Uninstall /Quiet")},
            {"Publisher", text_value("Halvex")},
            {"URLInfoAbout", text_value(ABOUT_ADDRESS)},
        };
        const auto values = entry_values();
        EXPECT_EQ(values.size(), 12u);
        for (const auto& [name, value] : expected) {
            SCOPED_TRACE(name);
            const Value* stored = find_value(values, name);
            ASSERT_NE(stored, nullptr);
            EXPECT_EQ(stored->type, value.type);
            EXPECT_EQ(stored->bytes, value.bytes);
        }
        if constexpr (sizeof(void*) == 8) {
            EXPECT_FALSE(key_exists(KEY_WOW64_64KEY)) << "the key belongs in the 32-bit view";
        }

        const LoadedShortcut link = load_shortcut(places_.shortcut);
        ASSERT_TRUE(link.loaded);
        EXPECT_EQ(link.path, program);
        EXPECT_EQ(link.working_dir, places_.install_folder);
        EXPECT_EQ(link.description, "Quandor (Ombrisk) Spiel/Game");
        EXPECT_EQ(link.stored_show_cmd, 0);
        EXPECT_EQ(link.arguments, "");
        EXPECT_EQ(link.icon_path, "");
        EXPECT_EQ(link.icon_index, 0);
    }

    Places places_;
    std::vector<Process> started_;
};

// ---- Installation ------------------------------------------------------------------------------

TEST_F(Setup, QuietInstallInstallsEverythingAndStartsNoGame) {
    EXPECT_EQ(install_quietly(), 0u);
    expect_installation_complete();
    EXPECT_EQ(count_processes(GAME_NAME), 0u) << "the installed game is not started";
}

TEST_F(Setup, ASecondInstallOverwritesTheFirst) {
    ASSERT_EQ(install_quietly(), 0u);
    // Spoil what the first one made.
    const HANDLE file = CreateFileA(places_.program_file.c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, 0,
                            KEY_SET_VALUE | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>("old"), 4);
    RegDeleteValueA(key, "Publisher");
    RegCloseKey(key);
    ASSERT_TRUE(DeleteFileA(places_.shortcut.c_str()));

    EXPECT_EQ(install_quietly(), 0u);
    expect_installation_complete();
}

TEST_F(Setup, QuietArgumentsAreTakenInAnyCase) {
    // "-S" and "/S" anywhere in argument 1, in any case; the file name in any case.
    const std::string lower_setup = places_.staging + "\\setup.exe";
    ASSERT_TRUE(CopyFileA(SOURCE_PROGRAM, lower_setup.c_str(), FALSE));
    EXPECT_EQ(run(lower_setup, "-s"), 0u);
    EXPECT_EQ(installed(), EVERYTHING);
}

TEST_F(Setup, AGameRunningFromTheInstallFolderMakesSetupEndWith1) {
    ASSERT_EQ(install_quietly(), 0u);
    const Process game = start_game(places_.program_file);

    EXPECT_EQ(install_quietly(), 1u);

    // Already elevated, as every process under Wine: no second setup is started.
    size_t most = 0;
    for (int waited = 0; waited < 1500; waited += 10) {
        most = std::max(most, count_processes(SETUP_NAME));
        Sleep(10);
    }
    EXPECT_EQ(most, 0u) << "a second setup process was started";
    EXPECT_TRUE(running(game)) << "the game is asked to close only after a successful copy";
}

TEST_F(Setup, InstallClosesARunningGame) {
    const Process game = start_game();
    EXPECT_EQ(install_quietly(), 0u);
    EXPECT_EQ(exit_code(game, 5000), 0u) << "the game ended through its message loop";
    expect_installation_complete();
}

TEST_F(Setup, TheInstallQuestion) {
    const struct {
        const char* name;
        int button;
        Installed after;
    } cases[] = {
        {"no_changes_nothing", IDNO, NOTHING},
        {"cancel_changes_nothing", IDCANCEL, NOTHING},
        {"yes_installs", IDYES, EVERYTHING},
    };
    const std::wstring text =
        german_user() ? L"Quandor (Ombrisk)\u00A0v1.0.0.0\rF\u00FCr alle Benutzer installieren?"
                      : L"Quandor (Ombrisk)\u00A0v1.0.0.0\rInstall for all users?";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Process setup = start(places_.setup_copy, "");
        const HWND box = wait_for_window(setup, "#32770", true);
        ASSERT_NE(box, nullptr) << "no question without an owner";
        EXPECT_EQ(installed(), NOTHING) << "nothing is done before the answer";
        const Question q = answer_question(box, c.button);
        EXPECT_EQ(q.caption, L"Installation");
        EXPECT_EQ(q.text, text);
        EXPECT_EQ(exit_code(setup), 0u);
        EXPECT_EQ(installed(), c.after);
    }
}

TEST_F(Setup, ANameWithoutSetupStartsTheGame) {
    const Process game = start(places_.game_copy, "/S");
    EXPECT_NE(wait_for_window(game, "QuandorCls", true), nullptr);
    EXPECT_EQ(installed(), NOTHING);
}

// ---- Uninstallation ----------------------------------------------------------------------------

TEST_F(Setup, QuietUninstallRemovesEverythingButTheMakerFolders) {
    ASSERT_EQ(install_quietly(), 0u);
    // As the list of installed programs starts it: the installed copy itself.
    EXPECT_EQ(run(places_.program_file, "/Uninstall /Quiet"), 3u);
    EXPECT_FALSE(exists(places_.shortcut)) << "deleted before the interpreter starts";
    EXPECT_FALSE(key_exists(KEY_WOW64_32KEY));
    EXPECT_FALSE(key_exists(KEY_WOW64_64KEY));
    EXPECT_EQ(installed_after_removal(), MAKER_FOLDERS_ONLY);
}

TEST_F(Setup, UninstallClosesARunningGame) {
    ASSERT_EQ(install_quietly(), 0u);
    const Process game = start_game();
    // From a copy outside the install folder: the fixed places are removed all the same.
    EXPECT_EQ(run(places_.setup_copy, "-UNINSTALL quiet"), 3u);
    EXPECT_EQ(exit_code(game, 5000), 0u);
    EXPECT_EQ(installed_after_removal(), MAKER_FOLDERS_ONLY);
}

TEST_F(Setup, UninstallWithNothingInstalledEndsWith3) {
    EXPECT_EQ(run(places_.game_copy, "/Uninstall /Quiet"), 3u);
    EXPECT_EQ(installed_after_removal(), NOTHING);
}

TEST_F(Setup, TheUninstallQuestion) {
    const struct {
        const char* name;
        int button;
        DWORD code;
        Installed after;
        bool game_closed;
    } cases[] = {
        {"no_changes_nothing", IDNO, 2, EVERYTHING, false},
        {"cancel_changes_nothing", IDCANCEL, 2, EVERYTHING, false},
        {"yes_removes", IDYES, 3, MAKER_FOLDERS_ONLY, true},
    };
    const bool german = german_user();
    ASSERT_EQ(install_quietly(), 0u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Process game = start_game();
        // Argument 2 without "Quiet" keeps the question.
        const Process uninstall = start(places_.program_file, "/Uninstall /Silent");
        const HWND box = wait_for_window(uninstall, "#32770", true);
        ASSERT_NE(box, nullptr) << "no question without an owner";
        const Question q = answer_question(box, c.button);
        EXPECT_EQ(q.caption, german ? L"Deinstallation" : L"Uninstall");
        EXPECT_EQ(q.text, german ? L"Quandor (Ombrisk)\rvon diesem Computer entfernen?"
                                 : L"Remove Quandor (Ombrisk)\rfrom this computer?");
        EXPECT_EQ(exit_code(uninstall), c.code);
        if (c.game_closed) {
            EXPECT_EQ(exit_code(game, 5000), 0u);
            EXPECT_EQ(installed_after_removal(), c.after);
        } else {
            EXPECT_TRUE(running(game)) << "running games are not touched";
            EXPECT_EQ(installed(), c.after);
            EXPECT_EQ(entry_values().size(), 12u);
            TerminateProcess(game.handle, 99);
            WaitForSingleObject(game.handle, 5000);
        }
    }
}

} // namespace
