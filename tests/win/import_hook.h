// Redirects this program's own calls to a DLL function for the length of one test, so a test
// sees the exact arguments and order of the calls the program makes to Windows.
#pragma once

#include <windows.h>

#include <cstring>

// The import address slot of dll!function in this program's import table; nullptr when the
// program does not import it.
inline void** import_slot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return nullptr;
    }
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* by_name =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), function) == 0) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
    }
    return nullptr;
}

// While alive, calls through the slot reach replacement; the original is put back after.
template <typename Function> class ImportHook {
  public:
    ImportHook(const char* dll, const char* function, Function replacement)
        : slot_(import_slot(dll, function)) {
        if (slot_ != nullptr) {
            original_ = reinterpret_cast<Function>(*slot_);
            write(reinterpret_cast<void*>(replacement));
        }
    }
    ~ImportHook() {
        if (slot_ != nullptr) {
            write(reinterpret_cast<void*>(original_));
        }
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    bool installed() const { return slot_ != nullptr; }
    Function original() const { return original_; }

  private:
    void write(void* value) {
        DWORD old_protection = 0;
        VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &old_protection);
        *slot_ = value;
        VirtualProtect(slot_, sizeof(void*), old_protection, &old_protection);
    }

    void** slot_;
    Function original_ = nullptr;
};
