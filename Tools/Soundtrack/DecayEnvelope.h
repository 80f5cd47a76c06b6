// Exponential decay from 1 towards 0, the envelope of percussion.
#pragma once

#include "Timing.h"

namespace soundtrack {

class DecayEnvelope {
public:
    explicit DecayEnvelope(float seconds) : coefficient(timing::DecayCoefficient(seconds)) {}

    float Next() {
        const float current = level;
        level *= coefficient;
        return current;
    }
    // Below -60 dB the rest of the tail is inaudible under the mix.
    bool Finished() const { return level < 1e-3f; }

private:
    float coefficient;
    float level = 1.0f;
};

} // namespace soundtrack
