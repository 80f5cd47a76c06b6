#include "Framework/Curves/AnimCurve.h"

#include "Framework/TimeSearch.h"

#include <algorithm>
#include <utility>

AnimCurve::AnimCurve(std::string curveName) : name(std::move(curveName)) {}

void AnimCurve::ReplaceKeys(std::vector<AnimKey> newKeys) {
    keys = std::move(newKeys);
    cursor = 0;
}

void AnimCurve::SetKey(float time, float value, float inTangent, float outTangent) {
    const AnimKey key{time, value, inTangent, outTangent};
    const auto same =
        std::find_if(keys.begin(), keys.end(), [time](const AnimKey& k) { return k.time == time; });
    if (same != keys.end()) {
        *same = key;
    } else {
        const auto lastBefore = std::find_if(keys.rbegin(), keys.rend(),
                                             [time](const AnimKey& k) { return k.time < time; });
        keys.insert(lastBefore.base(), key);
    }
    cursor = 0;
}

int AnimCurve::FindSegment(float t) {
    if (keys.empty()) return -1;
    cursor = WalkToTime(cursor, keys.size(), t, [this](std::size_t i) { return keys[i].time; });
    return static_cast<int>(cursor);
}

float AnimCurve::Evaluate(float t) {
    const int segment = FindSegment(t);
    if (segment < 0) return 0.0f;
    const auto i = static_cast<std::size_t>(segment);
    const AnimKey& from = keys[i];
    const bool isLast = i + 1 == keys.size();
    const AnimKey& to = isLast ? from : keys[i + 1];
    const float dt = (isLast ? phantomKeyTime : to.time) - from.time;
    // A key repeating the next key's time (or a last key at the phantom's) spans no time: there
    // is no slope to follow, only its value.
    if (dt == 0.0f) return from.value;

    const float dv = to.value - from.value;
    const float m0 = from.outTangent;
    const float m1 = to.inTangent;
    const float a = (m1 + m0) / (dt * dt) - 2.0f * dv / (dt * dt * dt);
    const float b = 3.0f * dv / (dt * dt) - (2.0f * m0 + m1) / dt;
    const float u = t - from.time;
    return ((a * u + b) * u + m0) * u + from.value;
}

float AnimCurve::Sample(float t) {
    const int segment = FindSegment(t);
    return segment < 0 ? 0.0f : keys[static_cast<std::size_t>(segment)].value;
}
