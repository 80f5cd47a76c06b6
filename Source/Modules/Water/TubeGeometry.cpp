#include "Modules/Water/TubeGeometry.h"

#include "Framework/Noise.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kAroundRepeat = 3.0f; // wall texture tiles around the tube
constexpr float kAlongRepeat = 0.6f;  // per unit of depth

std::size_t At(int ring, int vertex) {
    return static_cast<std::size_t>(ring * TubeGeometry::kRingVertices + vertex);
}

} // namespace

TubeGeometry::TubeGeometry()
    : cosines(kRingVertices), sines(kRingVertices), displacement(kVertexCount),
      positions(kVertexCount), shades(kVertexCount), texCoords(kVertexCount), normals(kVertexCount),
      centreX(kRings), centreY(kRings) {
    for (int k = 0; k < kRingVertices; ++k) {
        const float angle = kTwoPi * static_cast<float>(k % (kRingVertices - 1)) /
                            static_cast<float>(kRingVertices - 1);
        cosines[static_cast<std::size_t>(k)] = std::cos(angle);
        sines[static_cast<std::size_t>(k)] = std::sin(angle);
    }
    // Smooth bumps in -1 .. 1 from noise read on a cylinder, so the table closes around the ring.
    for (int j = 0; j < kRings; ++j) {
        for (int k = 0; k < kRingVertices; ++k) {
            const float c = cosines[static_cast<std::size_t>(k)],
                        s = sines[static_cast<std::size_t>(k)];
            const float x = 1.6f * c + 3.0f, y = 1.6f * s + 3.0f;
            const float z = 0.11f * static_cast<float>(j) + 0.5f;
            const float value = noise3(x, y, z) + 0.5f * noise3(2.0f * x, 2.0f * y, 2.0f * z);
            displacement[At(j, k)] = std::clamp(1.8f * value, -1.0f, 1.0f);
            texCoords[At(j, k)] = D3DXVECTOR2(kAroundRepeat * static_cast<float>(k) /
                                                  static_cast<float>(kRingVertices - 1),
                                              kAlongRepeat * RingDepth(j));
            normals[At(j, k)] = D3DXVECTOR3(-c, -s, 0.0f);
        }
    }
    indices.reserve(static_cast<std::size_t>(kTriangleCount) * 3);
    for (int j = 0; j + 1 < kRings; ++j) {
        for (int k = 0; k + 1 < kRingVertices; ++k) {
            const auto a = static_cast<std::uint16_t>(At(j, k));
            const auto b = static_cast<std::uint16_t>(At(j, k + 1));
            const auto c = static_cast<std::uint16_t>(At(j + 1, k + 1));
            const auto d = static_cast<std::uint16_t>(At(j + 1, k));
            indices.insert(indices.end(), {a, b, c, a, c, d});
        }
    }
}

float TubeGeometry::RingDepth(int ring) {
    return 10.0f * std::pow(static_cast<float>(ring) / static_cast<float>(kRings), 0.4f) - 9.1f;
}

float TubeGeometry::RingAmplitude(int ring, float u) {
    const float swell = 0.75f + 0.25f * std::cos(0.09f * static_cast<float>(ring) + 0.6f * u);
    return 0.3f * (1.0f - 0.03f * u) * swell;
}

void TubeGeometry::Rebuild(float u) {
    const float t = 0.5f * u;
    const float drift = std::max(0.0f, 0.1f * u);
    const float stretch = 1.0f + std::max(0.0f, 0.1f * (u - 14.4f));
    for (int j = 0; j < kRings; ++j) {
        const float ring = static_cast<float>(j);
        const float amplitude = RingAmplitude(j, u);
        const float base = 1.0f + 0.05f * amplitude * std::sin(0.34f * ring + 0.75f * t);
        const float ripple = amplitude * (0.6f + 0.12f * (std::cos(0.5f * ring - 5.0f * t) +
                                                          std::sin(0.43f * ring - 3.25f * t) +
                                                          std::sin(0.71f * ring - 2.925f * t)));
        const float depth = RingDepth(j) + drift;
        const float cx = 0.05f * std::cos(0.14f * ring - 1.7f * t);
        const float cy = 0.07f * std::sin(0.14f * ring - 1.7f * t);
        centreX[static_cast<std::size_t>(j)] = cx;
        centreY[static_cast<std::size_t>(j)] = cy;
        for (int k = 0; k < kRingVertices; ++k) {
            const float radius = base + ripple * stretch * displacement[At(j, k)];
            positions[At(j, k)] =
                D3DXVECTOR3(cx + radius * cosines[static_cast<std::size_t>(k)],
                            cy + radius * sines[static_cast<std::size_t>(k)], depth);
            const auto shade =
                static_cast<DWORD>(std::clamp(std::lround(145.0f * radius), 0L, 255L));
            shades[At(j, k)] = D3DCOLOR_ARGB(255, shade, shade, shade);
        }
    }
}

float TubeGeometry::Radius(int ring, int vertex) const {
    const D3DXVECTOR3& p = positions[At(ring, vertex)];
    const float dx = p.x - centreX[static_cast<std::size_t>(ring)];
    const float dy = p.y - centreY[static_cast<std::size_t>(ring)];
    return std::sqrt(dx * dx + dy * dy);
}
