// The release program's entry point.
#include <windows.h>

#include "ui/win32/program_main.h"

// The show command Windows passes is not used: the window is always shown normally.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    program_main();
}
