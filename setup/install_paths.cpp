#include "setup/install_paths.h"

#include "setup/install_names.h"

bool expand_environment(PathBuffer& path, PathHost& host) {
    ExpansionBuffer expansion{};
    const std::uint32_t result = host.expand(path.text, expansion.text, EXPANSION_BUFFER_SIZE);
    if (result == 0 || result > EXPANSION_BUFFER_SIZE) {
        return false;
    }
    // The result is not trusted for the length: the text must end inside the buffer.
    const std::string_view text = text_of(expansion);
    if (expansion.text[text.size()] != '\0') {
        return false;
    }
    return set_text(path, text);
}

bool take_module_path(PathBuffer& path, std::uint32_t result) {
    // The terminator must stand right after the reported length: a buffer filled to its end
    // without one is a cut path, whatever the result says.
    if (result == 0 || result >= PATH_BUFFER_SIZE || path.text[result] != '\0' ||
        text_of(path).size() != result) {
        path = {};
        return false;
    }
    return true;
}

bool compose_program_file(PathBuffer& path, PathHost& host) {
    set_text(path, MAKER_FOLDER_PROGRAMS.text);
    expand_environment(path, host);
    host.create_folder(path.text);
    if (!append_text(path, PRODUCT_FOLDER_STEP.text)) {
        return false;
    }
    host.create_folder(path.text);
    return append_text(path, PROGRAM_FILE_STEP.text);
}

bool compose_shortcut_file(PathBuffer& path, PathHost& host) {
    set_text(path, START_MENU_PROGRAMS_FOLDER);
    expand_environment(path, host);
    if (!append_text(path, MAKER_FOLDER_STEP.text)) {
        return false;
    }
    host.create_folder(path.text);
    if (!append_text(path, PRODUCT_FOLDER_STEP.text)) {
        return false;
    }
    host.create_folder(path.text);
    return append_text(path, SHORTCUT_FILE_STEP.text);
}

void compose_start_menu_folder(PathBuffer& path, PathHost& host) {
    set_text(path, START_MENU_FOLDER.text);
    expand_environment(path, host);
}

void compose_install_folder(PathBuffer& path, PathHost& host) {
    set_text(path, INSTALL_FOLDER.text);
    expand_environment(path, host);
}

bool shortcut_file_in(const PathBuffer& start_menu_folder, PathBuffer& out) {
    out = start_menu_folder;
    if (!append_text(out, SHORTCUT_FILE_STEP.text)) {
        out = {};
        return false;
    }
    return true;
}
