// The Windows side of setup, one operation at a time: the registry writers, the install date,
// the environment expansion, the closing of running games and the shortcut writer, both with
// the calls as Windows receives them and with the real shell-link object.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "setup/win32/install.h"
#include "setup/win32/path_host.h"
#include "setup/win32/registry.h"
#include "setup/win32/shortcut.h"
#include "tests/win/import_hook.h"
#include "tests/win/shortcut_reader.h"

namespace {

// ---- Registry writers -------------------------------------------------------------------------

constexpr char TEST_KEY[] = "SOFTWARE\\QuandorTest\\Writers";

void delete_test_key(REGSAM view) {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, TEST_KEY, view, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\QuandorTest", view, 0);
}

struct StoredValue {
    bool found = false;
    DWORD type = 0;
    std::string bytes;
};

StoredValue read_value(REGSAM view, const char* name) {
    StoredValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TEST_KEY, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
        return value;
    }
    char data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) ==
        ERROR_SUCCESS) {
        value.found = true;
        value.bytes.assign(data, size);
    }
    RegCloseKey(key);
    return value;
}

class RegistryWriters : public testing::Test {
  protected:
    void SetUp() override {
        delete_test_key(KEY_WOW64_32KEY);
        delete_test_key(KEY_WOW64_64KEY);
    }
    void TearDown() override { SetUp(); }
};

struct WriteCase {
    const char* name;
    bool number;
    const char* text;
    std::uint32_t value;
    DWORD type;
    std::string bytes; // as stored
};

TEST_F(RegistryWriters, StoreTypeAndDataInThe32BitView) {
    const WriteCase cases[] = {
        {"DisplayName", false, "Quandor (Ombrisk)", 0, REG_SZ,
         std::string("Quandor (Ombrisk)\0", 18)},
        {"Empty", false, "", 0, REG_SZ, std::string("\0", 1)},
        {"Version", true, nullptr, 0x01000000, REG_DWORD, std::string("\0\0\0\1", 4)},
        {"EstimatedSize", true, nullptr, 64, REG_DWORD, std::string("\x40\0\0\0", 4)},
        {"Zero", true, nullptr, 0, REG_DWORD, std::string("\0\0\0\0", 4)},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const bool opened =
            c.number ? write_registry_dword(HKEY_LOCAL_MACHINE, TEST_KEY, c.name, c.value)
                     : write_registry_string(HKEY_LOCAL_MACHINE, TEST_KEY, c.name, c.text);
        EXPECT_TRUE(opened);
        const StoredValue stored = read_value(KEY_WOW64_32KEY, c.name);
        ASSERT_TRUE(stored.found);
        EXPECT_EQ(stored.type, c.type);
        EXPECT_EQ(stored.bytes, c.bytes);
        if constexpr (sizeof(void*) == 8) {
            EXPECT_FALSE(read_value(KEY_WOW64_64KEY, c.name).found)
                << "the 64-bit build must write the 32-bit program's key";
        }
    }
}

TEST_F(RegistryWriters, AWrittenValueIsReplaced) {
    write_registry_string(HKEY_LOCAL_MACHINE, TEST_KEY, "Publisher", "first, and longer");
    write_registry_string(HKEY_LOCAL_MACHINE, TEST_KEY, "Publisher", "Halvex");
    EXPECT_EQ(read_value(KEY_WOW64_32KEY, "Publisher").bytes, std::string("Halvex\0", 7));
    write_registry_dword(HKEY_LOCAL_MACHINE, TEST_KEY, "NoRepair", 7);
    write_registry_dword(HKEY_LOCAL_MACHINE, TEST_KEY, "NoRepair", 1);
    EXPECT_EQ(read_value(KEY_WOW64_32KEY, "NoRepair").bytes, std::string("\1\0\0\0", 4));
}

TEST_F(RegistryWriters, AKeyThatCannotBeOpenedGivesFalse) {
    const HKEY no_key = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7654));
    EXPECT_FALSE(write_registry_string(no_key, TEST_KEY, "DisplayName", "x"));
    EXPECT_FALSE(write_registry_dword(no_key, TEST_KEY, "Version", 1));
}

