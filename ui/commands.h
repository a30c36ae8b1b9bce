// The main window's command and timer identifiers, shared by the menus, the accelerators and
// the window procedure.
#pragma once

#include <cstdint>

// WM_COMMAND identifiers (the low 16 bits of wParam); the window carries them out from any sender.
inline constexpr std::uint16_t CMD_NEW_GAME = 101;
inline constexpr std::uint16_t CMD_EXIT = 109;
inline constexpr std::uint16_t CMD_RULES = 199;
inline constexpr std::uint16_t CMD_LEVEL_1 = 201; // CMD_LEVEL_1 + n - 1 is level n, up to 6
inline constexpr std::uint16_t CMD_LEVEL_6 = 206;
inline constexpr std::uint16_t CMD_LANGUAGE = 207;

// Timers of the main window.
inline constexpr std::uintptr_t TIMER_MOVE = 1;
inline constexpr std::uintptr_t TIMER_SOUND = 77;
inline constexpr std::uint32_t TIMER_SOUND_PERIOD_MS = 3333;
