// The whole soundtrack as a stream: the arrangement played through the sequencer and mixer,
// then limited below full scale, glitched where the picture glitches, and faded out at the end.
#pragma once

#include "Arrangement.h"
#include "Glitch.h"
#include "Limiter.h"
#include "Mixer.h"
#include "Sequencer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace soundtrack {

class Song {
public:
    // The loudest a sample of the output can be: 3 dB under full scale, leaving room for the
    // encoder, whose decoded crashes and impacts overshoot the input by up to about 2 dB.
    static constexpr float ceiling = 0.7f;

    // Starts playing at `fromSeconds`. Later starts warm the voices and effects up over a few
    // seconds first, so an excerpt sounds as it does within the whole piece.
    explicit Song(double fromSeconds = 0.0);

    // Writes the next left.size() frames (right has the same size).
    void Render(std::span<float> left, std::span<float> right);
    // The show frame the next rendered frame belongs to.
    std::int64_t Frame() const { return outputFrame; }

private:
    void RenderBlock(std::span<float> left, std::span<float> right);

    Arrangement arrangement;
    Mixer mixer;
    Limiter limiter;
    Glitch glitch;
    Sequencer sequencer;
    std::int64_t outputFrame;
};

struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;
};

// A stretch of the soundtrack in memory.
StereoBuffer RenderSoundtrack(double fromSeconds, double seconds);

} // namespace soundtrack
