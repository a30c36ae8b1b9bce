#include "setup/win32/registry.h"

#include <cstring>

namespace {

// The entry belongs to the 32-bit program, so the 64-bit build writes the same key.
constexpr REGSAM ENTRY_ACCESS = KEY_ALL_ACCESS | KEY_WOW64_32KEY;
static_assert(ENTRY_ACCESS == 0xF023F);

bool write_value(HKEY root, const char* key_path, const char* value_name, DWORD type,
                 const void* data, DWORD size) {
    char no_class[] = "";
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, key_path, 0, no_class, REG_OPTION_NON_VOLATILE, ENTRY_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegSetValueExA(key, value_name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return true;
}

} // namespace

bool write_registry_dword(HKEY root, const char* key_path, const char* value_name,
                          std::uint32_t value) {
    const DWORD data = value;
    return write_value(root, key_path, value_name, REG_DWORD, &data, sizeof data);
}

bool write_registry_string(HKEY root, const char* key_path, const char* value_name,
                           const char* text) {
    const auto size = static_cast<DWORD>(std::strlen(text) + 1);
    return write_value(root, key_path, value_name, REG_SZ, text, size);
}
