// Path composition in its fixed buffers, driven by a host that may answer anything: each step
// is checked against a std::string model, and no buffer may ever be left unterminated.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "setup/install_names.h"
#include "setup/install_paths.h"
#include "setup/uninstall_entry.h"

namespace {

template <std::size_t N> bool terminated(const TextBuffer<N>& buffer) {
    return std::memchr(buffer.text, 0, N) != nullptr;
}

// Writes the fuzzer's bytes and returns either what ExpandEnvironmentStringsA would for them or
// any number at all. Remembers what the path must become.
class FuzzHost : public PathHost {
  public:
    explicit FuzzHost(FuzzedDataProvider& input) : input_(input) {}

    std::vector<std::string> created;
    // After the last expand: the text that may replace the path, if any.
    bool may_replace = false;
    std::string replacement;

    std::uint32_t expand(const char* text, char* buffer, std::uint32_t size) override {
        FUZZ_CHECK(size == EXPANSION_BUFFER_SIZE);
        FUZZ_CHECK(std::strlen(text) < PATH_BUFFER_SIZE);
        std::string written = input_.ConsumeRandomLengthString(700);
        std::uint32_t result;
        std::size_t stored;
        if (input_.ConsumeBool()) {
            written = written.c_str(); // the system writes one text and its terminator
            result = static_cast<std::uint32_t>(written.size() + 1);
            stored = result <= size ? result : 0;
        } else {
            // Mostly near the buffer's size, where the bounds are.
            result = input_.ConsumeBool() ? input_.ConsumeIntegralInRange<std::uint32_t>(0, 1100)
                                          : input_.ConsumeIntegral<std::uint32_t>();
            stored = std::min<std::size_t>(written.size(), size);
        }
        std::memcpy(buffer, written.c_str(), stored);
        // The buffer starts out empty, so what is not written reads as terminators; the text
        // ends at the first terminator, and a buffer without one holds no text.
        const std::size_t length = strnlen(written.c_str(), stored);
        may_replace = result >= 1 && result <= size && length < size;
        replacement = written.substr(0, length);
        return result;
    }

    void create_folder(const char* path) override {
        FUZZ_CHECK(std::strlen(path) < PATH_BUFFER_SIZE);
        created.emplace_back(path);
    }

