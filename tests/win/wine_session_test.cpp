// The Windows tests run under Wine, through scripts/wine-run.sh, in its throwaway prefix.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace {

std::wstring environment(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD units = GetEnvironmentVariableW(name, value, 1024);
    return units > 0 && units < 1024 ? std::wstring(value, units) : std::wstring();
}

bool ends_with(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST(WineSession, RunsUnderWine) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    ASSERT_NE(ntdll, nullptr);
    using Version = const char* (*)();
    const auto version = reinterpret_cast<Version>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
    ASSERT_NE(version, nullptr) << "not running under Wine";
    EXPECT_STRNE(version(), "");
}

TEST(WineSession, RunsInTheRunnersSession) {
    // The runner's prefix lies in the build folder, never in the home folder.
    EXPECT_TRUE(ends_with(environment(L"WINEPREFIX"), L"/wine/prefix"))
        << "WINEPREFIX: " << testing::PrintToString(environment(L"WINEPREFIX"));
    EXPECT_EQ(environment(L"WINEDEBUG"), L"-all");
    EXPECT_EQ(environment(L"WINEDLLOVERRIDES"), L"mscoree,mshtml=;winemenubuilder.exe=d");
    EXPECT_NE(environment(L"DISPLAY"), L"");
}

TEST(WineSession, HasADesktop) {
    // Windows can be made and found, as the message box and painting tests need.
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"wine session probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowW(nullptr, L"wine session probe"), window);
    DestroyWindow(window);
}
