// The command-line split against a second, character-by-character split, and a round trip:
// the arguments quoted and joined again split into the same arguments.
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "setup/command_line.h"

namespace {

// Every part, the program's own first.
std::vector<std::string> reference_parts(const std::string& line) {
    std::vector<std::string> parts;
    std::string part;
    bool in_part = false;
    bool grouped = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto code = static_cast<unsigned char>(line[i]);
        if (code == '"') {
            in_part = true;
            if (i + 1 < line.size() && line[i + 1] == '"') {
                ++i;
            } else {
                grouped = !grouped;
            }
        } else if (!grouped && code >= 1 && code <= 32) {
            if (in_part) {
                parts.push_back(part);
            }
            part.clear();
            in_part = false;
        } else {
            part += line[i];
            in_part = true;
        }
    }
    if (in_part) {
        parts.push_back(part);
    }
    return parts;
}

// What the program reads: every argument until one is missing.
std::vector<std::string> read_arguments(std::string_view line) {
    std::vector<std::string> arguments;
    auto out = std::make_unique<PathBuffer>();
    for (int index = 1;; ++index) {
        const ArgumentStatus status = command_line_argument(line, index, *out);
        FUZZ_CHECK(std::memchr(out->text, 0, sizeof out->text) != nullptr);
        if (status == ArgumentStatus::MISSING) {
            FUZZ_CHECK(text_of(*out).empty());
            return arguments;
        }
        if (status == ArgumentStatus::TOO_LONG) {
            FUZZ_CHECK(text_of(*out).empty());
            arguments.emplace_back("<too long>");
        } else {
            arguments.emplace_back(text_of(*out));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line = split_at_nul(data, size, 1)[0];
    const ExactText exact(line);

    const std::vector<std::string> parts = reference_parts(line);
    std::vector<std::string> expected;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        expected.push_back(parts[i].size() <= 520 ? parts[i] : "<too long>");
    }
    const std::vector<std::string> arguments = read_arguments(exact.view());
    FUZZ_CHECK(arguments == expected);

    auto out = std::make_unique<PathBuffer>();
    FUZZ_CHECK(command_line_argument(exact.view(), 0, *out) == ArgumentStatus::MISSING);

    // Parts never hold a quote, so quoting each one keeps it whole.
    if (!parts.empty()) {
        std::string joined = "\"" + parts[0] + "\"";
        std::vector<std::string> fitting;
        for (std::size_t i = 1; i < parts.size(); ++i) {
            if (parts[i].size() <= 520) {
                joined += " \"" + parts[i] + "\"";
                fitting.push_back(parts[i]);
            }
        }
        FUZZ_CHECK(read_arguments(ExactText(joined).view()) == fitting);
    }
    return 0;
}
