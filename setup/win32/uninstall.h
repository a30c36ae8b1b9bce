// Removal of what installation made: shortcut, uninstall entry and the two product folders.
#pragma once

inline constexpr int EXIT_UNINSTALL_DECLINED = 2; // the question not answered Yes
inline constexpr int EXIT_UNINSTALL_STARTED = 3;  // the removal was started, whatever its outcome

// Asks first unless quiet, closes running games, deletes the shortcut and the key, and leaves
// the folders to a hidden cmd.exe that runs on after this process has ended with 3.
[[noreturn]] void uninstall(bool quiet);
