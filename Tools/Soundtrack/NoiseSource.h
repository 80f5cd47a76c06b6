// Deterministic white noise (xorshift32), seeded per voice so renders repeat exactly.
#pragma once

#include <cstdint>

namespace soundtrack {

class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state(seed * 2654435761u + 0x9e3779b9u) {
        if (state == 0) state = 1;
    }

    // Uniform in [-1, 1).
    float Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(static_cast<std::int32_t>(state)) * (1.0f / 2147483648.0f);
    }

private:
    std::uint32_t state;
};

} // namespace soundtrack
