// The program's sounds: tones, the information sound and the silent keep-alive sound.
#pragma once

#include <cstdint>

// Returns when the tone has ended.
void play_tone(std::uint16_t frequency_hz, std::uint32_t duration_ms);

// The system's information sound; returns at once.
void info_beep();

// Starts SILENT_WAV playing and returns at once; called on the main window's timer 77.
void play_silent_sound();
