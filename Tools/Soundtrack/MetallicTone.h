// Six square waves at inharmonic ratios (the classic drum-machine cymbal source). Left
// unfiltered on purpose: the aliasing is part of the metallic sound, and a high-pass follows.
#pragma once

#include "Timing.h"

#include <array>

namespace soundtrack {

class MetallicTone {
public:
    explicit MetallicTone(float baseHz) {
        constexpr std::array<float, 6> ratios = {1.0f, 1.4826f, 1.8003f, 2.5459f, 2.6303f, 3.8964f};
        for (std::size_t i = 0; i < ratios.size(); ++i) {
            increments[i] = baseHz * ratios[i] / timing::sampleRate;
            phases[i] = 0.17f * static_cast<float>(i);
        }
    }

    float Next() {
        float sum = 0.0f;
        for (std::size_t i = 0; i < phases.size(); ++i) {
            sum += phases[i] < 0.5f ? 1.0f : -1.0f;
            phases[i] += increments[i];
            if (phases[i] >= 1.0f) phases[i] -= 1.0f;
        }
        return sum * (1.0f / 6.0f);
    }

private:
    std::array<float, 6> phases{};
    std::array<float, 6> increments{};
};

} // namespace soundtrack
