#include "Framework/NoiseVolume.h"

#include "Framework/Noise.h"

#include <algorithm>

float TileableNoise(float a, float b, float c) {
    constexpr float P = kNoiseVolumePeriod;
    const float ra = P - a, rb = P - b, rc = P - c;
    return PerlinNoise3D(a, b, c) * ra * rb * rc + PerlinNoise3D(a - P, b, c) * a * rb * rc +
           PerlinNoise3D(a - P, b - P, c) * a * b * rc + PerlinNoise3D(a, b - P, c) * ra * b * rc +
           PerlinNoise3D(a, b, c - P) * ra * rb * c + PerlinNoise3D(a - P, b, c - P) * a * rb * c +
           PerlinNoise3D(a - P, b - P, c - P) * a * b * c +
           PerlinNoise3D(a, b - P, c - P) * ra * b * c;
}

std::uint8_t NoiseVolumeTexel(int x, int y, int z) {
    constexpr float kInversePeriodCubed = 0.0038146970f;
    const float value = TileableNoise(kNoiseVolumeTexelStep * static_cast<float>(x),
                                      kNoiseVolumeTexelStep * static_cast<float>(y),
                                      kNoiseVolumeTexelStep * static_cast<float>(z));
    return static_cast<std::uint8_t>(255.0f *
                                     std::clamp(value * kInversePeriodCubed + 0.55f, 0.0f, 1.0f));
}

void GenerateNoiseVolume(std::uint8_t* texels, std::size_t rowPitch, std::size_t slicePitch) {
    for (int z = 0; z < kNoiseVolumeSize; ++z)
        for (int y = 0; y < kNoiseVolumeSize; ++y) {
            std::uint8_t* row = texels + static_cast<std::size_t>(z) * slicePitch +
                                static_cast<std::size_t>(y) * rowPitch;
            for (int x = 0; x < kNoiseVolumeSize; ++x)
                row[x] = NoiseVolumeTexel(x, y, z);
        }
}
