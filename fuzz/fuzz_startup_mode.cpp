// startup_mode against the decision written out with a plain fold-then-find.
#include <cstdio>
#include <string>

#include "fuzz/fuzz_support.h"
#include "setup/startup_mode.h"

namespace {

bool holds(std::string text, std::string word) {
    if (text.size() > 520) { // does not fit a path buffer: the empty text
        return false;
    }
    for (std::string* s : {&text, &word}) {
        for (char& c : *s) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 32);
            }
        }
    }
    return text.find(word) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = split_at_nul(data, size, 3);
    const ExactText a0(args[0]);
    const ExactText a1(args[1]);
    const ExactText a2(args[2]);

    const StartupDecision d = startup_mode(a0.view(), a1.view(), a2.view());

    if (holds(args[1], "uninstall")) {
        FUZZ_CHECK(d.mode == StartupMode::UNINSTALL);
        FUZZ_CHECK(d.quiet == holds(args[2], "quiet"));
    } else if (holds(args[0], "setup.exe")) {
        FUZZ_CHECK(d.mode == StartupMode::SETUP);
        FUZZ_CHECK(d.quiet == (holds(args[1], "-s") || holds(args[1], "/s")));
    } else {
        FUZZ_CHECK(d.mode == StartupMode::PLAY);
        FUZZ_CHECK(!d.quiet);
    }
    return 0;
}
