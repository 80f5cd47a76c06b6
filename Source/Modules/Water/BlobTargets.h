// Where the water's 300 blobs gather once they leave their ring: points on the outline of a
// funnel, in table units. Mapped to the height target as x = X / 3500 - 1.5 and
// y = 0.7 - 0.0004 Y (y up), the funnel is wide at the top and narrows downward.
#pragma once

#include <array>
#include <cstdint>

namespace WaterBlobs {

constexpr int kBlobCount = 300;

struct BlobTarget {
    std::int32_t x;
    std::int32_t y;
};

extern const std::array<BlobTarget, kBlobCount> kBlobTargets;

} // namespace WaterBlobs
