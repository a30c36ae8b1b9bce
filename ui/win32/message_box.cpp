#include "ui/win32/message_box.h"

#include "ui/win32/wide_text.h"

// The record as 32-bit Windows knows it; the 64-bit build's pointers make it larger.
static_assert(sizeof(void*) != 4 || sizeof(MSGBOXPARAMSW) == 40);

namespace {

// The box's own copy of the icon name, released on every way out of show_message_box.
class IconName {
  public:
    explicit IconName(const char16_t* name) {
        if (name == nullptr) {
            return;
        }
        std::size_t units = 1;
        while (name[units - 1] != 0) {
            ++units;
        }
        copy_ = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, units * sizeof(wchar_t)));
        if (copy_ == nullptr) {
            failed_ = true;
            return;
        }
        CopyMemory(copy_, name, units * sizeof(wchar_t));
    }
    ~IconName() {
        if (copy_ != nullptr) {
            HeapFree(GetProcessHeap(), 0, copy_);
        }
    }
    IconName(const IconName&) = delete;
    IconName& operator=(const IconName&) = delete;

    bool failed() const { return failed_; }
    const wchar_t* get() const { return copy_; }

  private:
    wchar_t* copy_ = nullptr;
    bool failed_ = false;
};

} // namespace

std::int32_t show_message_box(HWND owner, const char16_t* text, const char16_t* caption,
                              std::uint32_t style, const char16_t* icon_name) {
    const IconName icon(icon_name);
    if (icon.failed()) {
        return 0; // like a box that cannot be shown: every question takes it as no
    }
    MSGBOXPARAMSW params{};
    params.cbSize = sizeof(params);
    params.hwndOwner = owner;
    params.hInstance = GetModuleHandleW(nullptr);
    params.lpszText = wide(text);
    params.lpszCaption = wide(caption);
    params.dwStyle = style | MB_SETFOREGROUND;
    params.lpszIcon = icon.get();
    params.dwContextHelpId = 1;
    params.lpfnMsgBoxCallback = nullptr;
    params.dwLanguageId = 0;
    MessageBeep(MB_ICONINFORMATION);
    return MessageBoxIndirectW(&params);
}

bool confirm(HWND owner, const char16_t* text, const char16_t* caption) {
    return show_message_box(owner, text, caption, BOX_STYLE_QUESTION, BOX_ICON_GAME) == IDYES;
}
