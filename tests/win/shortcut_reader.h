// Reads a shortcut file back through the system's shell-link object, for the setup tests.
#pragma once

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <string>

struct LoadedShortcut {
    bool loaded = false;
    std::string path, arguments, working_dir, description, icon_path;
    int icon_index = -1;
    // The show value as the file holds it (the header's field at offset 60). The shell-link
    // object hands back only the values it considers valid for a shortcut and SW_SHOWNORMAL
    // for the rest, 0 among them, so its GetShowCmd would not show what was stored.
    long stored_show_cmd = -1;
};

inline long stored_show_cmd(const std::string& link_path) {
    long value = -1;
    const HANDLE file = CreateFileA(link_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return value;
    }
    unsigned char header[64];
    DWORD got = 0;
    if (ReadFile(file, header, sizeof header, &got, nullptr) && got == sizeof header) {
        value = static_cast<long>(header[60] | header[61] << 8 | header[62] << 16 |
                                  static_cast<unsigned long>(header[63]) << 24);
    }
    CloseHandle(file);
    return value;
}

inline LoadedShortcut load_shortcut(const std::string& link_path) {
    LoadedShortcut s;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&link)) == S_OK) {
        IPersistFile* file = nullptr;
        if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK) {
            wchar_t wide[1024];
            MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide, 1024);
            if (file->Load(wide, STGM_READ) == S_OK) {
                s.loaded = true;
                char text[1024] = "";
                link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
                s.path = text;
                text[0] = '\0';
                link->GetArguments(text, sizeof text);
                s.arguments = text;
                text[0] = '\0';
                link->GetWorkingDirectory(text, sizeof text);
                s.working_dir = text;
                text[0] = '\0';
                link->GetDescription(text, sizeof text);
                s.description = text;
                text[0] = '\0';
                link->GetIconLocation(text, sizeof text, &s.icon_index);
                s.icon_path = text;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    s.stored_show_cmd = stored_show_cmd(link_path);
    return s;
}
