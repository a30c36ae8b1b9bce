// Fixed 8-bit text buffers of the start-up code. They are never overrun: every write is bounded
// by the buffer, and a text that does not fit is refused whole, leaving the buffer as it was.
#pragma once

#include <cstddef>
#include <string_view>

// N bytes: at most N - 1 characters and the terminator. Value-initialised it holds the empty
// text; the functions below keep it terminated.
template <std::size_t N> struct TextBuffer {
    static_assert(N > 0);
    static constexpr std::size_t capacity = N - 1;
    char text[N] = {};
};

// The characters before the terminator, never more than size - 1 (a buffer that a platform call
// left without a terminator reads as cut just before its last byte).
std::string_view bounded_text(const char* buffer, std::size_t size);

// Replaces the buffer's text by text; false, with the buffer unchanged, when it does not fit.
bool copy_text(char* buffer, std::size_t size, std::string_view text);
// Adds text at the end; false, with the buffer unchanged, when the sum does not fit.
bool append_text(char* buffer, std::size_t size, std::string_view text);

// Paths and command-line arguments: 520 characters and the terminator.
inline constexpr std::size_t PATH_BUFFER_SIZE = 521;
using PathBuffer = TextBuffer<PATH_BUFFER_SIZE>;

template <std::size_t N> std::string_view text_of(const TextBuffer<N>& buffer) {
    return bounded_text(buffer.text, N);
}
template <std::size_t N> bool set_text(TextBuffer<N>& buffer, std::string_view text) {
    return copy_text(buffer.text, N, text);
}
template <std::size_t N> bool append_text(TextBuffer<N>& buffer, std::string_view text) {
    return append_text(buffer.text, N, text);
}

// The fixed names are joined from their words at compile time, so each word is written once.
template <std::size_t... N>
constexpr TextBuffer<(N + ...) - sizeof...(N) + 1> join(const char (&... parts)[N]) {
    TextBuffer<(N + ...) - sizeof...(N) + 1> out{};
    std::size_t at = 0;
    const auto put = [&](const char* part, std::size_t n) {
        for (std::size_t i = 0; i + 1 < n; ++i) {
            out.text[at++] = part[i];
        }
    };
    (put(parts, N), ...);
    return out;
}
