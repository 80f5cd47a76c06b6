#include "Platform/Audio/Resampler.h"

namespace {

constexpr std::size_t blockCapacity = 1024;

} // namespace

Resampler::Resampler() : block(blockCapacity * 2) {}

void Resampler::Reset() {
    blockFrames = 0;
    blockPosition = 0;
    primed = false;
    ended = false;
    nextValid = false;
    passed = 0;
    phase = 0.0;
}

bool Resampler::Pull(FrameSource& source, Frame& frame) {
    if (blockPosition == blockFrames) {
        blockFrames = source.Decode(block.data(), blockCapacity);
        blockPosition = 0;
        if (blockFrames == 0) return false;
    }
    frame = {block[blockPosition * 2], block[blockPosition * 2 + 1]};
    ++blockPosition;
    return true;
}

bool Resampler::Advance(FrameSource& source) {
    if (!nextValid) return false;
    current = next;
    nextValid = Pull(source, next);
    if (!nextValid) next = {};
    ++passed;
    return true;
}

std::size_t Resampler::MixInto(FrameSource& source, float* mix, std::size_t frames, double step,
                               float gain) {
    if (!primed) {
        primed = true;
        ended = !Pull(source, current);
        nextValid = !ended && Pull(source, next);
    }
    std::size_t produced = 0;
    while (!ended && produced < frames) {
        for (; phase >= 1.0; phase -= 1.0) {
            if (!Advance(source)) {
                // The last frame's time has passed as well.
                ended = true;
                ++passed;
                phase = 0.0;
                return produced;
            }
        }
        const auto weight = static_cast<float>(phase);
        for (int side = 0; side < 2; ++side)
            mix[produced * 2 + side] +=
                gain * (current[side] + (next[side] - current[side]) * weight);
        phase += step;
        ++produced;
    }
    return produced;
}

QWORD Resampler::SourceFrames() const {
    return passed + static_cast<QWORD>(phase);
}
