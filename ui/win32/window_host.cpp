#include "ui/win32/window_host.h"

#include "ui/commands.h"
#include "ui/win32/message_box.h"
#include "ui/win32/sound.h"

bool WindowHost::confirm(const char16_t* text, const char16_t* caption) {
    return ::confirm(window_, text, caption);
}

void WindowHost::play_tone(std::int32_t frequency_hz, std::int32_t duration_ms) {
    ::play_tone(static_cast<std::uint16_t>(frequency_hz), static_cast<std::uint32_t>(duration_ms));
}

void WindowHost::info_beep() {
    ::info_beep();
}

void WindowHost::request_repaint() {
    if (repaint_ == RepaintBy::REGION) {
        InvalidateRgn(window_, nullptr, TRUE);
    } else {
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void WindowHost::start_move_timer(std::int32_t ms) {
    SetTimer(window_, TIMER_MOVE, static_cast<UINT>(ms), nullptr);
}

void WindowHost::stop_move_timer() {
    KillTimer(window_, TIMER_MOVE);
}
