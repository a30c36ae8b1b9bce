// The program's one window: class, accelerators, menus and the message loop.
#pragma once

#include <windows.h>

inline constexpr char WINDOW_CLASS_NAME[] = "QuandorCls";
inline constexpr wchar_t WINDOW_CLASS_NAME_W[] = L"QuandorCls";
inline constexpr int EXIT_CLASS_NOT_REGISTERED = 255;

// Registers the class, creates and shows the window and runs the message loop; ends the
// process with the WM_QUIT code, or with 255 when the class cannot be registered.
[[noreturn]] void run_main_window();

// The steps of run_main_window, also used by the tests on their own.

// The class "QuandorCls" with the window procedure; false when Windows refuses it.
bool register_window_class(HINSTANCE instance);

// The 9 accelerators of the main menu's table.
HACCEL create_accelerators();

// The main window, as wide as the full-screen client area is high and two thirds of that
// high, with the trimmed system menu and the menu bar in the language of the moment. Its
// WM_CREATE has started the first game.
HWND create_main_window(HINSTANCE instance);

// The menu bar, in the order of the menu table, with texts in the given language.
HMENU build_menu_bar(bool german);

// The system menu without Maximize and Size; the window keeps its styles.
void trim_system_menu(HWND window);
