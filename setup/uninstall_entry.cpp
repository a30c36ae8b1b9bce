#include "setup/uninstall_entry.h"

bool take_install_date(InstallDateBuffer& date, std::int32_t result) {
    if (result <= 0 || static_cast<std::size_t>(result) > INSTALL_DATE_BUFFER_SIZE ||
        text_of(date).size() + 1 != static_cast<std::size_t>(result)) {
        date = {};
        return false;
    }
    return true;
}

void uninstall_value_text(const UninstallValue& value, const PathBuffer& program_file,
                          const InstallDateBuffer& install_date, ValueBuffer& out) {
    static_assert(INSTALL_DATE_BUFFER_SIZE <= VALUE_BUFFER_SIZE);
    out = {};
    if (value.type != ValueType::TEXT) {
        return;
    }
    switch (value.source) {
    case ValueSource::FIXED:
        set_text(out, value.text);
        break;
    case ValueSource::PROGRAM_FILE_FOLLOWED:
        set_text(out, text_of(program_file));
        append_text(out, value.text);
        break;
    case ValueSource::INSTALL_DATE:
        set_text(out, text_of(install_date));
        break;
    }
}

void uninstall_parameters(const PathBuffer& start_menu_folder, const PathBuffer& install_folder,
                          InterpreterParameters& out) {
    out = {};
    append_text(out, INTERPRETER_SWITCH);
    append_text(out, REMOVE_FOLDER_COMMAND);
    append_text(out, text_of(start_menu_folder));
    append_text(out, COMMAND_JOIN);
    append_text(out, REMOVE_FOLDER_COMMAND);
    append_text(out, text_of(install_folder));
    append_text(out, COMMAND_END);
}
