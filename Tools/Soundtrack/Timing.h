// The soundtrack's clock: sample rate and the tempo grid every part is placed on.
#pragma once

#include <cmath>
#include <cstdint>

namespace soundtrack::timing {

inline constexpr int sampleRate = 44100;
inline constexpr double beatSeconds = 0.5;             // 120 beats per minute
inline constexpr double barSeconds = 4 * beatSeconds;  // 4/4
inline constexpr double stepSeconds = beatSeconds / 4; // a sixteenth note
inline constexpr int stepsPerBar = 16;
inline constexpr double showSeconds = 287.0;

// The frame a moment falls on; events land on the nearest sample.
inline std::int64_t FrameAt(double seconds) {
    return std::llround(seconds * sampleRate);
}

inline double SecondsAt(std::int64_t frame) {
    return static_cast<double>(frame) / sampleRate;
}

// Frequency of a (possibly fractional) MIDI note number; 69 is A4 at 440 Hz.
inline float NoteHz(float note) {
    return 440.0f * std::exp2((note - 69.0f) / 12.0f);
}

// Per-sample multiplier of an exponential decay that falls by 1/e in `seconds`.
inline float DecayCoefficient(float seconds) {
    return std::exp(-1.0f / (seconds * sampleRate));
}

} // namespace soundtrack::timing
