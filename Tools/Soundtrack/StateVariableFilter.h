// Trapezoidal state-variable filter (the "Simper" SVF): stable under fast cutoff modulation,
// with low-, band- and high-pass taken from the same state.
#pragma once

#include "Timing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundtrack {

class StateVariableFilter {
public:
    struct Output {
        float low;
        float band;
        float high;
    };

    // resonance is the filter's Q; 0.707 is flat, higher values ring at the cutoff.
    void Set(float cutoffHz, float resonance) {
        const float cutoff = std::clamp(cutoffHz, 20.0f, 0.45f * timing::sampleRate);
        g = std::tan(std::numbers::pi_v<float> * cutoff / timing::sampleRate);
        k = 1.0f / resonance;
        a1 = 1.0f / (1.0f + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }

    Output Process(float input) {
        const float v3 = input - ic2eq;
        const float v1 = a1 * ic1eq + a2 * v3;
        const float v2 = ic2eq + a2 * ic1eq + a3 * v3;
        ic1eq = 2.0f * v1 - ic1eq;
        ic2eq = 2.0f * v2 - ic2eq;
        return {v2, v1, input - k * v1 - v2};
    }

private:
    float g = 0.0f;
    float k = 1.0f;
    float a1 = 1.0f;
    float a2 = 0.0f;
    float a3 = 0.0f;
    float ic1eq = 0.0f;
    float ic2eq = 0.0f;
};

} // namespace soundtrack
