#include "Mixer.h"

#include "Timing.h"

#include <algorithm>

namespace soundtrack {

namespace {

constexpr int maxBlockFrames = 4096;
const float duckRelease = timing::DecayCoefficient(0.12f);
constexpr float duckAttack = 0.02f; // about a millisecond: fast, but no click on sustained notes

} // namespace

Mixer::Mixer(const std::array<Channel, busCount>& settings)
    : channels(settings), reverbInput(maxBlockFrames), delayInput(maxBlockFrames),
      reverb(0.82f, 0.45f), delay(3 * timing::stepSeconds, 0.42f) {
    for (int bus = 0; bus < busCount; ++bus) {
        leftBuses[bus].resize(maxBlockFrames);
        rightBuses[bus].resize(maxBlockFrames);
    }
}

void Mixer::BeginBlock(int blockFrames) {
    frames = std::min(blockFrames, maxBlockFrames);
    for (int bus = 0; bus < busCount; ++bus) {
        std::fill_n(leftBuses[bus].begin(), frames, 0.0f);
        std::fill_n(rightBuses[bus].begin(), frames, 0.0f);
    }
    duckOffsets.clear();
}

std::span<float> Mixer::Left(Bus bus) {
    return {leftBuses[static_cast<int>(bus)].data(), static_cast<std::size_t>(frames)};
}

std::span<float> Mixer::Right(Bus bus) {
    return {rightBuses[static_cast<int>(bus)].data(), static_cast<std::size_t>(frames)};
}

void Mixer::Duck(int offset) {
    duckOffsets.push_back(offset);
}

void Mixer::SetSendScale(float reverbAmount, float delayAmount) {
    reverbScale = reverbAmount;
    delayScale = delayAmount;
}

void Mixer::Mix(std::span<float> left, std::span<float> right) {
    std::sort(duckOffsets.begin(), duckOffsets.end());
    auto nextDuck = duckOffsets.begin();
    for (int i = 0; i < frames; ++i) {
        while (nextDuck != duckOffsets.end() && *nextDuck == i) {
            duckTarget = 1.0f;
            ++nextDuck;
        }
        duckLevel += (duckTarget - duckLevel) * duckAttack;
        duckTarget *= duckRelease;

        float l = 0.0f;
        float r = 0.0f;
        float toReverb = 0.0f;
        float toDelay = 0.0f;
        for (int bus = 0; bus < busCount; ++bus) {
            const Channel& channel = channels[bus];
            const float gain = channel.gain * (1.0f - channel.duck * duckLevel);
            const float busLeft = leftBuses[bus][i] * gain;
            const float busRight = rightBuses[bus][i] * gain;
            l += busLeft;
            r += busRight;
            toReverb += (busLeft + busRight) * channel.reverb;
            toDelay += (busLeft + busRight) * channel.delay;
        }
        left[i] = l;
        right[i] = r;
        reverbInput[i] = toReverb * reverbScale;
        delayInput[i] = toDelay * delayScale;
    }
    const auto block = static_cast<std::size_t>(frames);
    reverb.Process({reverbInput.data(), block}, left.first(block), right.first(block));
    delay.Process({delayInput.data(), block}, left.first(block), right.first(block));
}

} // namespace soundtrack
