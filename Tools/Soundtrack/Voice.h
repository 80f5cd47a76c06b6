// One sounding note: renders itself block by block until it has died away.
#pragma once

#include <span>

namespace soundtrack {

class Voice {
public:
    virtual ~Voice() = default;

    // Adds the next left.size() frames into left and right (which have the same size). Returns
    // false once the voice has fallen silent for good and can be dropped.
    virtual bool Render(std::span<float> left, std::span<float> right) = 0;
};

} // namespace soundtrack
