#include "Platform/Audio/SdlOutput.h"

namespace {

// About 23 ms at 44100 Hz; the device may choose another size, which the latency reports.
constexpr Uint16 requestedBufferFrames = 1024;
constexpr int bytesPerFrame = 4;

} // namespace

std::unique_ptr<SdlOutput> SdlOutput::Open(Mixer& mixer, DWORD frequency, int& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    std::unique_ptr<SdlOutput> output(new SdlOutput(mixer));
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(frequency);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = requestedBufferFrames;
    wanted.callback = &Fill;
    wanted.userdata = output.get();
    // SDL converts rate and format where the device differs; only the buffer size may change.
    output->device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &output->obtained, SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    if (output->device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        error = BASS_ERROR_DRIVER;
        return nullptr;
    }
    SDL_PauseAudioDevice(output->device, 0);
    return output;
}

SdlOutput::~SdlOutput() {
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

DWORD SdlOutput::LatencyMs() const {
    // The device plays one buffer while the callback fills the next.
    return (static_cast<DWORD>(obtained.samples) * 1000 + obtained.freq - 1) / obtained.freq;
}

void SdlOutput::Fill(void* output, Uint8* stream, int length) {
    auto& self = *static_cast<SdlOutput*>(output);
    self.mixer.Render(reinterpret_cast<std::int16_t*>(stream),
                      static_cast<std::size_t>(length / bytesPerFrame), self.obtained.freq);
}
