// Converts a source's frames to the output rate by linear interpolation, and counts the
// source frames whose time has been rendered.
#pragma once

#include "Platform/Audio/Bass.h"
#include "Platform/Audio/FrameSource.h"

#include <array>
#include <cstddef>
#include <vector>

class Resampler {
public:
    Resampler();

    // Starts again from the source's first frame (which the caller has rewound).
    void Reset();
    // Adds up to frames output frames, advancing step source frames each, times gain, into
    // the interleaved stereo mix. Returns the frames added: fewer only when the source ends.
    std::size_t MixInto(FrameSource& source, float* mix, std::size_t frames, double step,
                        float gain);

    // Source frames rendered so far; all of them once the source has ended.
    QWORD SourceFrames() const;
    bool Ended() const { return ended; }

private:
    using Frame = std::array<float, 2>;

    // The next source frame, or false at the end of the source.
    bool Pull(FrameSource& source, Frame& frame);
    // Makes current the frame after it; false when current was the last one.
    bool Advance(FrameSource& source);

    std::vector<float> block;
    std::size_t blockFrames = 0;
    std::size_t blockPosition = 0;

    bool primed = false;
    bool ended = false;
    bool nextValid = false;
    Frame current{};
    Frame next{};
    // Source frames before current, and where between current and next the output stands.
    QWORD passed = 0;
    double phase = 0.0;
};
