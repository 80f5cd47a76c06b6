// Tempo-synced ping-pong echo: the input enters on the left and each repeat crosses sides,
// losing highs and lows on the way so the tail stays clear of the mix.
#pragma once

#include "OnePoleFilter.h"

#include <span>
#include <vector>

namespace soundtrack {

class StereoDelay {
public:
    StereoDelay(double delaySeconds, float feedback);

    // Adds the echoes of the mono input into left and right (the same size as input).
    void Process(std::span<const float> input, std::span<float> left, std::span<float> right);

private:
    std::vector<float> leftLine;
    std::vector<float> rightLine;
    std::size_t position = 0;
    float feedback;
    OnePoleFilter darken{3500.0f};
    OnePoleFilter thin{250.0f};
};

} // namespace soundtrack
