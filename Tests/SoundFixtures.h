// Sound files made for the audio tests: an Ogg Vorbis sine and a small Impulse Tracker module.
#pragma once

#include <cstdint>
#include <cstdlib>
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

// While it lives, SDL audio finds no driver, as on a machine without sound: SDL looks the
// driver up when its audio subsystem starts.
class NoAudioDriver {
public:
    NoAudioDriver() {
        if (const char* driver = std::getenv("SDL_AUDIODRIVER")) saved = driver;
        setenv("SDL_AUDIODRIVER", "lumenvale-no-such-driver", 1);
    }
    ~NoAudioDriver() {
        if (saved.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    }
    NoAudioDriver(const NoAudioDriver&) = delete;
    NoAudioDriver& operator=(const NoAudioDriver&) = delete;

private:
    std::string saved;
};

// Bytes from a fixed linear congruential sequence.
Bytes Noise(std::size_t count);

} // namespace SoundFixtures
