// The process-wide audio state behind the BASS functions: the global volumes, the open
// output device, if any, and the mixer with its channels.
#pragma once

#include "Platform/Audio/AudioOutput.h"
#include "Platform/Audio/Bass.h"
#include "Platform/Audio/Mixer.h"

#include <memory>

class AudioSystem {
public:
    static AudioSystem& Instance();
    ~AudioSystem();

    Mixer& GetMixer() { return mixer; }

    // device -1 or 1: the default device; 0: no sound. Returns BASS_OK or the error code.
    int Init(int device, DWORD frequency, DWORD flags);
    bool Initialised() const { return output != nullptr; }
    // Closes the output and frees every channel.
    void Free();
    BASS_INFO Info() const;
    DWORD OutputRate() const { return output->Frequency(); }
    // Rates that devices and decoders are asked to run at.
    static bool SupportedFrequency(DWORD frequency);

    // No sample channels exist; the volume is kept for BASS_GetConfig.
    DWORD sampleVolume = Mixer::fullVolume;

private:
    AudioSystem() = default;

    // Declared first so that it outlives the output that mixes from it.
    Mixer mixer;
    std::unique_ptr<AudioOutput> output;
    DWORD initFlags = 0;
};
