#include "setup/contains_text.h"

namespace {

// Locale-free on purpose: the code page's own letters must not fold.
constexpr char fold(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::optional<std::size_t> contains_text(std::string_view text, std::string_view pattern) {
    if (pattern.size() > text.size()) {
        return std::nullopt;
    }
    const std::size_t last = text.size() - pattern.size();
    for (std::size_t at = 0; at <= last; ++at) {
        std::size_t i = 0;
        while (i < pattern.size() && fold(text[at + i]) == fold(pattern[i])) {
            ++i;
        }
        if (i == pattern.size()) {
            return at;
        }
    }
    return std::nullopt;
}
