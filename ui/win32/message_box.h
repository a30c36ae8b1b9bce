// The program's one routine for message boxes, and the yes/no question of the turn cycle.
#pragma once

#include <windows.h>

#include <cstdint>

// The styles callers pass; show_message_box adds MB_SETFOREGROUND.
inline constexpr std::uint32_t BOX_STYLE_OK = MB_USERICON | MB_OK;
inline constexpr std::uint32_t BOX_STYLE_QUESTION = MB_DEFBUTTON2 | MB_USERICON | MB_YESNOCANCEL;
inline constexpr std::uint32_t BOX_STYLE_INSTALL_QUESTION = MB_USERICON | MB_YESNOCANCEL;
static_assert(BOX_STYLE_OK == 128 && BOX_STYLE_QUESTION == 387 &&
              BOX_STYLE_INSTALL_QUESTION == 131);

// Both name the icon group "I": Windows matches resource names without regard to case.
inline constexpr char16_t BOX_ICON_GAME[] = u"I";
inline constexpr char16_t BOX_ICON_SETUP[] = u"i";

// Plays the information sound, then shows a modal box with this module's icon icon_name.
// Returns the button that closed it (IDYES, IDNO, IDCANCEL, IDOK), 0 when no box could be shown.
// owner may be NULL; the owner's timers and repaints go on while the box is open.
std::int32_t show_message_box(HWND owner, const char16_t* text, const char16_t* caption,
                              std::uint32_t style, const char16_t* icon_name);

// Yes, No and Cancel with No as the default, owned by owner; true only for Yes.
bool confirm(HWND owner, const char16_t* text, const char16_t* caption);
