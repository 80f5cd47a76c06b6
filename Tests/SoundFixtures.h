// Sound files made for the audio tests: an Ogg Vorbis sine and a small Impulse Tracker module.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace SoundFixtures {

using Bytes = std::vector<unsigned char>;

constexpr double sineHz = 440.0;

// seconds of a sineHz sine at amplitude in every channel, encoded with libvorbisenc.
Bytes SineOgg(long frequency, int channels, double seconds, float amplitude = 0.5f);

// One pattern of 32 rows at speed 3, tempo 250, that starts a looped square-wave sample on
// its first row: moduleSeconds of sound, then the song ends unless it loops.
Bytes SquareWaveModule();
constexpr double moduleSeconds = 32 * 3 * 2.5 / 250;

// While it lives, SDL audio uses the named driver, which SDL looks up when its audio starts.
// The tests play through "dummy", which keeps real time without a sound card; an unknown
// name fails as a machine without sound does.
class ScopedAudioDriver {
public:
    explicit ScopedAudioDriver(const char* driver) {
        if (const char* current = std::getenv("SDL_AUDIODRIVER")) saved = current;
        setenv("SDL_AUDIODRIVER", driver, 1);
    }
    ~ScopedAudioDriver() {
        if (saved)
            setenv("SDL_AUDIODRIVER", saved->c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }
    ScopedAudioDriver(const ScopedAudioDriver&) = delete;
    ScopedAudioDriver& operator=(const ScopedAudioDriver&) = delete;

private:
    std::optional<std::string> saved;
};

constexpr const char* missingAudioDriver = "lumenvale-no-such-driver";

// Bytes from a fixed linear congruential sequence.
Bytes Noise(std::size_t count);

} // namespace SoundFixtures
