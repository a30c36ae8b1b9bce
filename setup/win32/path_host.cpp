#include "setup/win32/path_host.h"

#include <windows.h>

std::uint32_t WindowsPathHost::expand(const char* text, char* buffer, std::uint32_t size) {
    return ExpandEnvironmentStringsA(text, buffer, size);
}

void WindowsPathHost::create_folder(const char* path) {
    CreateDirectoryA(path, nullptr);
}

bool expand_environment(PathBuffer& path) {
    WindowsPathHost host;
    return expand_environment(path, host);
}
