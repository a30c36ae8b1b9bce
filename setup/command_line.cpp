#include "setup/command_line.h"

#include <cstddef>

namespace {

bool is_separator(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

} // namespace

ArgumentStatus command_line_argument(std::string_view command_line, int index, PathBuffer& out) {
    out = {};
    if (index < 1) {
        return ArgumentStatus::MISSING;
    }
    const std::size_t n = command_line.size();
    std::size_t at = 0;
    for (int part = 0;; ++part) {
        while (at < n && is_separator(command_line[at])) {
            ++at;
        }
        if (at == n) {
            return ArgumentStatus::MISSING;
        }
        const bool wanted = part == index;
        bool grouped = false;
        std::size_t length = 0;
        while (at < n) {
            const char c = command_line[at];
            if (c == '"') {
                const bool pair = at + 1 < n && command_line[at + 1] == '"';
                if (!pair) {
                    grouped = !grouped;
                }
                at += pair ? 2 : 1;
                continue;
            }
            if (!grouped && is_separator(c)) {
                break;
            }
            if (wanted) {
                if (length == PathBuffer::capacity) {
                    out = {};
                    return ArgumentStatus::TOO_LONG;
                }
                out.text[length++] = c;
            }
            ++at;
        }
        if (wanted) {
            out.text[length] = '\0';
            return ArgumentStatus::FOUND;
        }
    }
}
