// Installation for all users: program file, uninstall entry, Start-menu shortcut.
#pragma once

#include "setup/uninstall_entry.h"

inline constexpr int EXIT_INSTALL_ENDED = 0;       // installed, or the question not answered Yes
inline constexpr int EXIT_ELEVATION_REQUESTED = 1; // the copy failed

// Asks first unless quiet, then copies this program file into the install folder, closes
// running games, writes the uninstall entry and the shortcut, and ends the process with 0.
// When the copy fails, a copy of the program is started with elevated rights (unless
// may_request_elevation says no) and the process ends with 1.
[[noreturn]] void install(bool quiet);

// False for a process that already runs elevated, or that was itself started by a request for
// elevation which gave it no higher rights; so the chain of elevated starts ends after one.
bool may_request_elevation();

// Asks the first running game to quit, then to close its window, waiting 333 ms after each.
void close_running_instances();

// Today's local date as eight digits, year, month, day; false, with the date empty, when the
// system gave none.
bool install_date_text(InstallDateBuffer& date);
