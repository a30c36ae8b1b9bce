#include "setup/win32/uninstall.h"

#include <windows.h>

#include <shellapi.h>

#include "flow/texts.h"
#include "setup/install_names.h"
#include "setup/install_paths.h"
#include "setup/uninstall_entry.h"
#include "setup/win32/install.h"
#include "setup/win32/path_host.h"
#include "ui/win32/message_box.h"
#include "ui/win32/window_proc.h"

namespace {

bool uninstall_confirmed() {
    const bool german = program_game().state.german;
    return show_message_box(nullptr, pick_text(TXT_UNINSTALL_QUESTION, german),
                            pick_text(TXT_UNINSTALL_CAPTION, german), BOX_STYLE_QUESTION,
                            BOX_ICON_SETUP) == IDYES;
}

} // namespace

void uninstall(bool quiet) {
    if (!quiet && !uninstall_confirmed()) {
        ExitProcess(EXIT_UNINSTALL_DECLINED);
    }
    close_running_instances();
    WindowsPathHost host;
    PathBuffer start_menu_folder{};
    compose_start_menu_folder(start_menu_folder, host);
    PathBuffer shortcut_file{};
    if (shortcut_file_in(start_menu_folder, shortcut_file)) {
        DeleteFileA(shortcut_file.text);
    }
    // Named explicitly: the 64-bit build would otherwise look in the 64-bit view.
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY.text, KEY_WOW64_32KEY, 0);
    PathBuffer install_folder{};
    compose_install_folder(install_folder, host);
    // The program file cannot go while this process runs; the interpreter removes the folders
    // after it has ended.
    InterpreterParameters parameters{};
    uninstall_parameters(start_menu_folder, install_folder, parameters);
    ShellExecuteA(nullptr, INTERPRETER_VERB, INTERPRETER_FILE, parameters.text, nullptr, SW_HIDE);
    ExitProcess(EXIT_UNINSTALL_STARTED);
}
