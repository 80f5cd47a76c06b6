#include "Modules/Water/BlobLayout.h"

#include "Modules/Water/BlobTargets.h"

#include <algorithm>
#include <cmath>

namespace WaterBlobs {

namespace {

constexpr float kTwoPi = 6.28318f;
constexpr float kPi = 3.1415f;
constexpr float kRingEnd = 3.0f; // the water time at which the ring is formed

struct Point {
    float x, y;
};

Point Ring(int index, float tau, float q) {
    const float i = static_cast<float>(index);
    const float m = std::clamp(0.333f * tau, 0.0f, 1.0f);
    const float v = 1.0f - std::sin(1.570795f * m);
    const float rho = 0.525f + 0.475f * std::cos(i) * std::sin(i + 1.0f) * std::cos(i);
    const float theta = v + kTwoPi * i / static_cast<float>(kBlobCount);
    const float wobble = std::sin(4.7f * q);
    const float a = wobble * std::cos(3.0f * q - 0.53f * i) * std::cos(0.7f * q) * 0.075f;
    const float b = wobble * std::sin(0.05f * i + 0.5f * q) * std::sin(0.1f * i + 5.0f * q) * 0.03f;
    const float radius = 0.5f * (1.0f - v) + v * rho;
    return {radius * std::cos(theta) + a, radius * std::sin(theta) + b};
}

Point Funnel(int index, float tau, float q) {
    const float i = static_cast<float>(index);
    const BlobTarget& target = kBlobTargets[static_cast<std::size_t>(index)];
    const float tableX = static_cast<float>(target.x), tableY = static_cast<float>(target.y);
    const float g = std::max(0.0f, 4.0f - tau);
    const float p = FunnelProgress(index, tau);
    const float k = 0.5f * (1.0f - std::cos(kPi * p));
    const float a = std::cos(3.0f * q - 0.53f * i) * std::cos(0.7f * q) * 0.0025f;
    const float b = std::sin(0.05f * i + 0.5f * q) * std::sin(0.1f * i + 5.0f * q) * 0.001f;
    float targetX = tableX / 3500.0f - 1.5f + a;
    const float targetY = 0.7f - 0.0004f * tableY + b;

    const float w =
        1.2f * ((q - 2.0f) - (0.0005f * tableY - 0.01f * static_cast<float>(index % 30)));
    if (w > 0.0f) {
        const float side = index % 2 == 1 ? 1.0f : -1.0f;
        targetX -= 0.3f * side * w * w * (1.0f + 0.025f * static_cast<float>(index % 17)) *
                   (1.0f - 0.00002f * tableY);
    }

    const float r =
        0.5f + 0.6f * std::cos(i) * std::sin(i + 1.0f) * std::cos(q - i) * std::sin(kPi * p);
    const float theta = kTwoPi * i / static_cast<float>(kBlobCount) + k;
    const float wobble = 30.0f * g * std::sin(4.7f * q);
    return {(1.0f - k) * r * std::cos(theta) + wobble * a + k * targetX,
            (1.0f - k) * r * std::sin(theta) + wobble * b + k * targetY};
}

} // namespace

float FunnelProgress(int index, float tau) {
    return std::clamp(0.22f * (tau - kRingEnd) - 0.002f * static_cast<float>(index), 0.0f, 1.0f);
}

BlobPlacement PlaceBlob(int index, float tau, float beat) {
    const float q = tau / 4.0f;
    const float halfSize = 0.24f *
                           (0.5f + 0.05f * std::cos(0.1f * static_cast<float>(index) + 3.0f * q)) *
                           (1.0f - 0.08f * beat);
    const Point centre = tau < kRingEnd ? Ring(index, tau, q) : Funnel(index, tau, q);
    return {centre.x, centre.y, halfSize};
}

void WriteBlobCorners(float tau, float beat, D3DXVECTOR3* corners) {
    for (int index = 0; index < kBlobCount; ++index) {
        const BlobPlacement blob = PlaceBlob(index, tau, beat);
        const float s = blob.halfSize;
        *corners++ = D3DXVECTOR3(blob.x - s, blob.y + s, 0.0f);
        *corners++ = D3DXVECTOR3(blob.x + s, blob.y + s, 0.0f);
        *corners++ = D3DXVECTOR3(blob.x + s, blob.y - s, 0.0f);
        *corners++ = D3DXVECTOR3(blob.x - s, blob.y - s, 0.0f);
    }
}

} // namespace WaterBlobs
