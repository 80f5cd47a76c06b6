#include "Limiter.h"

#include "Timing.h"

#include <algorithm>
#include <cmath>

namespace soundtrack {

Limiter::Limiter(float ceilingLevel, int lookaheadFrames, float releaseSeconds)
    : ceiling(ceilingLevel), lookahead(lookaheadFrames),
      releaseAmount(1.0f - timing::DecayCoefficient(releaseSeconds)),
      delayedLeft(lookaheadFrames, 0.0f), delayedRight(lookaheadFrames, 0.0f),
      window(lookaheadFrames, 1.0f), queue(lookaheadFrames), windowSum(lookaheadFrames) {}

float Limiter::PushRequiredGain(float required) {
    const std::size_t capacity = queue.size();
    // Entries that are not lower than the new one can never be the minimum again.
    while (queueSize > 0 && queue[(queueHead + queueSize - 1) % capacity].gain >= required)
        --queueSize;
    queue[(queueHead + queueSize) % capacity] = {frame, required};
    ++queueSize;
    if (queue[queueHead].frame <= frame - lookahead) {
        queueHead = (queueHead + 1) % capacity;
        --queueSize;
    }
    return queue[queueHead].gain;
}

void Limiter::Process(std::span<float> left, std::span<float> right) {
    for (std::size_t i = 0; i < left.size(); ++i) {
        const float peak = std::max(std::fabs(left[i]), std::fabs(right[i]));
        const float required = peak > ceiling ? ceiling / peak : 1.0f;
        const float minimum = PushRequiredGain(required);

        const std::size_t slot = static_cast<std::size_t>(frame % lookahead);
        windowSum += minimum - window[slot];
        window[slot] = minimum;
        const float smoothed = static_cast<float>(windowSum / lookahead);
        // Fall at once (the averaging already shaped the attack), recover slowly.
        gain = smoothed < gain ? smoothed : gain + (smoothed - gain) * releaseAmount;

        // The gain is now final for the frame Latency() frames back: every required gain of
        // the windows covering it has been seen.
        delayedLeft[slot] = left[i];
        delayedRight[slot] = right[i];
        const std::size_t oldest = static_cast<std::size_t>((frame + 1) % lookahead);
        left[i] = delayedLeft[oldest] * gain;
        right[i] = delayedRight[oldest] * gain;
        ++frame;
    }
}

} // namespace soundtrack
