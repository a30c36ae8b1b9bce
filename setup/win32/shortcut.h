// The Start-menu shortcut, written through the system's shell-link object.
#pragma once

#include <cstdint>

// arguments and working_dir may be nullptr (none); an absent or empty working_dir means the
// folder of target_path (shortcut_working_dir). COM is initialised here and uninitialised
// again on every way out, and every interface reference obtained is released.
// True when the shell-link object was made and the whole call sequence ran; whether the file
// could be saved is not looked at. False, with nothing written: the working directory would be
// longer than 511 characters (then COM is not even started), the object cannot be made or
// lacks one of its two interfaces, or link_path does not convert into 520 UTF-16 units.
bool write_shortcut(const char* target_path, const char* arguments, const char* working_dir,
                    const char* link_path, const char* description, const char* icon_path,
                    std::int32_t icon_index, std::int32_t show_cmd);
