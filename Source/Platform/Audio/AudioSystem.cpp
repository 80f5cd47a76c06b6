#include "Platform/Audio/AudioSystem.h"

#include "Platform/Audio/AudioTestSeam.h"
#include "Platform/Audio/SdlOutput.h"
#include "Platform/Audio/SilentOutput.h"

namespace {

constexpr DWORD defaultFrequency = 44100;
constexpr DWORD minFrequency = 8000;
constexpr DWORD maxFrequency = 192000;
constexpr int noSoundDevice = 0;
constexpr int firstSoundDevice = 1;
constexpr int defaultDevice = -1;

} // namespace

AudioSystem& AudioSystem::Instance() {
    static AudioSystem system;
    return system;
}

AudioSystem::~AudioSystem() {
    Free();
}

int AudioSystem::Init(int device, DWORD frequency, DWORD flags) {
    if (device < defaultDevice || device > firstSoundDevice) return BASS_ERROR_DEVICE;
    if (output != nullptr) return BASS_ERROR_ALREADY;
    if (frequency == 0) frequency = defaultFrequency;
    if (!SupportedFrequency(frequency)) return BASS_ERROR_FORMAT;
    if (device == noSoundDevice) {
        output = std::make_unique<SilentOutput>(mixer, frequency);
    } else {
        int error = BASS_OK;
        output = SdlOutput::Open(mixer, frequency, error);
        if (output == nullptr) return error;
    }
    initFlags = flags;
    return BASS_OK;
}

bool AudioSystem::SupportedFrequency(DWORD frequency) {
    return frequency >= minFrequency && frequency <= maxFrequency;
}

void AudioSystem::Free() {
    output.reset();
    mixer.RemoveAll();
}

BASS_INFO AudioSystem::Info() const {
    BASS_INFO info{};
    const bool measured = (initFlags & BASS_DEVICE_LATENCY) != 0;
    info.minrate = minFrequency;
    info.maxrate = maxFrequency;
    info.minbuf = measured ? output->LatencyMs() : 0;
    info.latency = AudioTestSeam::LatencyOverride().value_or(info.minbuf);
    info.initflags = initFlags;
    info.speakers = 2;
    info.freq = output->Frequency();
    return info;
}
