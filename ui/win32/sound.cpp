#include "ui/win32/sound.h"

#include <windows.h>

#include <mmsystem.h>

#include "ui/silent_wav.h"

static_assert((SND_MEMORY | SND_ASYNC) == 5 && MB_ICONINFORMATION == 0x40);

void play_tone(std::uint16_t frequency_hz, std::uint32_t duration_ms) {
    Beep(static_cast<DWORD>(frequency_hz), duration_ms);
}

void info_beep() {
    MessageBeep(MB_ICONINFORMATION);
}

void play_silent_sound() {
    PlaySoundW(reinterpret_cast<LPCWSTR>(SILENT_WAV), nullptr, SND_MEMORY | SND_ASYNC);
}
