// A WAV image with no samples: playing it keeps the sound output alive between the program's
// tones without making a sound.
#pragma once

#include <cstdint>

// 44 bytes, little-endian: RIFF header, 16-byte PCM format chunk (1 channel, 8000 samples a
// second, 8 bits), empty data chunk. Constant for the whole run, so the asynchronous playing
// never refers to freed memory.
inline constexpr std::uint8_t SILENT_WAV[44] = {
    'R',  'I',  'F', 'F', 36, 0, 0, 0, // chunk size: the 36 bytes after this field
    'W',  'A',  'V', 'E',              //
    'f',  'm',  't', ' ', 16, 0, 0, 0, // format chunk of 16 bytes
    1,    0,                           // PCM
    1,    0,                           // channels
    0x40, 0x1F, 0,   0,                // samples per second: 8000
    0x40, 0x1F, 0,   0,                // average bytes per second: 8000
    1,    0,                           // block alignment
    8,    0,                           // bits per sample
    'd',  'a',  't', 'a', 0,  0, 0, 0, // data chunk, no sample bytes
};
