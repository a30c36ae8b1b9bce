// The start-up decision on Windows: game, installer or uninstaller.
#pragma once

#include "setup/text_buffer.h"

struct ProgramArguments {
    PathBuffer argument0; // the running module's full path
    PathBuffer argument1; // the first two command-line arguments, empty when not there
    PathBuffer argument2;
};

// Argument 0 from GetModuleFileNameA, 1 and 2 split from GetCommandLineA. One that does not fit
// a path buffer is the empty text.
ProgramArguments program_arguments();

// Returns at once when the program is to run as the game; as installer or uninstaller it ends
// the process with that mode's exit code.
void check_startup_mode();
