// The shortcut's working-directory rule against a plain string version of it.
#include <cstdio>
#include <string>

#include "fuzz/fuzz_support.h"
#include "setup/working_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> texts = split_at_nul(data, size, 2);
    const ExactText working_dir(texts[0]);
    const ExactText target(texts[1]);

    std::string expected = texts[0];
    if (!expected.empty() && expected[0] == '"') {
        expected.erase(0, 1);
    }
    if (expected.empty()) {
        expected = texts[1];
        for (std::size_t i = expected.size(); i-- > 1;) {
            if (expected[i] == '\\') {
                expected.resize(i);
                break;
            }
        }
    }

    auto out = std::make_unique<WorkingDirBuffer>();
    std::memset(out->text, 'x', sizeof out->text); // refusal must clear it
    const bool kept = shortcut_working_dir(working_dir.view(), target.view(), *out);

    FUZZ_CHECK(std::memchr(out->text, 0, sizeof out->text) != nullptr);
    if (expected.size() <= 511) {
        FUZZ_CHECK(kept);
        FUZZ_CHECK(text_of(*out) == expected);
    } else {
        FUZZ_CHECK(!kept);
        FUZZ_CHECK(text_of(*out).empty());
    }
    return 0;
}
