// The platform's side of the path composition: environment expansion and folder creation.
#pragma once

#include <cstdint>

#include "setup/install_paths.h"
#include "setup/text_buffer.h"

class WindowsPathHost final : public PathHost {
  public:
    std::uint32_t expand(const char* text, char* buffer, std::uint32_t size) override;
    void create_folder(const char* path) override;
};

// Replaces path by its expansion (ExpandEnvironmentStringsA through a 512-byte buffer); false,
// with the path as it was, when the expansion fails or does not fit.
bool expand_environment(PathBuffer& path);
