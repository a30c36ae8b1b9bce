// The menu bar and the keyboard accelerators of the main window, as data.
#pragma once

#include <cstdint>

#include "flow/texts.h"
#include "ui/commands.h"

// One keyboard accelerator: ACCEL's flags byte, virtual key and command.
struct Accelerator {
    std::uint8_t flags;
    std::uint16_t key;
    std::uint16_t command;
};

inline constexpr std::uint8_t ACCEL_VIRTKEY = 1; // FVIRTKEY
inline constexpr std::uint8_t ACCEL_CONTROL = 8; // FCONTROL
inline constexpr std::uint8_t ACCEL_ALT = 0x10;  // FALT

// Only the main keyboard's digits choose levels; the keypad's reach the window as keys. F1 is
// not here: Windows turns it into WM_HELP.
inline constexpr Accelerator ACCELERATORS[9] = {
    {ACCEL_VIRTKEY | ACCEL_CONTROL, 0x4E, CMD_NEW_GAME}, // Ctrl+N
    {ACCEL_VIRTKEY, 0x71, CMD_NEW_GAME},                 // F2
    {ACCEL_VIRTKEY | ACCEL_ALT, 0x58, CMD_EXIT},         // Alt+X
    {ACCEL_VIRTKEY, 0x31, CMD_LEVEL_1},
    {ACCEL_VIRTKEY, 0x32, CMD_LEVEL_1 + 1},
    {ACCEL_VIRTKEY, 0x33, CMD_LEVEL_1 + 2},
    {ACCEL_VIRTKEY, 0x34, CMD_LEVEL_1 + 3},
    {ACCEL_VIRTKEY, 0x35, CMD_LEVEL_1 + 4},
    {ACCEL_VIRTKEY, 0x36, CMD_LEVEL_1 + 5},
};

// Where an entry of the menu table goes and what it is.
enum class MenuPlace { BAR, GAME_MENU, OPTIONS_MENU };
enum class MenuEntryKind { POPUP_GAME, POPUP_OPTIONS, ITEM, SEPARATOR };

struct MenuEntry {
    MenuPlace place;
    MenuEntryKind kind;
    std::uint16_t command;    // ITEM only
    const MenuTextPair* pair; // the text by language, or
    const char* fixed;        // the text used in both languages; both null for the separator
};

// The order in which the menus are appended; the "?" item is the same in both languages.
inline constexpr MenuEntry MENU_TABLE[12] = {
    {MenuPlace::BAR, MenuEntryKind::POPUP_GAME, 0, &MENU_GAME, nullptr},
    {MenuPlace::GAME_MENU, MenuEntryKind::ITEM, CMD_NEW_GAME, &MENU_NEW_GAME, nullptr},
    {MenuPlace::GAME_MENU, MenuEntryKind::SEPARATOR, 0, nullptr, nullptr},
    {MenuPlace::GAME_MENU, MenuEntryKind::ITEM, CMD_EXIT, &MENU_EXIT, nullptr},
    {MenuPlace::BAR, MenuEntryKind::POPUP_OPTIONS, 0, &MENU_OPTIONS, nullptr},
    {MenuPlace::OPTIONS_MENU, MenuEntryKind::ITEM, CMD_LEVEL_1, &MENU_LEVEL[0], nullptr},
    {MenuPlace::OPTIONS_MENU, MenuEntryKind::ITEM, CMD_LEVEL_1 + 1, &MENU_LEVEL[1], nullptr},
    {MenuPlace::OPTIONS_MENU, MenuEntryKind::ITEM, CMD_LEVEL_1 + 2, &MENU_LEVEL[2], nullptr},
    {MenuPlace::OPTIONS_MENU, MenuEntryKind::ITEM, CMD_LEVEL_1 + 3, &MENU_LEVEL[3], nullptr},
    {MenuPlace::OPTIONS_MENU, MenuEntryKind::ITEM, CMD_LEVEL_1 + 4, &MENU_LEVEL[4], nullptr},
    {MenuPlace::OPTIONS_MENU, MenuEntryKind::ITEM, CMD_LEVEL_1 + 5, &MENU_LEVEL[5], nullptr},
    {MenuPlace::BAR, MenuEntryKind::ITEM, CMD_RULES, nullptr, MENU_RULES},
};

// The entry's text in the given language; nullptr for the separator.
inline const char* menu_entry_text(const MenuEntry& entry, bool german) {
    return entry.pair != nullptr ? pick_text(*entry.pair, german) : entry.fixed;
}
