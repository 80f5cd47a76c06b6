// The default sound device through SDL2 audio: 16-bit stereo, mixed on SDL's audio thread.
#pragma once

#include "Platform/Audio/AudioOutput.h"
#include "Platform/Audio/Mixer.h"

#include <SDL2/SDL.h>
#include <memory>

class SdlOutput : public AudioOutput {
public:
    // Null, with error set to BASS_ERROR_DRIVER, when SDL audio or the device does not start.
    static std::unique_ptr<SdlOutput> Open(Mixer& mixer, DWORD frequency, int& error);
    ~SdlOutput() override;
    SdlOutput(const SdlOutput&) = delete;
    SdlOutput& operator=(const SdlOutput&) = delete;

    DWORD Frequency() const override { return obtained.freq; }
    DWORD LatencyMs() const override;

private:
    explicit SdlOutput(Mixer& target) : mixer(target) {}

    static void Fill(void* output, Uint8* stream, int length);

    Mixer& mixer;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec obtained{};
};
