#include "setup/startup_mode.h"

#include "setup/contains_text.h"
#include "setup/text_buffer.h"

namespace {

bool holds(std::string_view argument, std::string_view word) {
    if (argument.size() > PathBuffer::capacity) {
        return false;
    }
    return contains_text(argument, word).has_value();
}

} // namespace

StartupDecision startup_mode(std::string_view argument0, std::string_view argument1,
                             std::string_view argument2) {
    if (holds(argument1, UNINSTALL_WORD)) {
        return {StartupMode::UNINSTALL, holds(argument2, QUIET_WORD)};
    }
    if (holds(argument0, SETUP_FILE_WORD)) {
        return {StartupMode::SETUP,
                holds(argument1, SILENT_DASH_WORD) || holds(argument1, SILENT_SLASH_WORD)};
    }
    return {StartupMode::PLAY, false};
}
