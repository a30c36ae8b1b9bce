#include "setup/win32/startup.h"

#include <windows.h>

#include "setup/command_line.h"
#include "setup/install_paths.h"
#include "setup/startup_mode.h"
#include "setup/win32/install.h"
#include "setup/win32/uninstall.h"

ProgramArguments program_arguments() {
    ProgramArguments arguments{};
    const DWORD length = GetModuleFileNameA(nullptr, arguments.argument0.text, PATH_BUFFER_SIZE);
    take_module_path(arguments.argument0, length);
    const char* line = GetCommandLineA();
    command_line_argument(line, 1, arguments.argument1);
    command_line_argument(line, 2, arguments.argument2);
    return arguments;
}

void check_startup_mode() {
    const ProgramArguments arguments = program_arguments();
    const StartupDecision decision = startup_mode(
        text_of(arguments.argument0), text_of(arguments.argument1), text_of(arguments.argument2));
    switch (decision.mode) {
    case StartupMode::SETUP:
        install(decision.quiet);
    case StartupMode::UNINSTALL:
        uninstall(decision.quiet);
    case StartupMode::PLAY:
        return;
    }
}
