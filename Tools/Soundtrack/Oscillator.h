// Phase-accumulating oscillator. The waveforms all read the same phase, so one instance can mix
// several; saw and square are band-limited with polyBLEP corrections at their edges.
#pragma once

#include "Timing.h"

#include <cmath>

namespace soundtrack {

// sin(2 pi phase) for phase in [0, 1): a refined parabola, accurate to about 0.1 %, which is
// plenty for synthesis and much cheaper than std::sin.
inline float FastSine(float phase) {
    const float t = phase - 0.5f;                            // [-0.5, 0.5)
    const float s = 8.0f * t * (1.0f - 2.0f * std::fabs(t)); // parabola through the extrema
    return -(0.225f * (s * std::fabs(s) - s) + s);
}

class Oscillator {
public:
    explicit Oscillator(float startPhase = 0.0f) : phase(startPhase) {}

    void SetFrequency(float hz) { increment = hz / timing::sampleRate; }
    float Phase() const { return phase; }

    float Sine() const { return FastSine(phase); }
    float Saw() const { return 2.0f * phase - 1.0f - Blep(phase); }
    float Square() const {
        float shifted = phase + 0.5f;
        if (shifted >= 1.0f) shifted -= 1.0f;
        return (phase < 0.5f ? 1.0f : -1.0f) + Blep(phase) - Blep(shifted);
    }

    void Advance() {
        phase += increment;
        if (phase >= 1.0f) phase -= 1.0f;
    }

private:
    // Correction that rounds off a unit step at phase 0 over one sample either side.
    float Blep(float t) const {
        if (t < increment) {
            t /= increment;
            return t + t - t * t - 1.0f;
        }
        if (t > 1.0f - increment) {
            t = (t - 1.0f) / increment;
            return t * t + t + t + 1.0f;
        }
        return 0.0f;
    }

    float phase;
    float increment = 0.0f;
};

} // namespace soundtrack
