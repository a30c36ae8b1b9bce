// Helpers shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A heap copy of exactly the text's bytes, so that AddressSanitizer sees a read past its end.
class ExactText {
  public:
    explicit ExactText(std::string_view text)
        : bytes_(new char[text.size() == 0 ? 1 : text.size()]), size_(text.size()) {
        if (!text.empty()) {
            std::memcpy(bytes_.get(), text.data(), text.size());
        }
    }
    std::string_view view() const { return {bytes_.get(), size_}; }

  private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_;
};

// The input cut at its NUL bytes into `count` texts (missing ones empty); the program only
// ever sees NUL-terminated texts.
inline std::vector<std::string> split_at_nul(const std::uint8_t* data, std::size_t size,
                                             std::size_t count) {
    std::vector<std::string> texts(count);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count && at <= size; ++i) {
        const auto* start = reinterpret_cast<const char*>(data) + at;
        const void* nul = std::memchr(start, 0, size - at);
        const std::size_t length =
            nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - start) : size - at;
        texts[i].assign(start, length);
        at += length + 1;
    }
    return texts;
}

// Stops the run with the input that broke an oracle.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "oracle failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
