// Sums the buses into the stereo mix: per-bus gain, side-chain ducking under the kick, and sends
// into a shared reverb and ping-pong delay whose returns join the mix.
#pragma once

#include "Bus.h"
#include "Reverb.h"
#include "StereoDelay.h"

#include <array>
#include <span>
#include <vector>

namespace soundtrack {

class Mixer {
public:
    struct Channel {
        float gain = 1.0f;
        float reverb = 0.0f; // send levels
        float delay = 0.0f;
        float duck = 0.0f; // how far the channel dips under a ducking hit, 0..1
    };

    explicit Mixer(const std::array<Channel, busCount>& channels);

    // Clears the buses for a block of `frames` frames.
    void BeginBlock(int frames);
    std::span<float> Left(Bus bus);
    std::span<float> Right(Bus bus);
    // A ducking hit starts `offset` frames into the block.
    void Duck(int offset);
    // Scales every send for the part of the show being played.
    void SetSendScale(float reverbScale, float delayScale);

    // Writes the block's mix into left and right (each `frames` long).
    void Mix(std::span<float> left, std::span<float> right);

private:
    std::array<Channel, busCount> channels;
    std::array<std::vector<float>, busCount> leftBuses;
    std::array<std::vector<float>, busCount> rightBuses;
    std::vector<float> reverbInput;
    std::vector<float> delayInput;
    std::vector<int> duckOffsets;
    Reverb reverb;
    StereoDelay delay;
    float reverbScale = 1.0f;
    float delayScale = 1.0f;
    float duckTarget = 0.0f;
    float duckLevel = 0.0f;
    int frames = 0;
};

} // namespace soundtrack
