// A named scalar curve of cubic Hermite segments over demo time. A cursor remembers the segment
// found last, so that evaluating at steadily advancing times costs one comparison.
#pragma once

#include "Framework/Curves/AnimKey.h"

#include <cstddef>
#include <string>
#include <vector>

class AnimCurve {
public:
    // Past the last key the curve runs to a phantom key at this time, with the last key's value
    // and in-tangent.
    static constexpr float phantomKeyTime = 200000.0f;

    explicit AnimCurve(std::string curveName);

    // The name without the "Data\anim\" prefix of its entry.
    const std::string& Name() const { return name; }
    const std::vector<AnimKey>& Keys() const { return keys; }

    // Takes the keys as they come: they are expected in strictly ascending time.
    void ReplaceKeys(std::vector<AnimKey> newKeys);
    // Replaces the key of exactly this time, or inserts one after the last key before it.
    void SetKey(float time, float value, float inTangent, float outTangent);

    // The segment containing t: the last key at or before t (ties go to the later key), 0 before
    // the first key, -1 without keys.
    int FindSegment(float t);
    // The Hermite value at t; before the first key the first segment extrapolates. 0 without keys.
    float Evaluate(float t);
    // The value of the key that starts t's segment; tangents play no part. 0 without keys.
    float Sample(float t);

private:
    std::string name;
    std::vector<AnimKey> keys;
    std::size_t cursor = 0;
};
