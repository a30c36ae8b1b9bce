// The names of everything that installation creates and uninstallation removes. Each word is
// written once; the paths are joined from them.
#pragma once

#include "setup/text_buffer.h"

inline constexpr char MAKER_NAME[] = "Halvex";
inline constexpr char PRODUCT_WORD[] = "Quandor";
inline constexpr char PRODUCT_NAME[] = "Quandor (Ombrisk)";
inline constexpr char PRODUCT_VERSION[] = "v1.0.0.0";

// Environment references stay in the names; they are expanded when a path is used.
inline constexpr char PROGRAM_FILES_FOLDER[] = "%ProgramFiles(x86)%";
inline constexpr char START_MENU_PROGRAMS_FOLDER[] =
    "%ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu\\Programs";

// The steps by which installation goes down from a folder it has expanded.
inline constexpr auto MAKER_FOLDER_STEP = join("\\", MAKER_NAME);
inline constexpr auto PRODUCT_FOLDER_STEP = join("\\", PRODUCT_WORD);
inline constexpr auto PROGRAM_FILE_STEP = join("\\", PRODUCT_WORD, ".exe");
inline constexpr auto SHORTCUT_FILE_STEP = join("\\", PRODUCT_NAME, ".lnk");

inline constexpr auto MAKER_FOLDER_PROGRAMS = join(PROGRAM_FILES_FOLDER, MAKER_FOLDER_STEP.text);
inline constexpr auto INSTALL_FOLDER = join(MAKER_FOLDER_PROGRAMS.text, PRODUCT_FOLDER_STEP.text);
inline constexpr auto MAKER_FOLDER_START_MENU =
    join(START_MENU_PROGRAMS_FOLDER, MAKER_FOLDER_STEP.text);
inline constexpr auto START_MENU_FOLDER =
    join(MAKER_FOLDER_START_MENU.text, PRODUCT_FOLDER_STEP.text);

// Under HKEY_LOCAL_MACHINE, in the 32-bit view; one backslash before the product word.
inline constexpr char UNINSTALL_LIST_KEY[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr auto UNINSTALL_KEY = join(UNINSTALL_LIST_KEY, PRODUCT_WORD);

// What install passes to write_shortcut besides the two paths: no arguments, no working
// directory (so the install folder), no icon file, icon 0, show value 0.
inline constexpr auto SHORTCUT_DESCRIPTION = join(PRODUCT_NAME, " Spiel/Game");
inline constexpr char SHORTCUT_ICON_PATH[] = "";
inline constexpr int SHORTCUT_ICON_INDEX = 0;
inline constexpr int SHORTCUT_SHOW_CMD = 0;
