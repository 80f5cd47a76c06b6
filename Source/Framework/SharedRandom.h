// The process-wide pseudo-random generator of the C-runtime kind that the noise tables and the
// scenes draw from: a linear congruential state whose results are its bits 16 to 30.
#pragma once

#include <cstdint>

namespace SharedRandom {

constexpr int kMax = 32767;

// Restarts the sequence; the program starts as if seeded with 1.
void Seed(std::uint32_t seed);
// The next value, 0 to kMax.
int Next();

} // namespace SharedRandom