// The calls as advapi32 receives them.
struct RegistryCall {
    std::string what;
    HKEY key = nullptr;
    std::string text;   // key path or value name
    std::string detail; // the rest of the arguments, spelled out
};
std::vector<RegistryCall> registry_calls;
ImportHook<decltype(&RegCreateKeyExA)>* create_hook = nullptr;
ImportHook<decltype(&RegSetValueExA)>* set_hook = nullptr;
ImportHook<decltype(&RegCloseKey)>* close_hook = nullptr;

LSTATUS WINAPI recorded_create(HKEY root, LPCSTR path, DWORD reserved, LPSTR key_class,
                               DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                               PHKEY result, LPDWORD disposition) {
    char detail[160];
    std::snprintf(detail, sizeof detail,
                  "reserved=%lu class='%s' options=%lu access=0x%lX sa=%d disp=%d", reserved,
                  key_class != nullptr ? key_class : "(null)", options, access, security != nullptr,
                  disposition != nullptr);
    const LSTATUS status = create_hook->original()(root, path, reserved, key_class, options, access,
                                                   security, result, disposition);
    registry_calls.push_back({"create", status == ERROR_SUCCESS ? *result : nullptr, path, detail});
    return status;
}

LSTATUS WINAPI recorded_set(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                            DWORD size) {
    char detail[64];
    std::snprintf(detail, sizeof detail, "reserved=%lu type=%lu size=%lu", reserved, type, size);
    registry_calls.push_back({"set", key, name, detail});
    return set_hook->original()(key, name, reserved, type, data, size);
}

LSTATUS WINAPI recorded_close(HKEY key) {
    registry_calls.push_back({"close", key, "", ""});
    return close_hook->original()(key);
}

TEST_F(RegistryWriters, OpenSetAndCloseTheKeyForEachValue) {
    ImportHook<decltype(&RegCreateKeyExA)> create("advapi32.dll", "RegCreateKeyExA",
                                                  recorded_create);
    ImportHook<decltype(&RegSetValueExA)> set("advapi32.dll", "RegSetValueExA", recorded_set);
    ImportHook<decltype(&RegCloseKey)> close("advapi32.dll", "RegCloseKey", recorded_close);
    ASSERT_TRUE(create.installed() && set.installed() && close.installed());
    create_hook = &create;
    set_hook = &set;
    close_hook = &close;
    registry_calls.clear();

    write_registry_string(HKEY_LOCAL_MACHINE, TEST_KEY, "DisplayVersion", "v1.0.0.0");
    write_registry_dword(HKEY_LOCAL_MACHINE, TEST_KEY, "NoModify", 1);

    const std::string opened = "reserved=0 class='' options=0 access=0xF023F sa=0 disp=0";
    ASSERT_EQ(registry_calls.size(), 6u);
    const struct {
        const char* what;
        std::string text;
        std::string detail;
    } expected[] = {
        {"create", TEST_KEY, opened},
        {"set", "DisplayVersion", "reserved=0 type=1 size=9"},
        {"close", "", ""},
        {"create", TEST_KEY, opened},
        {"set", "NoModify", "reserved=0 type=4 size=4"},
        {"close", "", ""},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(registry_calls[i].what, expected[i].what);
        EXPECT_EQ(registry_calls[i].text, expected[i].text);
        EXPECT_EQ(registry_calls[i].detail, expected[i].detail);
    }
    // Each value uses the handle its own opening gave, and closes it.
    for (std::size_t first : {0u, 3u}) {
        ASSERT_NE(registry_calls[first].key, nullptr);
        EXPECT_EQ(registry_calls[first + 1].key, registry_calls[first].key);
        EXPECT_EQ(registry_calls[first + 2].key, registry_calls[first].key);
    }
    // No value is set when the key cannot be opened.
    registry_calls.clear();
    write_registry_dword(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7654)), TEST_KEY, "v", 1);
    ASSERT_EQ(registry_calls.size(), 1u);
    EXPECT_EQ(registry_calls[0].what, "create");
}

// ---- Install date -----------------------------------------------------------------------------

std::string date_digits(const SYSTEMTIME& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%04u%02u%02u", t.wYear, t.wMonth, t.wDay);
    return text;
}

TEST(InstallDate, IsTodayAsEightDigits) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    InstallDateBuffer date{};
    ASSERT_TRUE(install_date_text(date));
    SYSTEMTIME after{};
    GetLocalTime(&after);
    const std::string text = date.text;
    // Either side of a midnight that falls between the two readings.
    EXPECT_TRUE(text == date_digits(before) || text == date_digits(after)) << text;
}

