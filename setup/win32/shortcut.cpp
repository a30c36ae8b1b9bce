#include "setup/win32/shortcut.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include "setup/text_buffer.h"
#include "setup/working_dir.h"

namespace {

// CLSCTX_INPROC_SERVER with CLSCTX_LOCAL_SERVER.
constexpr DWORD SHELL_LINK_CONTEXT = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;
static_assert(SHELL_LINK_CONTEXT == 5);

// Releases the reference it holds when it goes out of scope.
template <typename Interface> class Held {
  public:
    Held() = default;
    ~Held() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    void** out() { return reinterpret_cast<void**>(&pointer_); }

  private:
    Interface* pointer_ = nullptr;
};

// CoUninitialize after every reference has gone: the object lives in this thread's apartment.
class ComApartment {
  public:
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// The link path in UTF-16 for IPersistFile::Save; false when it does not fit. An absent path
// gives the empty text.
bool wide_link_path(const char* link_path, wchar_t (&out)[PATH_BUFFER_SIZE]) {
    out[0] = L'\0';
    if (link_path == nullptr || link_path[0] == '\0') {
        return true;
    }
    return MultiByteToWideChar(CP_ACP, 0, link_path, -1, out, PATH_BUFFER_SIZE) != 0;
}

bool save_shortcut(const char* target_path, const char* arguments, const WorkingDirBuffer& dir,
                   const char* link_path, const char* description, const char* icon_path,
                   std::int32_t icon_index, std::int32_t show_cmd) {
    // Declared first, so the references below are released before COM goes.
    const ComApartment apartment;
    Held<IUnknown> object;
    if (CoCreateInstance(CLSID_ShellLink, nullptr, SHELL_LINK_CONTEXT, IID_IUnknown,
                         object.out()) != S_OK ||
        object.get() == nullptr) {
        return false;
    }
    Held<IShellLinkA> link;
    if (object->QueryInterface(IID_IShellLinkA, link.out()) != S_OK || link.get() == nullptr) {
        return false;
    }
    link->SetPath(target_path);
    link->SetArguments(arguments != nullptr ? arguments : "");
    link->SetWorkingDirectory(dir.text);
    link->SetDescription(description);
    link->SetIconLocation(icon_path, icon_index);
    link->SetShowCmd(show_cmd);
    Held<IPersistFile> file;
    if (object->QueryInterface(IID_IPersistFile, file.out()) != S_OK || file.get() == nullptr) {
        return false;
    }
    wchar_t wide_path[PATH_BUFFER_SIZE];
    if (!wide_link_path(link_path, wide_path)) {
        return false;
    }
    file->Save(wide_path, FALSE);
    return true;
}

} // namespace

bool write_shortcut(const char* target_path, const char* arguments, const char* working_dir,
                    const char* link_path, const char* description, const char* icon_path,
                    std::int32_t icon_index, std::int32_t show_cmd) {
    WorkingDirBuffer dir{};
    if (!shortcut_working_dir(working_dir != nullptr ? working_dir : "", target_path, dir)) {
        return false;
    }
    return save_shortcut(target_path, arguments, dir, link_path, description, icon_path, icon_index,
                         show_cmd);
}
