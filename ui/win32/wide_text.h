// The program's UTF-16 texts (char16_t) handed to the ...W calls of Windows.
#pragma once

#include <windows.h>

// Both are UTF-16 code units on Windows, so the same units are passed without conversion.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
