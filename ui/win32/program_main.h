// The program's entry sequence, called from WinMain.
#pragma once

// Never returns: the process ends with one of the program's exit codes.
[[noreturn]] void program_main();
