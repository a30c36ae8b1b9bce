#include "setup/win32/install.h"

#include <windows.h>

#include <shellapi.h>

#include "flow/texts.h"
#include "setup/install_names.h"
#include "setup/install_paths.h"
#include "setup/win32/path_host.h"
#include "setup/win32/registry.h"
#include "setup/win32/shortcut.h"
#include "setup/win32/startup.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_box.h"
#include "ui/win32/window_proc.h"

namespace {

constexpr DWORD CLOSE_WAIT_MS = 333;
constexpr char ELEVATION_VERB[] = "runas";
// Set before the elevated start and inherited only when that start gave no higher rights (an
// elevated process gets an environment of its own), where the token alone cannot end the chain.
constexpr char ELEVATION_MARKER[] = "QUANDOR_ELEVATION_REQUESTED";

// The header and the question joined; both are short fixed texts, so the buffer is ample.
class InstallQuestion {
  public:
    explicit InstallQuestion(bool german) {
        append(TXT_INSTALL_HEADER);
        append(pick_text(TXT_INSTALL_QUESTION, german));
    }
    const char16_t* text() const { return text_; }

  private:
    void append(const char16_t* part) {
        while (*part != u'\0' && length_ + 1 < sizeof text_ / sizeof text_[0]) {
            text_[length_++] = *part++;
        }
        text_[length_] = u'\0';
    }

    char16_t text_[128] = {};
    std::size_t length_ = 0;
};

bool install_confirmed() {
    const InstallQuestion question(program_game().state.german);
    return show_message_box(nullptr, question.text(), TXT_INSTALL_CAPTION,
                            BOX_STYLE_INSTALL_QUESTION, BOX_ICON_SETUP) == IDYES;
}

bool process_is_elevated() {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) == 0) {
        return false;
    }
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL known =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    return known != 0 && elevation.TokenIsElevated != 0;
}

bool elevation_requested_before() {
    char value[2];
    return GetEnvironmentVariableA(ELEVATION_MARKER, value, sizeof value) != 0 ||
           GetLastError() != ERROR_ENVVAR_NOT_FOUND;
}

void request_elevated_start(const ProgramArguments& arguments) {
    if (!may_request_elevation()) {
        return;
    }
    SetEnvironmentVariableA(ELEVATION_MARKER, "1");
    ShellExecuteA(nullptr, ELEVATION_VERB, arguments.argument0.text, arguments.argument1.text,
                  nullptr, SW_SHOWNORMAL);
}

void write_uninstall_entry(const PathBuffer& program_file) {
    InstallDateBuffer date{};
    install_date_text(date);
    for (const UninstallValue& value : UNINSTALL_VALUES) {
        if (value.type == ValueType::NUMBER) {
            write_registry_dword(HKEY_LOCAL_MACHINE, UNINSTALL_KEY.text, value.name, value.number);
            continue;
        }
        ValueBuffer data{};
        uninstall_value_text(value, program_file, date, data);
        write_registry_string(HKEY_LOCAL_MACHINE, UNINSTALL_KEY.text, value.name, data.text);
    }
}

} // namespace

bool may_request_elevation() {
    return !process_is_elevated() && !elevation_requested_before();
}

void close_running_instances() {
    // A game that gets WM_QUIT leaves its loop; one that missed it still ends on WM_DESTROY,
    // and neither asks the exit question.
    for (const UINT message : {WM_QUIT, WM_DESTROY}) {
        const HWND game = FindWindowA(WINDOW_CLASS_NAME, nullptr);
        if (game != nullptr) {
            PostMessageA(game, message, 0, 0);
        }
        Sleep(CLOSE_WAIT_MS);
    }
}

bool install_date_text(InstallDateBuffer& date) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    date = {};
    const int result = GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, &now, INSTALL_DATE_PICTURE,
                                      date.text, static_cast<int>(INSTALL_DATE_BUFFER_SIZE));
    return take_install_date(date, result);
}

void install(bool quiet) {
    if (!quiet && !install_confirmed()) {
        ExitProcess(EXIT_INSTALL_ENDED);
    }
    const ProgramArguments arguments = program_arguments();
    WindowsPathHost host;
    PathBuffer program_file{};
    // A program file that does not fit its buffer counts as a failed copy.
    const bool copied = compose_program_file(program_file, host) &&
                        CopyFileA(arguments.argument0.text, program_file.text, FALSE) != 0;
    if (!copied) {
        request_elevated_start(arguments);
        ExitProcess(EXIT_ELEVATION_REQUESTED);
    }
    close_running_instances();
    write_uninstall_entry(program_file);
    PathBuffer shortcut_file{};
    if (compose_shortcut_file(shortcut_file, host)) {
        write_shortcut(program_file.text, nullptr, nullptr, shortcut_file.text,
                       SHORTCUT_DESCRIPTION.text, SHORTCUT_ICON_PATH, SHORTCUT_ICON_INDEX,
                       SHORTCUT_SHOW_CMD);
    }
    ExitProcess(EXIT_INSTALL_ENDED);
}