// ---- Environment expansion ---------------------------------------------------------------------

TEST(ExpandEnvironment, ReplacesThePathOnlyWhenTheExpansionFits) {
    const struct {
        const char* name;
        std::string value; // of QUANDOR_TEST_FOLDER
        std::string path;
        bool expanded;
        std::string result;
    } cases[] = {
        {"defined", "C:\\Program Files (x86)", "%QUANDOR_TEST_FOLDER%\\Halvex", true,
         "C:\\Program Files (x86)\\Halvex"},
        {"undefined_stays", "", "%QUANDOR_TEST_UNDEFINED%\\Halvex", true,
         "%QUANDOR_TEST_UNDEFINED%\\Halvex"},
        {"511_characters_fit", std::string(504, 'a'), "%QUANDOR_TEST_FOLDER%\\Halvex", true,
         std::string(504, 'a') + "\\Halvex"},
        {"512_characters_refused", std::string(505, 'a'), "%QUANDOR_TEST_FOLDER%\\Halvex", false,
         "%QUANDOR_TEST_FOLDER%\\Halvex"},
        {"far_too_long_refused", std::string(5000, 'a'), "%QUANDOR_TEST_FOLDER%", false,
         "%QUANDOR_TEST_FOLDER%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEnvironmentVariableA("QUANDOR_TEST_FOLDER", c.value.empty() ? nullptr : c.value.c_str());
        PathBuffer path{};
        ASSERT_TRUE(set_text(path, c.path));
        EXPECT_EQ(expand_environment(path), c.expanded);
        EXPECT_EQ(std::string(text_of(path)), c.result);
    }
    SetEnvironmentVariableA("QUANDOR_TEST_FOLDER", nullptr);
}

// ---- Closing running games ---------------------------------------------------------------------

// A window of the game's class on a thread of its own that notes what is posted to it. One that
// ends on WM_QUIT destroys its window, as a game's process would end; the other keeps running
// whatever it gets, so both steps can be seen.
struct Posted {
    UINT message;
    DWORD at;
};

class GameWindowThread {
  public:
    explicit GameWindowThread(bool ends_on_quit) : ends_on_quit_(ends_on_quit) {
        InitializeCriticalSection(&lock_);
        ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
        WaitForSingleObject(ready_, 10000);
    }
    ~GameWindowThread() {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        CloseHandle(ready_);
        DeleteCriticalSection(&lock_);
    }
    GameWindowThread(const GameWindowThread&) = delete;
    GameWindowThread& operator=(const GameWindowThread&) = delete;

    HWND window() const { return window_; }
    std::vector<Posted> posted() {
        EnterCriticalSection(&lock_);
        std::vector<Posted> copy = posted_;
        LeaveCriticalSection(&lock_);
        return copy;
    }

  private:
    static DWORD WINAPI run(void* self) {
        static_cast<GameWindowThread*>(self)->loop();
        return 0;
    }
    void loop() {
        window_ = CreateWindowExA(0, "QuandorCls", "game", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetEvent(ready_);
        bool ended = false;
        while (stop_ == 0 && !ended) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.hwnd == window_) {
                    EnterCriticalSection(&lock_);
                    posted_.push_back({message.message, GetTickCount()});
                    LeaveCriticalSection(&lock_);
                }
                if (message.message == WM_QUIT && ends_on_quit_) {
                    ended = true;
                    break;
                }
                if (message.message != WM_QUIT && message.message != WM_DESTROY) {
                    DispatchMessageA(&message);
                }
            }
            Sleep(5);
        }
        DestroyWindow(window_);
    }

    bool ends_on_quit_;
    CRITICAL_SECTION lock_{};
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    HWND window_ = nullptr;
    volatile LONG stop_ = 0;
    std::vector<Posted> posted_;
};

class CloseRunningInstances : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = "QuandorCls";
        RegisterClassA(&window_class);
    }
};

