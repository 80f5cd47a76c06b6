// Look-ahead brick-wall limiter. The gain for each frame is the moving average, over the
// look-ahead window, of the lowest gain any frame in the window needs; every window containing a
// peak therefore holds only gains at or below that peak's, so no output frame exceeds the ceiling,
// while the gain still ramps down smoothly ahead of a transient. The output lags the input by
// Latency() frames.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace soundtrack {

class Limiter {
public:
    Limiter(float ceiling, int lookaheadFrames, float releaseSeconds);

    // Limits left and right in place (delayed by Latency() frames).
    void Process(std::span<float> left, std::span<float> right);
    int Latency() const { return lookahead - 1; }

private:
    // Sliding minimum over the last `lookahead` required gains (a monotonic queue on a ring).
    struct Entry {
        std::int64_t frame;
        float gain;
    };
    float PushRequiredGain(float gain);

    float ceiling;
    int lookahead;
    float releaseAmount;
    std::vector<float> delayedLeft;
    std::vector<float> delayedRight;
    std::vector<float> window; // the last `lookahead` sliding minima, for the moving average
    std::vector<Entry> queue;
    std::size_t queueHead = 0;
    std::size_t queueSize = 0;
    std::int64_t frame = 0;
    double windowSum;
    float gain = 1.0f;
};

} // namespace soundtrack
