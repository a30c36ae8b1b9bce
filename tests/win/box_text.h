// Reads the text of a message box from outside: the first static control that is no icon.
#pragma once

#include <windows.h>

#include <string>

inline BOOL CALLBACK collect_box_text(HWND child, LPARAM found) {
    wchar_t class_name[16];
    GetClassNameW(child, class_name, 16);
    if (lstrcmpiW(class_name, L"Static") == 0 &&
        (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
        wchar_t text[512];
        const int units = GetWindowTextW(child, text, 512);
        if (units > 0) {
            reinterpret_cast<std::wstring*>(found)->assign(text, units);
            return FALSE;
        }
    }
    return TRUE;
}

inline std::wstring box_text(HWND box) {
    std::wstring text;
    EnumChildWindows(box, collect_box_text, reinterpret_cast<LPARAM>(&text));
    return text;
}
