// The sounds: the calls they make to Windows, and that each returns on the real system.
#include <windows.h>

#include <mmsystem.h>

#include <vector>

#include <gtest/gtest.h>

#include "tests/win/import_hook.h"
#include "ui/silent_wav.h"
#include "ui/win32/sound.h"

namespace {

struct Tone {
    DWORD frequency;
    DWORD duration;
    bool operator==(const Tone&) const = default;
};

std::vector<Tone> tones;
std::vector<UINT> beeps;
struct SoundCall {
    const void* sound;
    HMODULE module;
    DWORD flags;
};
std::vector<SoundCall> sounds;

BOOL WINAPI fake_beep(DWORD frequency, DWORD duration) {
    tones.push_back({frequency, duration});
    return TRUE;
}

BOOL WINAPI fake_message_beep(UINT type) {
    beeps.push_back(type);
    return TRUE;
}

BOOL WINAPI fake_play_sound(LPCWSTR sound, HMODULE module, DWORD flags) {
    sounds.push_back({sound, module, flags});
    return TRUE;
}

TEST(SoundCalls, PlayToneBeepsWithTheFrequencyWidenedWithoutSign) {
    const ImportHook<decltype(&Beep)> hook("kernel32.dll", "Beep", fake_beep);
    ASSERT_TRUE(hook.installed());
    tones.clear();
    play_tone(440, 333);
    play_tone(880, 120);
    play_tone(65535, 1);
    EXPECT_EQ(tones, (std::vector<Tone>{{440, 333}, {880, 120}, {65535, 1}}));
}

TEST(SoundCalls, InfoBeepIsTheInformationSound) {
    const ImportHook<decltype(&MessageBeep)> hook("user32.dll", "MessageBeep", fake_message_beep);
    ASSERT_TRUE(hook.installed());
    beeps.clear();
    info_beep();
    EXPECT_EQ(beeps, (std::vector<UINT>{0x40}));
}

TEST(SoundCalls, SilentSoundPlaysTheConstantImageFromMemoryAsynchronously) {
    const ImportHook<decltype(&PlaySoundW)> hook("winmm.dll", "PlaySoundW", fake_play_sound);
    ASSERT_TRUE(hook.installed());
    sounds.clear();
    play_silent_sound();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].sound, static_cast<const void*>(SILENT_WAV));
    EXPECT_EQ(sounds[0].module, nullptr);
    EXPECT_EQ(sounds[0].flags, 5u);
}

TEST(RealSounds, WindowsReadsTheSilentImageAsAnEmptyPcmWave) {
    MMIOINFO memory{};
    memory.fccIOProc = FOURCC_MEM;
    memory.pchBuffer = reinterpret_cast<HPSTR>(const_cast<std::uint8_t*>(SILENT_WAV));
    memory.cchBuffer = sizeof(SILENT_WAV);
    const HMMIO file = mmioOpenW(nullptr, &memory, MMIO_READ);
    ASSERT_NE(file, nullptr);

    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.cksize, 36u);

    MMCKINFO format{};
    format.ckid = mmioFOURCC('f', 'm', 't', ' ');
    ASSERT_EQ(mmioDescend(file, &format, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    ASSERT_EQ(format.cksize, 16u);
    PCMWAVEFORMAT pcm{};
    ASSERT_EQ(mmioRead(file, reinterpret_cast<HPSTR>(&pcm), sizeof(pcm)), LONG{sizeof(pcm)});
    EXPECT_EQ(pcm.wf.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(pcm.wf.nChannels, 1);
    EXPECT_EQ(pcm.wf.nSamplesPerSec, 8000u);
    EXPECT_EQ(pcm.wf.nAvgBytesPerSec, 8000u);
    EXPECT_EQ(pcm.wf.nBlockAlign, 1);
    EXPECT_EQ(pcm.wBitsPerSample, 8);
    ASSERT_EQ(mmioAscend(file, &format, 0), MMSYSERR_NOERROR);

    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ASSERT_EQ(mmioDescend(file, &data, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    EXPECT_EQ(data.cksize, 0u);
    mmioClose(file, 0);
}

// Without a sound device the calls fail inside Windows; the program must simply go on.
TEST(RealSounds, EachReturns) {
    play_tone(440, 50);
    info_beep();
    for (int tick = 0; tick < 5; ++tick) {
        play_silent_sound(); // as timer 77 does, each start replacing the last
    }
    PlaySoundW(nullptr, nullptr, 0); // stop it before the program ends
    SUCCEED();
}

} // namespace
