// Which of its three roles the program file plays on this start: game, installer, uninstaller.
#pragma once

#include <string_view>

enum class StartupMode { PLAY, SETUP, UNINSTALL };

struct StartupDecision {
    StartupMode mode;
    bool quiet; // no question; always false in PLAY
};

// The words the decision looks for, compared with contains_text.
inline constexpr char SETUP_FILE_WORD[] = "Setup.exe"; // in argument 0
inline constexpr char UNINSTALL_WORD[] = "Uninstall";  // in argument 1
inline constexpr char QUIET_WORD[] = "Quiet";          // in argument 2, uninstall only
inline constexpr char SILENT_DASH_WORD[] = "-S";       // in argument 1, setup only
inline constexpr char SILENT_SLASH_WORD[] = "/S";      // in argument 1, setup only

// Argument 0 is the program's full path, 1 and 2 the first two command-line arguments (empty
// when not there). In this order: "Uninstall" in argument 1 gives UNINSTALL, quiet with "Quiet"
// in argument 2; otherwise "Setup.exe" in argument 0 gives SETUP, quiet with "-S" or "/S" in
// argument 1; otherwise PLAY.
// Each argument is searched as held in a path buffer: one longer than 520 characters does not
// fit and counts as the empty text, so an over-long argument 0 selects no setup mode, an
// over-long argument 1 neither uninstalls nor makes setup quiet, and an over-long argument 2
// leaves the uninstall question in place.
StartupDecision startup_mode(std::string_view argument0, std::string_view argument1,
                             std::string_view argument2);