  private:
    FuzzedDataProvider& input_;
};

void check_expand(PathBuffer& path, FuzzHost& host) {
    const std::string before(text_of(path));
    const bool replaced = expand_environment(path, host);
    FUZZ_CHECK(terminated(path));
    FUZZ_CHECK(replaced == host.may_replace);
    FUZZ_CHECK(text_of(path) == (replaced ? host.replacement : before));
}

// A composition that creates folders on its way down: the path is the last folder created,
// followed by the final step when it fitted.
void check_descent(bool fitted, const PathBuffer& path, const FuzzHost& host,
                   std::string_view final_step, std::size_t folders) {
    FUZZ_CHECK(terminated(path));
    const std::string text(text_of(path));
    if (fitted) {
        FUZZ_CHECK(host.created.size() == folders);
        FUZZ_CHECK(text == host.created.back() + std::string(final_step));
    } else if (!host.created.empty()) {
        FUZZ_CHECK(text == host.created.back());
    }
    for (std::size_t i = 1; i < host.created.size(); ++i) {
        FUZZ_CHECK(host.created[i].starts_with(host.created[i - 1]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    auto path = std::make_unique<PathBuffer>();
    auto other = std::make_unique<PathBuffer>();
    std::string model;

    while (input.remaining_bytes() > 0) {
        FuzzHost host(input);
        switch (input.ConsumeIntegralInRange(0, 9)) {
        case 0: {
            const std::string text = input.ConsumeRandomLengthString(1200);
            const bool fits = text.size() <= 520 && text.find('\0') == std::string::npos;
            FUZZ_CHECK(set_text(*path, text) == (text.size() <= 520));
            if (text.size() <= 520) {
                model = text.c_str();
            }
            FUZZ_CHECK(fits ? text_of(*path) == text : text_of(*path) == model);
            break;
        }
        case 1: {
            const std::string text = input.ConsumeRandomLengthString(600);
            const std::string clean = text.c_str();
            const bool fits = model.size() + clean.size() <= 520;
            FUZZ_CHECK(append_text(*path, clean) == fits);
            if (fits) {
                model += clean;
            }
            FUZZ_CHECK(text_of(*path) == model);
            break;
        }
        case 2:
            check_expand(*path, host);
            model = text_of(*path);
            break;
        case 3:
            check_descent(compose_program_file(*path, host), *path, host, PROGRAM_FILE_STEP.text,
                          2);
            model = text_of(*path);
            break;
        case 4:
            check_descent(compose_shortcut_file(*path, host), *path, host, SHORTCUT_FILE_STEP.text,
                          2);
            model = text_of(*path);
            break;
        case 5: {
            compose_install_folder(*path, host);
            FUZZ_CHECK(terminated(*path));
            FUZZ_CHECK(text_of(*path) ==
                       (host.may_replace ? host.replacement : std::string(INSTALL_FOLDER.text)));
            model = text_of(*path);
            break;
        }
        case 6: {
            const bool fits = model.size() + std::strlen(SHORTCUT_FILE_STEP.text) <= 520;
            FUZZ_CHECK(shortcut_file_in(*path, *other) == fits);
            FUZZ_CHECK(terminated(*other));
            FUZZ_CHECK(text_of(*other) == (fits ? model + SHORTCUT_FILE_STEP.text : std::string()));
            break;
        }
        case 7: {
            // The system may leave the buffer unterminated when it cuts the path.
            const std::string written = input.ConsumeBytesAsString(PATH_BUFFER_SIZE);
            std::memcpy(path->text, written.data(), written.size());
            const auto result = input.ConsumeIntegralInRange<std::uint32_t>(0, 1100);
            const std::size_t length = strnlen(path->text, PATH_BUFFER_SIZE);
            const bool whole = result >= 1 && result < PATH_BUFFER_SIZE && length == result;
            FUZZ_CHECK(take_module_path(*path, result) == whole);
            FUZZ_CHECK(terminated(*path));
            if (!whole) {
                FUZZ_CHECK(text_of(*path).empty());
            }
            model = text_of(*path);
            break;
        }
        case 8: {
            set_text(*other, input.ConsumeRandomLengthString(520).c_str());
            auto parameters = std::make_unique<InterpreterParameters>();
            uninstall_parameters(*path, *other, *parameters);
            FUZZ_CHECK(terminated(*parameters));
            FUZZ_CHECK(text_of(*parameters) == "/c RD /S /Q \"" + model + "\" & RD /S /Q \"" +
                                                   std::string(text_of(*other)) + "\"");
            break;
        }
        case 9: {
            auto date = std::make_unique<InstallDateBuffer>();
            const std::string written = input.ConsumeBytesAsString(INSTALL_DATE_BUFFER_SIZE);
            std::memcpy(date->text, written.data(), written.size());
            take_install_date(*date, input.ConsumeIntegral<std::int32_t>());
            FUZZ_CHECK(terminated(*date));
            auto value = std::make_unique<ValueBuffer>();
            for (const UninstallValue& v : UNINSTALL_VALUES) {
                uninstall_value_text(v, *path, *date, *value);
                FUZZ_CHECK(terminated(*value));
                if (v.source == ValueSource::PROGRAM_FILE_FOLLOWED) {
                    FUZZ_CHECK(text_of(*value) == model + v.text);
                } else if (v.source == ValueSource::INSTALL_DATE) {
                    FUZZ_CHECK(text_of(*value) == text_of(*date));
                }
            }
            break;
        }
        }
        FUZZ_CHECK(terminated(*path));
        FUZZ_CHECK(text_of(*path) == model);
    }
    return 0;
}