TEST_F(CloseRunningInstances, PostsQuitThenDestroyToTheFirstGame) {
    GameWindowThread first(false);
    GameWindowThread second(false);
    ASSERT_NE(first.window(), nullptr);
    ASSERT_NE(second.window(), nullptr);
    const bool first_found = FindWindowA("QuandorCls", nullptr) == first.window();
    GameWindowThread& reached = first_found ? first : second;
    GameWindowThread& other = first_found ? second : first;

    const DWORD start = GetTickCount();
    close_running_instances();
    const DWORD took = GetTickCount() - start;

    Sleep(100); // let the thread take the last message
    const std::vector<Posted> posted = reached.posted();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(posted[1].message, static_cast<UINT>(WM_DESTROY));
    // The game has the first wait to leave its loop before it is asked again, and the second
    // one before the caller goes on.
    EXPECT_GE(posted[1].at - posted[0].at, 300u);
    EXPECT_GE(took, 650u);
    EXPECT_TRUE(other.posted().empty()) << "only the first game is reached";
}

TEST_F(CloseRunningInstances, LooksAgainForTheSecondStep) {
    GameWindowThread first(true);
    GameWindowThread second(true);
    const bool first_found = FindWindowA("QuandorCls", nullptr) == first.window();
    GameWindowThread& quitting = first_found ? first : second;
    GameWindowThread& remaining = first_found ? second : first;

    close_running_instances();

    // The game that got WM_QUIT ended; the one found next got WM_DESTROY.
    EXPECT_FALSE(IsWindow(quitting.window()));
    const std::vector<Posted> quit = quitting.posted();
    ASSERT_EQ(quit.size(), 1u);
    EXPECT_EQ(quit[0].message, static_cast<UINT>(WM_QUIT));
    Sleep(100);
    const std::vector<Posted> destroyed = remaining.posted();
    ASSERT_EQ(destroyed.size(), 1u);
    EXPECT_EQ(destroyed[0].message, static_cast<UINT>(WM_DESTROY));
}

// ---- Shortcut writer, with the real shell-link object -------------------------------------------

std::string temp_folder() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    return std::string(path) + "quandor-shortcut-test";
}

