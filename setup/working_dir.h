// The working directory that the Start-menu shortcut carries.
#pragma once

#include <cstddef>
#include <string_view>

#include "setup/text_buffer.h"

inline constexpr std::size_t WORKING_DIR_BUFFER_SIZE = 512;
using WorkingDirBuffer = TextBuffer<WORKING_DIR_BUFFER_SIZE>;

// working_dir without its leading double quote, if it has one (a closing quote stays). When
// that leaves nothing (an absent working directory is passed as empty), target_path cut at its
// last backslash, the backslash going too; a target path whose only backslash is its first
// character, or that has none, is kept whole. The target path's own leading quote stays.
// Only the result has to fit: false, with out empty, when it would be longer than 511
// characters; the shortcut is then not written.
bool shortcut_working_dir(std::string_view working_dir, std::string_view target_path,
                          WorkingDirBuffer& out);
