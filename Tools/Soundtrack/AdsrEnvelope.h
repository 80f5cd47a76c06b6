// Attack-decay-sustain-release envelope whose gate closes a fixed time after the note starts.
#pragma once

#include "Timing.h"

#include <algorithm>

namespace soundtrack {

class AdsrEnvelope {
public:
    struct Shape {
        float attack = 0.005f; // seconds, linear rise
        float decay = 0.2f;    // seconds, time constant towards the sustain level
        float sustain = 0.7f;  // level
        float release = 0.2f;  // seconds, time constant after the gate closes
    };

    AdsrEnvelope(const Shape& shape, double gateSeconds)
        : attackStep(1.0f / std::max(1.0f, shape.attack * timing::sampleRate)),
          decayCoefficient(timing::DecayCoefficient(shape.decay)),
          releaseCoefficient(timing::DecayCoefficient(shape.release)), sustain(shape.sustain),
          gateFrames(std::max<std::int64_t>(1, timing::FrameAt(gateSeconds))) {}

    float Next() {
        if (frame++ >= gateFrames) {
            level *= releaseCoefficient;
        } else if (attacking) {
            level += attackStep;
            if (level >= 1.0f) {
                level = 1.0f;
                attacking = false;
            }
        } else {
            level = sustain + (level - sustain) * decayCoefficient;
        }
        return level;
    }
    bool Finished() const { return frame > gateFrames && level < 1e-3f; }

private:
    float attackStep;
    float decayCoefficient;
    float releaseCoefficient;
    float sustain;
    std::int64_t gateFrames;
    std::int64_t frame = 0;
    float level = 0.0f;
    bool attacking = true;
};

} // namespace soundtrack
