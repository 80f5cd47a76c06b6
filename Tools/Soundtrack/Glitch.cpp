#include "Glitch.h"

#include "Timing.h"

#include <array>
#include <cmath>

namespace soundtrack {

namespace {

// One move per sixteenth, cycling: stutters get shorter and the crush coarser as it goes on.
constexpr std::array<Glitch::Move, 16> programme = {{
    {2, 2, 10},
    {1, 4, 8},
    {4, 2, 10},
    {4, 6, 6},
    {1, 8, 8},
    {2, 3, 8},
    {8, 4, 6},
    {1, 2, 12},
    {2, 6, 6},
    {4, 8, 6},
    {1, 3, 8},
    {8, 6, 5},
    {4, 10, 5},
    {8, 12, 5},
    {16, 16, 4},
    {16, 24, 4},
}};

float Quantise(float sample, int bits) {
    const float levels = static_cast<float>(1 << (bits - 1));
    return std::trunc(sample * levels) / levels;
}

} // namespace

Glitch::Glitch(double startSeconds, double lengthSeconds)
    : startFrame(timing::FrameAt(startSeconds)),
      endFrame(timing::FrameAt(startSeconds + lengthSeconds)),
      stepFrames(timing::FrameAt(timing::stepSeconds)), sliceLeft(stepFrames),
      sliceRight(stepFrames) {}

const Glitch::Move& Glitch::MoveAt(std::int64_t stepIndex) const {
    return programme[static_cast<std::size_t>(stepIndex % programme.size())];
}

void Glitch::Process(std::span<float> left, std::span<float> right, std::int64_t firstFrame) {
    for (std::size_t i = 0; i < left.size(); ++i) {
        const std::int64_t frame = firstFrame + static_cast<std::int64_t>(i);
        if (frame < startFrame || frame >= endFrame) continue;
        const std::int64_t intoSpan = frame - startFrame;
        const Move& move = MoveAt(intoSpan / stepFrames);
        const std::int64_t intoStep = intoSpan % stepFrames;

        // Record the step as it arrives; replaying index (intoStep mod slice) only ever reads
        // frames already recorded.
        sliceLeft[intoStep] = left[i];
        sliceRight[intoStep] = right[i];
        const std::int64_t replay = intoStep % (stepFrames / move.sliceDivisor);
        if (frame % move.hold == 0) {
            heldLeft = sliceLeft[replay];
            heldRight = sliceRight[replay];
        }
        left[i] = Quantise(heldLeft, move.bits);
        right[i] = Quantise(heldRight, move.bits);
    }
}

} // namespace soundtrack
