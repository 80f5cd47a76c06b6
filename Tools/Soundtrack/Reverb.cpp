#include "Reverb.h"

#include <array>

namespace soundtrack {

namespace {

// Mutually prime delay lengths in frames at 44.1 kHz, so the echoes do not line up.
constexpr std::array<int, 8> combLengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> allpassLengths = {556, 441, 341, 225};
constexpr int stereoSpread = 23;
constexpr float inputGain = 0.015f;

} // namespace

float Reverb::Comb::Process(float input, float feedbackGain, float damp) {
    const float output = buffer[position];
    filtered = output * (1.0f - damp) + filtered * damp;
    buffer[position] = input + filtered * feedbackGain;
    if (++position == buffer.size()) position = 0;
    return output;
}

float Reverb::Allpass::Process(float input) {
    const float delayed = buffer[position];
    buffer[position] = input + delayed * 0.5f;
    if (++position == buffer.size()) position = 0;
    return delayed - input;
}

float Reverb::Side::Process(float input, float feedbackGain, float damp) {
    float sum = 0.0f;
    for (Comb& comb : combs)
        sum += comb.Process(input, feedbackGain, damp);
    for (Allpass& allpass : allpasses)
        sum = allpass.Process(sum);
    return sum;
}

Reverb::Side Reverb::MakeSide(int spread) {
    Side side;
    for (int length : combLengths)
        side.combs.emplace_back(length + spread);
    for (int length : allpassLengths)
        side.allpasses.emplace_back(length + spread);
    return side;
}

Reverb::Reverb(float size, float dampingAmount)
    : feedback(0.7f + 0.28f * size), damping(0.4f * dampingAmount), leftSide(MakeSide(0)),
      rightSide(MakeSide(stereoSpread)) {}

void Reverb::Process(std::span<const float> input, std::span<float> left, std::span<float> right) {
    for (std::size_t i = 0; i < input.size(); ++i) {
        const float scaled = input[i] * inputGain;
        left[i] += leftSide.Process(scaled, feedback, damping);
        right[i] += rightSide.Process(scaled, feedback, damping);
    }
}

} // namespace soundtrack
