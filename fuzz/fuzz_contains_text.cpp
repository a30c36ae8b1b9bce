// contains_text against a plain fold-then-find.
#include <cstdio>
#include <optional>
#include <string>

#include "fuzz/fuzz_support.h"
#include "setup/contains_text.h"

namespace {

std::string ascii_upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> texts = split_at_nul(data, size, 2);
    const ExactText text(texts[0]);
    const ExactText pattern(texts[1]);

    const std::optional<std::size_t> found = contains_text(text.view(), pattern.view());
    const std::size_t expected = ascii_upper(texts[0]).find(ascii_upper(texts[1]));

    if (expected == std::string::npos) {
        FUZZ_CHECK(!found.has_value());
    } else {
        FUZZ_CHECK(found.has_value() && *found == expected);
    }
    return 0;
}