bool file_exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class RealShortcut : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = temp_folder();
        CreateDirectoryA(folder_.c_str(), nullptr);
        link_ = folder_ + "\\Quandor (Ombrisk).lnk";
        DeleteFileA(link_.c_str());
        // The shell-link object looks at the target, so it is a real file.
        target_ = folder_ + "\\Quandor.exe";
        const HANDLE file = CreateFileA(target_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    void TearDown() override {
        DeleteFileA(link_.c_str());
        DeleteFileA(target_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string folder_, link_, target_;
};

TEST_F(RealShortcut, StoresWhatItIsGiven) {
    const struct {
        const char* name;
        const char* arguments;
        const char* working_dir;
        std::string expected_dir; // relative to the folder when it starts with a backslash
        int show_cmd;
    } cases[] = {
        {"as_install_writes_it", nullptr, nullptr, "", 0},
        {"empty_working_dir", "", "", "", 0},
        {"given_working_dir", "/Uninstall /Quiet", "C:\\Games", "C:\\Games", SW_SHOWNORMAL},
        {"quoted_keeps_closing_quote", nullptr, "\"C:\\Quoted Folder\"", "C:\\Quoted Folder\"",
         SW_SHOWMINNOACTIVE},
        {"lone_quote_means_target_folder", nullptr, "\"", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(link_.c_str());
        EXPECT_TRUE(write_shortcut(target_.c_str(), c.arguments, c.working_dir, link_.c_str(),
                                   "Quandor (Ombrisk) Spiel/Game", "", 0, c.show_cmd));
        const LoadedShortcut s = load_shortcut(link_);
        ASSERT_TRUE(s.loaded);
        EXPECT_EQ(s.path, target_);
        EXPECT_EQ(s.arguments, c.arguments != nullptr ? c.arguments : "");
        EXPECT_EQ(s.working_dir, c.expected_dir.empty() ? folder_ : c.expected_dir);
        EXPECT_EQ(s.description, "Quandor (Ombrisk) Spiel/Game");
        EXPECT_EQ(s.icon_path, "");
        EXPECT_EQ(s.icon_index, 0);
        EXPECT_EQ(s.stored_show_cmd, c.show_cmd);
    }
}

TEST_F(RealShortcut, AMissingFolderWritesNothingButGivesTrue) {
    const std::string link = folder_ + "\\no such folder\\Quandor (Ombrisk).lnk";
    EXPECT_TRUE(write_shortcut(target_.c_str(), nullptr, nullptr, link.c_str(), "d", "", 0, 0));
    EXPECT_FALSE(file_exists(link));
}

TEST_F(RealShortcut, ATooLongWorkingDirectoryWritesNothing) {
    const std::string dir = "C:\\" + std::string(600, 'w');
    EXPECT_FALSE(
        write_shortcut(target_.c_str(), nullptr, dir.c_str(), link_.c_str(), "d", "", 0, 0));
    EXPECT_FALSE(file_exists(link_));
    // Taken from the target path, the same bound holds.
    const std::string target = "C:\\" + std::string(600, 't') + "\\Quandor.exe";
    EXPECT_FALSE(write_shortcut(target.c_str(), nullptr, nullptr, link_.c_str(), "d", "", 0, 0));
    EXPECT_FALSE(file_exists(link_));
}

TEST_F(RealShortcut, LeavesTheThreadWithoutCom) {
    write_shortcut(target_.c_str(), nullptr, nullptr, link_.c_str(), "d", "", 0, 0);
    // Had the single-threaded apartment been left open, this would be refused.
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(result, S_OK);
    if (SUCCEEDED(result)) {
        CoUninitialize();
    }
    // A caller's own apartment stays as it was.
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_TRUE(write_shortcut(target_.c_str(), nullptr, nullptr, link_.c_str(), "d", "", 0, 0));
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE) << "still initialised for the caller";
    CoUninitialize();
    CoUninitialize();
}

// ---- Shortcut writer, the calls as COM and the object receive them ------------------------------

// The identifiers as the platform defines them, written out here to catch a wrong one.
constexpr GUID SHELL_LINK_CLASS = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID UNKNOWN_INTERFACE = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID SHELL_LINK_A_INTERFACE = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID PERSIST_FILE_INTERFACE = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

std::vector<std::string> com_calls;
HRESULT create_result = S_OK;
bool refuse_persist_file = false;
LONG references = 0; // of the fake object, all interfaces together

std::string guid_name(REFIID id) {
    if (IsEqualGUID(id, UNKNOWN_INTERFACE)) {
        return "IUnknown";
    }
    if (IsEqualGUID(id, SHELL_LINK_A_INTERFACE)) {
        return "IShellLinkA";
    }
    if (IsEqualGUID(id, PERSIST_FILE_INTERFACE)) {
        return "IPersistFile";
    }
    if (IsEqualGUID(id, SHELL_LINK_CLASS)) {
        return "ShellLink";
    }
    return "other";
}

std::string text_or_null(const char* text) {
    return text != nullptr ? std::string("'") + text + "'" : "null";
}

class FakeShellLink final : public IShellLinkA, public IPersistFile {
  public:
    // IUnknown, for both interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        com_calls.push_back("QueryInterface " + guid_name(id));
        *out = nullptr;
        if (IsEqualGUID(id, UNKNOWN_INTERFACE) || IsEqualGUID(id, SHELL_LINK_A_INTERFACE)) {
            *out = static_cast<IShellLinkA*>(this);
        } else if (IsEqualGUID(id, PERSIST_FILE_INTERFACE) && !refuse_persist_file) {
            *out = static_cast<IPersistFile*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }

    // IShellLinkA: the setters are recorded, the rest is not used.
    HRESULT STDMETHODCALLTYPE SetPath(LPCSTR path) override {
        return note("SetPath " + text_or_null(path));
    }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR text) override {
        return note("SetArguments " + text_or_null(text));
    }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR dir) override {
        return note("SetWorkingDirectory " + text_or_null(dir));
    }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR text) override {
        return note("SetDescription " + text_or_null(text));
    }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR path, int index) override {
        return note("SetIconLocation " + text_or_null(path) + " " + std::to_string(index));
    }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int show) override {
        return note("SetShowCmd " + std::to_string(show));
    }
    HRESULT STDMETHODCALLTYPE GetPath(LPSTR, int, WIN32_FIND_DATAA*, DWORD) override {
        return unused();
    }
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return unused(); }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return unused(); }
    HRESULT STDMETHODCALLTYPE GetDescription(LPSTR, int) override { return unused(); }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR, int) override { return unused(); }
    HRESULT STDMETHODCALLTYPE GetArguments(LPSTR, int) override { return unused(); }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return unused(); }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return unused(); }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return unused(); }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR, int, int*) override { return unused(); }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR, DWORD) override { return unused(); }
    HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return unused(); }

    // IPersistFile: Save is recorded.
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR path, BOOL remember) override {
        std::string narrow;
        for (const wchar_t* p = path; p != nullptr && *p != L'\0'; ++p) {
            narrow += *p < 128 ? static_cast<char>(*p) : '?';
        }
        return note("Save L'" + narrow + "' " + std::to_string(remember));
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return unused(); }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return unused(); }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override { return unused(); }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return unused(); }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return unused(); }

  private:
    static HRESULT note(const std::string& call) {
        com_calls.push_back(call);
        return S_OK;
    }
    static HRESULT unused() {
        com_calls.push_back("unexpected call");
        return E_NOTIMPL;
    }
};

