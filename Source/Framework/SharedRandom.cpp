#include "Framework/SharedRandom.h"

namespace {

std::uint32_t state = 1;

} // namespace

void SharedRandom::Seed(std::uint32_t seed) {
    state = seed;
}

int SharedRandom::Next() {
    state = state * 214013u + 2531011u; // wraps modulo 2^32
    return static_cast<int>((state >> 16) & 0x7FFFu);
}
