#include "ui/win32/main_window.h"

#include <iterator>

#include "flow/texts.h"
#include "ui/colours.h"
#include "ui/main_menu.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/window_proc.h"

bool register_window_class(HINSTANCE instance) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_proc;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, "I");
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = CreateSolidBrush(BACKGROUND_COLOUR);
    window_class.lpszMenuName = nullptr;
    window_class.lpszClassName = WINDOW_CLASS_NAME;
    window_class.hIconSm = nullptr;
    return RegisterClassExA(&window_class) != 0;
}

HACCEL create_accelerators() {
    ACCEL table[std::size(ACCELERATORS)];
    for (std::size_t i = 0; i < std::size(ACCELERATORS); ++i) {
        table[i].fVirt = ACCELERATORS[i].flags;
        table[i].key = ACCELERATORS[i].key;
        table[i].cmd = ACCELERATORS[i].command;
    }
    return CreateAcceleratorTableA(table, static_cast<int>(std::size(table)));
}

HMENU build_menu_bar(bool german) {
    const HMENU bar = CreateMenu();
    const HMENU game_menu = CreateMenu();
    const HMENU options_menu = CreateMenu();
    for (const MenuEntry& entry : MENU_TABLE) {
        const HMENU into = entry.place == MenuPlace::BAR         ? bar
                           : entry.place == MenuPlace::GAME_MENU ? game_menu
                                                                 : options_menu;
        const char* text = menu_entry_text(entry, german);
        switch (entry.kind) {
        case MenuEntryKind::POPUP_GAME:
            AppendMenuA(into, MF_POPUP, reinterpret_cast<UINT_PTR>(game_menu), text);
            break;
        case MenuEntryKind::POPUP_OPTIONS:
            AppendMenuA(into, MF_POPUP, reinterpret_cast<UINT_PTR>(options_menu), text);
            break;
        case MenuEntryKind::ITEM:
            AppendMenuA(into, MF_STRING, entry.command, text);
            break;
        case MenuEntryKind::SEPARATOR:
            AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
            break;
        }
    }
    return bar;
}

void trim_system_menu(HWND window) {
    DeleteMenu(GetSystemMenu(window, FALSE), SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(GetSystemMenu(window, FALSE), SC_SIZE, MF_BYCOMMAND);
}

HWND create_main_window(HINSTANCE instance) {
    const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
    // The handle is not tested: without a window the loop below simply waits.
    const HWND window =
        CreateWindowExW(WS_EX_ACCEPTFILES, WINDOW_CLASS_NAME_W, wide(TXT_WINDOW_TITLE),
                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 3 * cy / 3,
                        2 * cy / 3, nullptr, nullptr, instance, nullptr);
    trim_system_menu(window);
    SetMenu(window, build_menu_bar(program_game().state.german));
    return window;
}

void run_main_window() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!register_window_class(instance)) {
        ExitProcess(EXIT_CLASS_NOT_REGISTERED);
    }
    const HACCEL accelerators = create_accelerators();
    const HWND window = create_main_window(instance);
    // The show command Windows passed to the process is not used.
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) != 0) {
        if (TranslateAcceleratorW(window, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    ExitProcess(static_cast<UINT>(message.wParam));
}