FakeShellLink fake_link;

HRESULT WINAPI fake_co_initialize(LPVOID reserved) {
    com_calls.push_back(reserved == nullptr ? "CoInitialize null" : "CoInitialize reserved");
    return S_OK;
}

void WINAPI fake_co_uninitialize() {
    com_calls.push_back("CoUninitialize, references " + std::to_string(references));
}

HRESULT WINAPI fake_co_create_instance(REFCLSID class_id, LPUNKNOWN outer, DWORD context, REFIID id,
                                       LPVOID* out) {
    com_calls.push_back("CoCreateInstance " + guid_name(class_id) + " outer " +
                        (outer == nullptr ? "null" : "given") + " context " +
                        std::to_string(context) + " " + guid_name(id));
    *out = nullptr;
    if (create_result != S_OK) {
        return create_result;
    }
    *out = static_cast<IShellLinkA*>(&fake_link);
    fake_link.AddRef();
    return S_OK;
}

class RecordedShortcut : public testing::Test {
  protected:
    void SetUp() override {
        com_calls.clear();
        create_result = S_OK;
        refuse_persist_file = false;
        references = 0;
        ASSERT_TRUE(initialize_.installed());
        ASSERT_TRUE(uninitialize_.installed());
        ASSERT_TRUE(create_.installed());
    }

    ImportHook<decltype(&CoInitialize)> initialize_{"ole32.dll", "CoInitialize",
                                                    fake_co_initialize};
    ImportHook<decltype(&CoUninitialize)> uninitialize_{"ole32.dll", "CoUninitialize",
                                                        fake_co_uninitialize};
    ImportHook<decltype(&CoCreateInstance)> create_{"ole32.dll", "CoCreateInstance",
                                                    fake_co_create_instance};
};

TEST_F(RecordedShortcut, CallsTheObjectInOrderAndReleasesEverything) {
    EXPECT_TRUE(write_shortcut("C:\\Program Files (x86)\\Halvex\\Quandor\\Quandor.exe", nullptr,
                               nullptr, "C:\\Start\\Quandor (Ombrisk).lnk",
                               "Quandor (Ombrisk) Spiel/Game", "", 0, 0));
    const std::vector<std::string> expected = {
        "CoInitialize null",
        "CoCreateInstance ShellLink outer null context 5 IUnknown",
        "QueryInterface IShellLinkA",
        "SetPath 'C:\\Program Files (x86)\\Halvex\\Quandor\\Quandor.exe'",
        "SetArguments ''",
        "SetWorkingDirectory 'C:\\Program Files (x86)\\Halvex\\Quandor'",
        "SetDescription 'Quandor (Ombrisk) Spiel/Game'",
        "SetIconLocation '' 0",
        "SetShowCmd 0",
        "QueryInterface IPersistFile",
        "Save L'C:\\Start\\Quandor (Ombrisk).lnk' 0",
        "CoUninitialize, references 0",
    };
    EXPECT_EQ(com_calls, expected);
}

TEST_F(RecordedShortcut, PassesArgumentsIconAndShowValueOn) {
    EXPECT_TRUE(
        write_shortcut("\"C:\\game.exe", "/a b", "", "C:\\x.lnk", "", "C:\\icons.dll", 3, 7));
    const std::vector<std::string> setters(com_calls.begin() + 3, com_calls.begin() + 9);
    const std::vector<std::string> expected = {
        "SetPath '\"C:\\game.exe'",          "SetArguments '/a b'",
        "SetWorkingDirectory '\"C:'",        "SetDescription ''",
        "SetIconLocation 'C:\\icons.dll' 3", "SetShowCmd 7",
    };
    EXPECT_EQ(setters, expected);
}

