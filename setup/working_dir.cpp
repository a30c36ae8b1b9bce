#include "setup/working_dir.h"

bool shortcut_working_dir(std::string_view working_dir, std::string_view target_path,
                          WorkingDirBuffer& out) {
    out = {};
    std::string_view dir = working_dir;
    if (!dir.empty() && dir.front() == '"') {
        dir.remove_prefix(1);
    }
    if (dir.empty()) {
        dir = target_path;
        const std::size_t cut = dir.rfind('\\');
        if (cut != std::string_view::npos && cut > 0) {
            dir = dir.substr(0, cut);
        }
    }
    return set_text(out, dir);
}
