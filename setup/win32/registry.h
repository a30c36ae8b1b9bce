// The two writers of the uninstall entry's values.
#pragma once

#include <windows.h>

#include <cstdint>

// The key is opened or created for each value and closed again, in the 32-bit view of the
// registry in both builds. True when the key could be opened or created; whether the value
// itself could be set is not looked at.
bool write_registry_dword(HKEY root, const char* key_path, const char* value_name,
                          std::uint32_t value);
// REG_SZ with its terminating zero byte.
bool write_registry_string(HKEY root, const char* key_path, const char* value_name,
                           const char* text);
