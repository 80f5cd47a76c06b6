// One key of an animation curve, as the data file stores it: four little-endian IEEE-754
// single-precision numbers, 16 bytes.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

struct AnimKey {
    static constexpr std::size_t byteSize = 16;

    bool operator==(const AnimKey&) const = default;

    float time;       // seconds of demo time
    float value;      // the curve's value at the key
    float inTangent;  // slope, value units per second, with which the curve arrives here
    float outTangent; // slope with which it leaves
};

// The keys of a curve entry, in file order: one per whole 16 bytes, a shorter remainder ignored.
std::vector<AnimKey> DecodeAnimKeys(std::span<const unsigned char> bytes);