TEST_F(RecordedShortcut, FailuresReleaseWhatIsHeldAndLeaveCom) {
    const struct {
        const char* name;
        HRESULT create;
        bool refuse_persist;
        std::string working_dir;
        std::vector<std::string> calls;
    } cases[] = {
        {"object_not_made",
         REGDB_E_CLASSNOTREG,
         false,
         "",
         {"CoInitialize null", "CoCreateInstance ShellLink outer null context 5 IUnknown",
          "CoUninitialize, references 0"}},
        {"create_gives_another_success",
         S_FALSE,
         false,
         "",
         {"CoInitialize null", "CoCreateInstance ShellLink outer null context 5 IUnknown",
          "CoUninitialize, references 0"}},
        {"no_persist_file",
         S_OK,
         true,
         "",
         {"CoInitialize null", "CoCreateInstance ShellLink outer null context 5 IUnknown",
          "QueryInterface IShellLinkA", "SetPath 'C:\\a\\b.exe'", "SetArguments ''",
          "SetWorkingDirectory 'C:\\a'", "SetDescription 'd'", "SetIconLocation '' 0",
          "SetShowCmd 0", "QueryInterface IPersistFile", "CoUninitialize, references 0"}},
        {"working_dir_too_long", S_OK, false, std::string(600, 'w'), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        com_calls.clear();
        references = 0;
        create_result = c.create;
        refuse_persist_file = c.refuse_persist;
        EXPECT_FALSE(write_shortcut("C:\\a\\b.exe", nullptr, c.working_dir.c_str(), "C:\\x.lnk",
                                    "d", "", 0, 0));
        EXPECT_EQ(com_calls, c.calls);
        EXPECT_EQ(references, 0);
    }
}

TEST_F(RecordedShortcut, AnAbsentLinkPathIsSavedAsTheEmptyText) {
    EXPECT_TRUE(write_shortcut("C:\\a\\b.exe", nullptr, nullptr, nullptr, "d", "", 0, 0));
    ASSERT_GE(com_calls.size(), 2u);
    EXPECT_EQ(com_calls[com_calls.size() - 2], "Save L'' 0");
}

// ---- The elevation bound -----------------------------------------------------------------------

ImportHook<decltype(&GetTokenInformation)>* token_hook = nullptr;
DWORD reported_elevation = 0;
bool token_query_fails = false;

BOOL WINAPI fake_token_information(HANDLE token, TOKEN_INFORMATION_CLASS what, LPVOID out,
                                   DWORD size, PDWORD needed) {
    if (what != TokenElevation) {
        return token_hook->original()(token, what, out, size, needed);
    }
    if (token_query_fails) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    static_cast<TOKEN_ELEVATION*>(out)->TokenIsElevated = reported_elevation;
    *needed = sizeof(TOKEN_ELEVATION);
    return TRUE;
}

TEST(Elevation, AskedOnlyByAProcessWithoutHigherRightsThatWasNotStartedForThem) {
    ImportHook<decltype(&GetTokenInformation)> hook("advapi32.dll", "GetTokenInformation",
                                                    fake_token_information);
    ASSERT_TRUE(hook.installed());
    token_hook = &hook;
    const struct {
        const char* name;
        DWORD elevated;
        bool query_fails;
        bool started_for_elevation;
        bool asks;
    } cases[] = {
        {"limited", 0, false, false, true},
        {"elevated", 1, false, false, false},
        {"unknown_elevation_asks_as_the_system_would", 0, true, false, true},
        {"limited_but_started_by_an_elevation_request", 0, false, true, false},
        {"elevated_and_started_by_one", 1, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reported_elevation = c.elevated;
        token_query_fails = c.query_fails;
        SetEnvironmentVariableA("QUANDOR_ELEVATION_REQUESTED",
                                c.started_for_elevation ? "1" : nullptr);
        EXPECT_EQ(may_request_elevation(), c.asks);
    }
    SetEnvironmentVariableA("QUANDOR_ELEVATION_REQUESTED", nullptr);
}

TEST(Elevation, UnderWineEveryProcessIsElevated) {
    // What the end-to-end test of a failing copy relies on to see no second process.
    EXPECT_FALSE(may_request_elevation());
}

} // namespace
