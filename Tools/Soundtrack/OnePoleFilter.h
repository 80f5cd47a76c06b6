// One-pole low-pass; its complement is the matching gentle high-pass. Used for damping.
#pragma once

#include "Timing.h"

#include <cmath>
#include <numbers>

namespace soundtrack {

class OnePoleFilter {
public:
    explicit OnePoleFilter(float cutoffHz)
        : amount(1.0f -
                 std::exp(-2.0f * std::numbers::pi_v<float> * cutoffHz / timing::sampleRate)) {}

    float Lowpass(float input) {
        state += amount * (input - state);
        return state;
    }
    float Highpass(float input) { return input - Lowpass(input); }

private:
    float amount;
    float state = 0.0f;
};

} // namespace soundtrack
