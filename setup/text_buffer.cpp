#include "setup/text_buffer.h"

#include <cstring>

std::string_view bounded_text(const char* buffer, std::size_t size) {
    std::size_t length = 0;
    while (length + 1 < size && buffer[length] != '\0') {
        ++length;
    }
    return {buffer, length};
}

bool copy_text(char* buffer, std::size_t size, std::string_view text) {
    if (text.size() >= size) {
        return false;
    }
    // memmove: text may be a view into this very buffer. An empty view may have no data at all.
    if (!text.empty()) {
        std::memmove(buffer, text.data(), text.size());
    }
    buffer[text.size()] = '\0';
    return true;
}

bool append_text(char* buffer, std::size_t size, std::string_view text) {
    const std::size_t length = bounded_text(buffer, size).size();
    if (text.size() >= size - length) {
        return false;
    }
    if (!text.empty()) {
        std::memmove(buffer + length, text.data(), text.size());
    }
    buffer[length + text.size()] = '\0';
    return true;
}
