#include "StereoDelay.h"

#include "Timing.h"

namespace soundtrack {

StereoDelay::StereoDelay(double delaySeconds, float feedbackGain)
    : leftLine(static_cast<std::size_t>(timing::FrameAt(delaySeconds)), 0.0f),
      rightLine(leftLine.size(), 0.0f), feedback(feedbackGain) {}

void StereoDelay::Process(std::span<const float> input, std::span<float> left,
                          std::span<float> right) {
    for (std::size_t i = 0; i < input.size(); ++i) {
        const float fromLeft = leftLine[position];
        const float fromRight = rightLine[position];
        left[i] += fromLeft;
        right[i] += fromRight;
        // The right line's repeat, darkened and thinned, comes back in on the left.
        const float repeat = thin.Highpass(darken.Lowpass(fromRight));
        leftLine[position] = input[i] + feedback * repeat;
        rightLine[position] = fromLeft;
        if (++position == leftLine.size()) position = 0;
    }
}

} // namespace soundtrack
