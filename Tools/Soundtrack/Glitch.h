// Stutter and bit-crush over a time span of the finished mix. The span is cut into sixteenth
// notes; each replays a short slice of its own start over and over and runs through a
// sample-and-hold and a coarse quantiser, following a fixed programme that gets harsher
// towards the end. Sample-and-hold is aligned to absolute frames and quantising rounds towards
// zero, so the effect is deterministic and never raises a sample's magnitude.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace soundtrack {

class Glitch {
public:
    Glitch(double startSeconds, double lengthSeconds);

    // Processes left and right in place; firstFrame is the show frame of their first sample.
    void Process(std::span<float> left, std::span<float> right, std::int64_t firstFrame);

    struct Move {
        int sliceDivisor; // the slice replayed is a step divided by this; 1 plays straight
        int hold;         // frames each sample is held
        int bits;         // quantiser resolution
    };

private:
    const Move& MoveAt(std::int64_t stepIndex) const;

    std::int64_t startFrame;
    std::int64_t endFrame;
    std::int64_t stepFrames;
    std::vector<float> sliceLeft;
    std::vector<float> sliceRight;
    float heldLeft = 0.0f;
    float heldRight = 0.0f;
};

} // namespace soundtrack
